#pragma once
#include "statement/DisabilityCounts.h"
#include "statement/StatementPeriod.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Section I of the statement: the clients of a school year by age band
// (0 to 18 years and more) and by disability, girls separately. A client
// belongs to the school year through a care record dated within it; the age
// is the one on the day of printing, written into k_zaklad.vek first (where
// vek does not already hold it).
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

    struct Result {
        QList<QStringList> lines;  // the rows of z_vek, in column order
        DisabilityCounts totals;   // the footer totals
    };

    // Writes the age of every client with a care record in the period and a
    // birth date (in one transaction), then counts the lines. Nothing, with
    // *error, when the register cannot be read or the ages cannot be written.
    static std::optional<Result> compute(const StatementPeriod &period, const QDate &today, QString *error);

    // The whole years completed on a day, at most 18; negative for a birth
    // date after that day.
    static int ageOn(const QDate &birth, const QDate &day);
};

} // namespace ulk::statement
