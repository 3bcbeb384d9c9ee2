#include "statement/ui/StatementPrint.h"

#include "common/LongWork.h"
#include "common/Prompter.h"
#include "reports/AgeSectionReport.h"
#include "reports/EducationSectionReport.h"
#include "reports/EmployeeSectionReport.h"
#include "reports/ui/ReportViewer.h"
#include "statement/StatementCell.h"
#include "statement/StatementRun.h"

#include <QApplication>

namespace ulk::statement {

namespace {

void tellFailure(const QString &message)
{
    if (!message.isEmpty())
        tell(message, QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
}

void setTotals(report::ReportDefinition &report, const QList<std::pair<QString, QString>> &labels,
               const DisabilityCounts &totals)
{
    for (const auto &[column, label] : labels)
        report.setCaption(QStringLiteral("Section5"), label, StatementCell::count(totals.value(column)));
}

} // namespace

void StatementPrint::awaitAgeWrite(const std::function<bool()> &written)
{
    if (written())
        return;
    // Shown in the program's waiting window.
    const LongWork::Action writing(QStringLiteral("Zápis veku klientov"),
                                   QStringLiteral("Zapisuje sa vek klientov do registra…"));
    LongWork::waitUntil(written);
}

void StatementPrint::printAgeSection(const QString &programDirectory, const QString &schoolYear, QWidget *parent,
                                     std::chrono::milliseconds ageWriteBound)
{
    StatementRun run(StatementRun::Section::Ages, programDirectory, schoolYear);
    if (!run.prepare()) {
        tellFailure(run.failure());
        return;
    }
    report::ReportDefinition report = report::AgeSectionReport::instance();
    const QString section4 = QStringLiteral("Section4");
    if (report::ReportControl *year = report.control(section4, report::AgeSectionReport::yearLabel()))
        report.setCaption(section4, year->name, year->caption.left(15) + schoolYear);
    setTotals(report, report::AgeSectionReport::totalLabels(), run.totals());
    show(run, report, programDirectory, parent, ageWriteBound);
}

void StatementPrint::printEducationSection(const QString &programDirectory, const QString &schoolYear,
                                           QWidget *parent)
{
    StatementRun run(StatementRun::Section::Education, programDirectory, schoolYear);
    if (!run.prepare()) {
        tellFailure(run.failure());
        return;
    }
    report::ReportDefinition report = report::EducationSectionReport::instance();
    setTotals(report, report::EducationSectionReport::totalLabels(), run.totals());
    show(run, report, programDirectory, parent, {});
}

void StatementPrint::printEmployeeSection(const QString &programDirectory, QWidget *parent)
{
    StatementRun run(StatementRun::Section::Employees, programDirectory, QString());
    if (!run.prepare()) {
        tellFailure(run.failure());
        return;
    }
    report::ReportDefinition report = report::EmployeeSectionReport::instance();
    show(run, report, programDirectory, parent, {});
}

void StatementPrint::show(StatementRun &run, report::ReportDefinition &report, const QString &programDirectory,
                          QWidget *parent, std::chrono::milliseconds ageWriteBound)
{
    report.orientation = report::Orientation::Landscape;
    report.setDataSource(run.rows());
    // A report that cannot be laid out is told by the viewer. Once the
    // preview is closed, the ages may still be being written: the cursor
    // shows the wait, and a long one is told in a window.
    bool waiting = false;
    const QString ageWrite = run.whileShown(
        [&] {
            report::ReportViewer::show(report, programDirectory, parent);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            waiting = true;
        },
        ageWriteBound, &StatementPrint::awaitAgeWrite);
    if (waiting)
        QApplication::restoreOverrideCursor();
    tellFailure(ageWrite);
    tellFailure(run.finish());
}

} // namespace ulk::statement
