#pragma once
#include "data/RowSet.h"
#include "statement/AgeSection.h"
#include "statement/DisabilityCounts.h"

#include <QString>
#include <chrono>
#include <functional>
#include <memory>

namespace ulk {
class RegisterConnection;
}

// One print of a computed statement section (I, II, III) as far as the
// register goes. Given the program directory and the school year it counts
// the section, fills the section's work table, reads the table back on a
// report connection of its own for the preview, writes section I's ages
// while the preview is shown, and empties the work table when the preview
// is closed. Its failures are the messages the user is told, Slovak from the
// first word to the last; a failed run leaves the work table empty.
namespace ulk::statement {

class WorkTable;

class StatementRun {
public:
    enum class Section { Ages, Education, Employees };

    StatementRun(Section section, const QString &programDirectory, const QString &schoolYear);
    ~StatementRun();
    StatementRun(const StatementRun &) = delete;
    StatementRun &operator=(const StatementRun &) = delete;

    // Counts the section, fills the work table and reads it on the report
    // connection. False, with failure(), when the section cannot be made or
    // its rows cannot be read for the report.
    bool prepare();
    QString failure() const { return m_failure; }

    // The rows of the work table, in the order written, for the report.
    const RowSet &rows() const { return m_rows; }
    // Sections I and II: the totals of the report's footer.
    const DisabilityCounts &totals() const { return m_totals; }
    QString schoolYear() const { return m_schoolYear; }
    // The name of the report connection while it is open.
    QString reportConnectionName() const;

    // Runs shown (the preview) on the calling thread. Section I writes the
    // ages into the clients' rows meanwhile; once shown has returned the
    // write waits for a lock that another program holds at most
    // ageWriteBound, else it is rolled back; awaitAges waits for the write's
    // end (AgeSection::writeAges). The message of a failed age write, or an
    // empty text.
    QString whileShown(const std::function<void()> &shown,
                       std::chrono::milliseconds ageWriteBound = AgeSection::kWriteBound,
                       const AgeSection::Await &awaitAges = {});

    // Releases the report connection and empties the work table. The
    // message when the table cannot be emptied, or an empty text.
    QString finish();

private:
    bool fail(const QString &message);
    std::optional<QList<QStringList>> compute(QString *why);

    Section m_section;
    QString m_directory;
    QString m_schoolYear;
    const WorkTable &m_table;
    QString m_failure;
    RowSet m_rows;
    DisabilityCounts m_totals;
    QList<AgeSection::Age> m_ages;
    std::unique_ptr<RegisterConnection> m_report;
};

} // namespace ulk::statement
