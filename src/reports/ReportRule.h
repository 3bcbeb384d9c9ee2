#pragma once
#include "reports/ReportDefinition.h"
#include "reports/ReportDocument.h"

#include <QString>
#include <optional>

// The rule by which every report is shown, without the preview window:
// the data environment denUlk is unloaded and loaded again, its connection
// is pointed at ulk.mdb of the program directory, and the report's rows are
// read afresh (its command of denUlk, or the rows handed to it) and laid out.
// After the preview the caller ends with finish(), which unloads denUlk, so
// that nothing read for one report is kept for the next.
namespace ulk::report {

class ReportRule {
public:
    static std::optional<ReportDocument> prepare(ReportDefinition &report, const QString &programDirectory,
                                                 QString *error = nullptr);
    static void finish();
};

} // namespace ulk::report
