#pragma once
#include "statement/DisabilityCounts.h"
#include "statement/StatementPeriod.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <chrono>
#include <functional>

// Section I of the statement: the clients of a school year by age band
// (0 to 18 years and more) and by disability, girls separately. A client
// belongs to the school year through a care record dated within it; the age
// is the one on the day of printing, written into k_zaklad.vek (where vek
// does not already hold it).
namespace ulk::statement {

class AgeSection {
public:
    static constexpr int kLines = 19;

    struct Line {
        const char *stlpec;  // fragment of the vertical caption
        const char *vek;     // age band
        const char *cRiad;   // line code
    };
    // The nineteen lines, line a for the clients of a years (the last: 18 and more).
    static const Line &line(int a);

    // An age to be written into a client's row.
    struct Age {
        qint64 rowid = 0;
        int age = 0;
    };

    struct Result {
        QList<QStringList> lines;  // the rows of z_vek, in column order
        DisabilityCounts totals;   // the footer totals
        QList<Age> ages;           // the ages that vek does not hold yet
    };

    // Counts the lines by the age on the day given of every client with a
    // care record in the period and a birth date; reads only. Nothing, with
    // *error, when the register cannot be read.
    static std::optional<Result> count(const StatementPeriod &period, const QDate &today, QString *error);

    // How long the age write may wait for a lock that another program holds
    // once the preview has been closed.
    static constexpr std::chrono::milliseconds kWriteBound{5000};

    // Writes the ages into the register file in one transaction, on a
    // connection of its own that keeps the whole write in memory until its
    // commit (so that a reader of the register makes it wait once, at the
    // commit, not at every page). meanwhile runs on the calling thread while
    // the ages are written on a thread of their own; from its end on, the
    // write waits for a lock held by another program at most `bound`, else
    // it is rolled back. The wait for the write's end runs await on the
    // calling thread (given a test of whether the write has ended; it
    // returns once the test is true), or simply blocks without it. False,
    // with the Slovak cause in *error, when the ages are not written; then
    // none is.
    using Await = std::function<void(const std::function<bool()> &ended)>;
    static bool writeAges(const QString &registerFile, const QList<Age> &ages, QString *error,
                          const std::function<void()> &meanwhile = {},
                          std::chrono::milliseconds bound = kWriteBound, const Await &await = {});

    // The whole years completed on a day, at most 18; negative for a birth
    // date after that day.
    static int ageOn(const QDate &birth, const QDate &day);
};

} // namespace ulk::statement
