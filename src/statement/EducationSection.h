#pragma once
#include "statement/DisabilityCounts.h"
#include "statement/StatementPeriod.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Section II of the statement: for each kind of educational facility (the
// 'VYCH' rows of the code list c_zariad, in code order) the clients with a
// dominant disability who still attend a facility of that kind and have a
// care record in the school year, in total, girls, and by disability.
namespace ulk::statement {

class EducationSection {
public:
    // The statement has sixteen rows, 0201 to 0216.
    static constexpr int kRows = 16;

    struct Row {
        const char *cRiad;
        const char *stlpec1;  // fragments of the two vertical captions
        const char *stlpec2;
    };
    static const Row &row(int i);

    // Kinds whose row the statement form crosses out.
    static bool isCrossedOut(const QString &kod);

    struct Result {
        QList<QStringList> lines;  // the rows of z_vzdelavanie, in column order
        DisabilityCounts totals;   // the footer totals
    };

    // Nothing, with *error, when the register cannot be read or the code list
    // has more kinds than the statement has rows.
    static std::optional<Result> compute(const StatementPeriod &period, QString *error);
};

} // namespace ulk::statement
