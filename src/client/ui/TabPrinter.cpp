#include "client/ui/TabPrinter.h"

#include "client/subrecords/DossierPrintPlan.h"
#include "common/FailureText.h"
#include "common/Prompter.h"
#include "data/Database.h"
#include "reports/DossierReports.h"
#include "reports/ui/ReportViewer.h"

#include <QDir>

namespace ulk {

namespace {

bool refuse(const QString &why)
{
    tell(QStringLiteral("Záložku nie je možné vytlačiť, ") + why, QStringLiteral("Chybová správa"),
         PromptIcon::Exclamation);
    return false;
}

} // namespace

bool printClientTab(QWidget *parent, const QString &programDirectory, int tab, const QString &clientKey,
                    const QString &meno, const QString &priezv)
{
    // The saved queries are rewritten on the program's connection, and the
    // report reads the same file.
    if (!Database::isOpen()
        || QDir::cleanPath(Database::path()) != QDir::cleanPath(Database::pathIn(programDirectory)))
        return refuse(QStringLiteral("databáza nie je otvorená."));
    const std::optional<DossierTab> plan = DossierPrintPlan::tab(tab);
    if (!plan)
        return refuse(QStringLiteral("neznáma záložka %1.").arg(tab));
    const report::ReportDefinition *design = report::DossierReports::instance(plan->report);
    if (!design)
        return refuse(QStringLiteral("chýba zostava %1.").arg(plan->report));
    // Every print starts from the report as built: a tab printed before
    // leaves none of its settings.
    report::ReportDefinition report = *design;

    QString error;
    switch (DossierPrintPlan::writeSavedQuery(*plan, clientKey, &error)) {
    case DossierPrintPlan::Written::Ok:
        break;
    case DossierPrintPlan::Written::Missing:
        return refuse(QStringLiteral("v databáze chýba dotaz %1.").arg(plan->savedQuery));
    case DossierPrintPlan::Written::NoKeyColumn:
        return refuse(QStringLiteral("dotaz %1 neobsahuje stĺpec %2.").arg(plan->savedQuery, plan->keyColumn));
    case DossierPrintPlan::Written::CheckFailed:
        return refuse(failureMessage(QStringLiteral("dotaz %1 sa nepodarilo overiť.").arg(plan->savedQuery), error));
    case DossierPrintPlan::Written::RewriteFailed:
        return refuse(failureMessage(QStringLiteral("dotaz %1 sa nepodarilo prepísať.").arg(plan->savedQuery), error));
    }

    if (plan->landscape)
        report.orientation = report::Orientation::Landscape;
    report.setCaption(QStringLiteral("Section4"), QStringLiteral("lblMeno"),
                      meno.trimmed() + QStringLiteral("  ") + priezv.trimmed());
    if (!plan->memoColumn.isEmpty()) {
        report.setCaption(QStringLiteral("Section4"), QStringLiteral("lblNadpis"), plan->title);
        report.setDataField(QStringLiteral("Section1"), QStringLiteral("txtPolozka"), plan->memoColumn);
        report.caption = plan->title;
    }
    if (!plan->keyColumn.isEmpty())
        report.setKeyFilter(plan->keyColumn, clientKey);
    return report::ReportViewer::show(report, programDirectory, parent);
}

} // namespace ulk
