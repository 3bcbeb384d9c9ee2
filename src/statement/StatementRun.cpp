#include "statement/StatementRun.h"

#include "common/Clock.h"
#include "common/FailureText.h"
#include "common/LongWork.h"
#include "data/Database.h"
#include "data/LockWaitBound.h"
#include "data/Parts.h"
#include "data/PendingPages.h"
#include "data/RegisterConnection.h"
#include "statement/EducationSection.h"
#include "statement/EmployeeSection.h"
#include "statement/StatementPeriod.h"
#include "statement/WorkTable.h"

namespace ulk::statement {

namespace {

const WorkTable &tableOf(StatementRun::Section section)
{
    switch (section) {
    case StatementRun::Section::Ages: return WorkTable::ages();
    case StatementRun::Section::Education: return WorkTable::education();
    case StatementRun::Section::Employees: break;
    }
    return WorkTable::employees();
}

} // namespace

StatementRun::StatementRun(Section section, const QString &programDirectory, const QString &schoolYear)
    : m_section(section), m_directory(programDirectory), m_schoolYear(schoolYear), m_table(tableOf(section))
{
}

StatementRun::~StatementRun() = default;

QString StatementRun::reportConnectionName() const { return m_report ? m_report->name() : QString(); }

bool StatementRun::fail(const QString &message)
{
    m_report.reset();
    // Whatever a failed run wrote, or an interrupted one left, must not come
    // out in the next one.
    {
        const LockWaitBound bound(Database::connection());
        m_table.clear(nullptr);
    }
    m_failure = message;
    return false;
}

std::optional<QList<QStringList>> StatementRun::compute(QString *why)
{
    if (m_section == Section::Employees)
        return EmployeeSection::compute(why);
    const std::optional<StatementPeriod> period = StatementPeriod::fromSchoolYear(m_schoolYear);
    if (!period) {
        *why = QStringLiteral("školský rok '%1' nie je v tvare rok/rok+1").arg(m_schoolYear);
        return std::nullopt;
    }
    if (m_section == Section::Education) {
        std::optional<EducationSection::Result> result = EducationSection::compute(*period, why);
        if (!result)
            return std::nullopt;
        m_totals = result->totals;
        return std::move(result->lines);
    }
    std::optional<AgeSection::Result> result = AgeSection::count(*period, Clock::today(), why);
    if (!result)
        return std::nullopt;
    m_totals = result->totals;
    m_ages = std::move(result->ages);
    return std::move(result->lines);
}

bool StatementRun::prepare()
{
    const LongWork::Action counting(QStringLiteral("Štatistický výkaz"), QStringLiteral("Zostavuje sa výkaz …"));
    m_failure.clear();
    QString why;
    std::optional<QList<QStringList>> lines;
    // The fill commits on the window thread, and a commit waits until every
    // page of the file that the system has not written yet is on the disk
    // (a register copied into place just before leaves gigabytes): they are
    // written out on a thread of their own while the section is counted.
    const QStringList writing = Parts::run(
        1,
        [this](int) {
            PendingPages::writeOut(Database::pathIn(m_directory));
            return QString();
        },
        [&] { lines = compute(&why); });
    if (Parts::notStarted(writing))
        why = LongWork::startFailure();
    bool filled = false;
    if (lines) {
        // A register held by another program is told within the bound, the
        // fill's wait and the clear's after it together.
        const LockWaitBound bound(Database::connection());
        filled = m_table.fill(*lines, &why);
    }
    if (!filled)
        return fail(QStringLiteral("Výkaz nie je možné zostaviť: ") + why);
    m_report = std::make_unique<RegisterConnection>(Database::pathIn(m_directory),
                                                    RegisterConnection::Access::ReadOnly,
                                                    RegisterConnection::Api::QtSql, QStringLiteral("ulk-report"));
    if (!m_report->isOpen())
        return fail(QStringLiteral("Zostavu nie je možné zobraziť: ") + m_report->error());
    std::optional<RowSet> rows = m_table.read(m_report->database(), &why);
    if (!rows)
        return fail(QStringLiteral("Zostavu nie je možné zobraziť: ") + why);
    m_rows = std::move(*rows);
    return true;
}

QString StatementRun::whileShown(const std::function<void()> &shown, std::chrono::milliseconds ageWriteBound,
                                 const AgeSection::Await &awaitAges)
{
    if (m_section != Section::Ages) {
        shown();
        return QString();
    }
    // The counts are made already; the ages go into the clients' rows while
    // the preview is shown.
    QString why;
    if (AgeSection::writeAges(Database::pathIn(m_directory), m_ages, &why, shown, ageWriteBound, awaitAges))
        return QString();
    return failureMessage(QStringLiteral("Vek klientov sa nepodarilo zapísať do registra."), why);
}

QString StatementRun::finish()
{
    m_report.reset();
    QString why;
    const LockWaitBound bound(Database::connection());
    if (m_table.clear(&why))
        return QString();
    return failureMessage(QStringLiteral("Pracovnú tabuľku %1 sa nepodarilo vyprázdniť.").arg(m_table.name()), why);
}

} // namespace ulk::statement
