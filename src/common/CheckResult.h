#pragma once

// The outcome of a field check. Only Retry keeps the focus in the field:
// the user chose to correct the value. Accepted covers a value that passed,
// was cleared or was ignored by the user; Skipped means the check did nothing
// (a disabled field, a repeated call after Esc in a picker, a value outside
// the check's concern). Callers test only for Retry.
namespace ulk {

enum class CheckResult { Accepted, Retry, Skipped };

inline bool retry(CheckResult r) { return r == CheckResult::Retry; }

} // namespace ulk
