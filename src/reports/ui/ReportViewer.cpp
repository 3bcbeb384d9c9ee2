#include "reports/ui/ReportViewer.h"

#include "common/FailureText.h"
#include "common/Prompter.h"
#include "reports/ReportPainter.h"
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

bool ReportViewer::show(ReportDefinition &report, const QString &programDirectory, QWidget *parent)
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

bool ReportViewer::saveAsPdf(const ReportDocument &doc)
{
    FileRequest request;
    request.title = QStringLiteral("Uložiť zostavu ako PDF");
    request.fileName = doc.reportName + QStringLiteral(".pdf");
    request.filters = {QStringLiteral("Dokument PDF (*.pdf)")};
    request.confirmOverwrite = true;
    const std::optional<QString> file = prompter().saveFile(request);
    if (!file || file->isEmpty())
        return false;
    QString error;
    if (!ReportPainter::writePdf(doc, *file, &error)) {
        tell(failureMessage(QStringLiteral("Zostavu sa nepodarilo uložiť."), error), QStringLiteral("Chybová správa"),
             PromptIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace ulk::report
