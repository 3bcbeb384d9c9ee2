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
#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <memory>

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

// The window of a long age write: it has nothing to cancel, so neither its
// title bar's close button nor Esc closes it; it goes when the write ends.
class AgeWriteNote : public QDialog {
public:
    explicit AgeWriteNote(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    {
        setObjectName(QStringLiteral("frmZapisVeku"));
        setWindowTitle(QStringLiteral("Zápis veku klientov"));
        setWindowModality(Qt::ApplicationModal);
        auto *layout = new QVBoxLayout(this);
        auto *text = new QLabel(QStringLiteral("Zapisuje sa vek klientov do registra…"), this);
        text->setObjectName(QStringLiteral("lblZapisVeku"));
        auto *busy = new QProgressBar(this);
        busy->setRange(0, 0);
        busy->setTextVisible(false);
        layout->addWidget(text);
        layout->addWidget(busy);
    }
    void reject() override {}

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

// The age write's wait: its window once the wait has lasted half a second.
class AgeWriteView : public WaitView {
public:
    explicit AgeWriteView(QWidget *parent) : m_parent(parent) {}
    void begin(WorkProgress &) override { m_since.start(); }
    void update(WorkProgress &) override
    {
        if (m_note || m_since.elapsed() < 500)
            return;
        m_note = std::make_unique<AgeWriteNote>(m_parent);
        m_note->show();
    }
    void end() override { m_note.reset(); }
    bool takesInput() const override { return false; }

private:
    QWidget *m_parent;
    QElapsedTimer m_since;
    std::unique_ptr<AgeWriteNote> m_note;
};

} // namespace

void StatementPrint::awaitAgeWrite(QWidget *parent, const std::function<bool()> &written)
{
    if (written())
        return;
    AgeWriteView view(parent);
    const LongWork::Action writing(QStringLiteral("Zápis veku klientov"),
                                   QStringLiteral("Zapisuje sa vek klientov do registra…"), &view);
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
        ageWriteBound, [parent](const std::function<bool()> &written) { awaitAgeWrite(parent, written); });
    if (waiting)
        QApplication::restoreOverrideCursor();
    tellFailure(ageWrite);
    tellFailure(run.finish());
}

} // namespace ulk::statement
