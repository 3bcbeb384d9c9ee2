#include "statement/ui/StatementPrint.h"

#include "app/ui/MainWindow.h"
#include "common/Clock.h"
#include "common/FailureText.h"
#include "common/Prompter.h"
#include "data/Database.h"
#include "reports/AgeSectionReport.h"
#include "reports/EducationSectionReport.h"
#include "reports/EmployeeSectionReport.h"
#include "reports/ui/ReportViewer.h"
#include "statement/AgeSection.h"
#include "statement/EducationSection.h"
#include "statement/EmployeeSection.h"
#include "statement/StatementCell.h"
#include "statement/WorkTable.h"

#include <QSqlDatabase>

namespace ulk::statement {

namespace {

const QString kErrorTitle = QStringLiteral("Chybová správa");

std::optional<StatementPeriod> periodOf(const MainWindow &window, QString *error)
{
    const std::optional<StatementPeriod> period = StatementPeriod::fromSchoolYear(window.schoolYear());
    if (!period && error)
        *error = QStringLiteral("školský rok '%1' nie je v tvare rok/rok+1").arg(window.schoolYear());
    return period;
}

void setTotals(report::ReportDefinition &report, const QList<std::pair<QString, QString>> &labels,
               const DisabilityCounts &totals)
{
    for (const auto &[column, label] : labels)
        report.setCaption(QStringLiteral("Section5"), label, StatementCell::count(totals.value(column)));
}

} // namespace

void StatementPrint::fail(const WorkTable &table, const QString &why)
{
    // Whatever a failed print wrote must not come out in the next one.
    QString error;
    table.clear(&error);
    tell(QStringLiteral("Výkaz nie je možné zostaviť: ") + why, kErrorTitle, PromptIcon::Exclamation);
}

void StatementPrint::printAgeSection(MainWindow &window)
{
    const WorkTable &table = WorkTable::ages();
    QString error;
    const std::optional<StatementPeriod> period = periodOf(window, &error);
    const std::optional<AgeSection::Result> result =
        period ? AgeSection::count(*period, Clock::today(), &error) : std::nullopt;
    if (!result) {
        fail(table, error);
        return;
    }
    report::ReportDefinition &report = report::AgeSectionReport::instance();
    const QString section4 = QStringLiteral("Section4");
    if (report::ReportControl *year = report.control(section4, report::AgeSectionReport::yearLabel()))
        report.setCaption(section4, year->name, year->caption.left(15) + window.schoolYear());
    setTotals(report, report::AgeSectionReport::totalLabels(), result->totals);
    // The ages are written into the clients' rows while the preview is
    // shown (the counts are made from them already); the preview's closing
    // waits for the write.
    std::optional<AgeSection::Writer> writer;
    show(window, table, report, result->lines, [&] { writer.emplace(Database::path(), result->ages); },
         [&] {
             QString why;
             if (writer && !writer->finish(&why))
                 tell(failureMessage(QStringLiteral("Vek klientov sa nepodarilo zapísať do registra."), why),
                      kErrorTitle, PromptIcon::Exclamation);
         });
}

void StatementPrint::printEducationSection(MainWindow &window)
{
    const WorkTable &table = WorkTable::education();
    QString error;
    const std::optional<StatementPeriod> period = periodOf(window, &error);
    const std::optional<EducationSection::Result> result =
        period ? EducationSection::compute(*period, &error) : std::nullopt;
    if (!result) {
        fail(table, error);
        return;
    }
    report::ReportDefinition &report = report::EducationSectionReport::instance();
    setTotals(report, report::EducationSectionReport::totalLabels(), result->totals);
    show(window, table, report, result->lines);
}

void StatementPrint::printEmployeeSection(MainWindow &window)
{
    const WorkTable &table = WorkTable::employees();
    QString error;
    const std::optional<QList<QStringList>> lines = EmployeeSection::compute(&error);
    if (!lines) {
        fail(table, error);
        return;
    }
    show(window, table, report::EmployeeSectionReport::instance(), *lines);
}

void StatementPrint::show(MainWindow &window, const WorkTable &table, report::ReportDefinition &report,
                          const QList<QStringList> &lines, const std::function<void()> &whileShown,
                          const std::function<void()> &afterShown)
{
    QString error;
    if (!table.fill(lines, &error)) {
        fail(table, error);
        return;
    }
    window.connectDB();
    std::optional<RowSet> rows;
    {
        const QSqlDatabase db = QSqlDatabase::database(window.reportConnectionName(), false);
        if (!db.isOpen())
            error = QStringLiteral("spojenie s databázou sa nepodarilo otvoriť");
        else
            rows = table.read(db, &error);
    }
    if (!rows) {
        window.releaseReportConnection();
        table.clear(nullptr);
        tell(QStringLiteral("Zostavu nie je možné zobraziť: ") + error, kErrorTitle, PromptIcon::Exclamation);
        return;
    }
    report.orientation = report::Orientation::Landscape;
    report.setDataSource(*rows);
    if (whileShown)
        whileShown();
    // A report that cannot be laid out is told by the viewer.
    report::ReportViewer::show(report, window.programDirectory(), &window);
    if (afterShown)
        afterShown();
    window.releaseReportConnection();
    if (!table.clear(&error))
        tell(failureMessage(QStringLiteral("Pracovnú tabuľku %1 sa nepodarilo vyprázdniť.").arg(table.name()), error),
             kErrorTitle, PromptIcon::Exclamation);
}

} // namespace ulk::statement
