#pragma once
#include "statement/DisabilityCounts.h"
#include "statement/StatementPeriod.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <thread>

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

    // Writes the ages into the register file in one transaction, on a
    // connection of its own (so on any thread). False, with *error, when
    // they cannot be written; then none is.
    static bool writeAges(const QString &registerFile, const QList<Age> &ages, QString *error);

    // Writes the ages on a thread of its own from its construction, so that
    // the preview is shown meanwhile; finish() waits for the write.
    class Writer {
    public:
        Writer(const QString &registerFile, QList<Age> ages);
        ~Writer();
        Writer(const Writer &) = delete;
        Writer &operator=(const Writer &) = delete;
        // Waits for the write; false, with *error, when it failed.
        bool finish(QString *error);

    private:
        // Declared before the thread, which sets them.
        bool m_ok = false;
        QString m_error;
        std::thread m_thread;
    };

    // The whole years completed on a day, at most 18; negative for a birth
    // date after that day.
    static int ageOn(const QDate &birth, const QDate &day);
};

} // namespace ulk::statement
