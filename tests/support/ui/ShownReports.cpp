#include "support/ui/ShownReports.h"

#include "common/Clock.h"
#include "data/DataEnvironment.h"
#include "reports/ui/ReportViewer.h"

namespace ulk::test {

ShownReports::ShownReports()
{
    Clock::setToday(kPrintDay);
    report::ReportViewer::setPresenter([this](const report::ReportDocument &doc, QWidget *) {
        docs << doc;
        connectedWhileShown = DataEnvironment::denUlk().isConnected();
    });
}

ShownReports::~ShownReports()
{
    report::ReportViewer::setPresenter({});
    Clock::setToday(QDate());
}

} // namespace ulk::test
