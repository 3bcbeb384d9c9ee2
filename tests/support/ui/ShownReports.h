#pragma once
#include "reports/ReportDocument.h"

#include <QDate>
#include <QList>

namespace ulk::test {

// The day the recorded reports are printed on.
const QDate kPrintDay(2007, 3, 5);

// While it lives, today is kPrintDay and every report the program shows is
// recorded instead of previewed; gone, the preview and the day are the
// program's own again.
class ShownReports {
public:
    ShownReports();
    ~ShownReports();
    ShownReports(const ShownReports &) = delete;
    ShownReports &operator=(const ShownReports &) = delete;

    const report::ReportDocument &last() const { return docs.last(); }
    report::ReportPage page(int n = 0) const { return docs.last().pages.at(n); }

    QList<report::ReportDocument> docs;
    // Whether the register's report connection was open while the last one was shown.
    bool connectedWhileShown = false;
};

} // namespace ulk::test
