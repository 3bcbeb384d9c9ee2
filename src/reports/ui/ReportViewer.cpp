#include "reports/ui/ReportViewer.h"

#include "common/Prompter.h"
#include "reports/ReportRule.h"
#include "reports/ui/PreviewDialog.h"


namespace ulk::report {

namespace {
ReportViewer::Presenter &presenter()
{
    static ReportViewer::Presenter p;
    return p;
}
} // namespace

void ReportViewer::setPresenter(Presenter p) { presenter() = std::move(p); }

bool ReportViewer::show(ReportDefinition &report, const QString &programDirectory, QWidget *parent,
                        const std::function<void()> &rowsRead)
{
    QString error;
    const std::optional<ReportDocument> doc = ReportRule::prepare(report, programDirectory, &error);
    report.clearDataSource();
    if (!doc) {
        ReportRule::finish();
        tell(QStringLiteral("Zostavu nie je možné zobraziť: ") + error, QStringLiteral("Chybová správa"),
             PromptIcon::Exclamation);
        return false;
    }
    if (rowsRead)
        rowsRead();
    if (presenter())
        presenter()(*doc, parent);
    else
        preview(*doc, parent);
    ReportRule::finish();
    return true;
}

void ReportViewer::preview(const ReportDocument &doc, QWidget *parent)
{
    PreviewDialog dialog(doc, parent);
    dialog.exec();
}

} // namespace ulk::report
