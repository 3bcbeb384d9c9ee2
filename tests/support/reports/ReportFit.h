#pragma once
#include "reports/ReportDocument.h"

#include <QStringList>
#include <functional>

namespace ulk::test {

// What is wrong with the texts of a laid-out page: an identifying text (as
// the predicate says) wider than its box or closer than 45 twips to another
// text on its line, or a text drawn over another text. Each fault is one line naming the controls; none: empty.
QStringList layoutFaults(const report::ReportPage &page,
                         const std::function<bool(const report::PlacedText &)> &identifying);

} // namespace ulk::test
