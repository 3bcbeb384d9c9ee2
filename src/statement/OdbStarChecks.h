#pragma once
#include "statement/OdbStarRowTable.h"

#include <QList>
#include <QString>
#include <optional>

// The cross sums of the section V grid, as plain computations over the
// texts of its boxes (each box counts as the numeric value of its text, an
// empty box as 0):
// - in every row, column 1 is the sum of columns 2 to 5 and column 6 the sum
//   of columns 7 to 10 (tested when a box of column 5 or 10 is left);
// - in every column, a group's total line is the sum of its member lines
//   (tested when the group's last member line is left);
// - in every column, line 0536 is the check sum of lines 0501 to 0527, the
//   totals counted as well as their members (tested when line 0536 is left).
namespace ulk {

class OdbStarChecks {
public:
    // A sum that does not match: the question to ask, and where a Yes sends
    // the focus (column 1 to 10, grid row).
    struct Mismatch {
        QString message;
        int column = 0;
        int row = -1;
        bool endsValidation = false; // a Yes leaves the checks after it unasked
    };

    // The sums tested when the box of column (1 to 10) and row is left that
    // do not match, in the order in which they are asked.
    static QList<Mismatch> mismatches(const OdbStarGrid &texts, int column, int row);

    // "Stĺpec 1 <> s2+s3+s4+s5 !" (column 5) or "Stĺpec 6 <> s7+s8+s9+s10 !" (column 10).
    static QString splitMessage(int column);
    // "Riadok 0501 stl.N <> r0502+r0503+r0504+r0505 !" and its like, for the
    // group whose total line is totalRow.
    static QString groupMessage(int totalRow, int column);
    // "Nesprávny Kontrolný súčet r0536 SN !".
    static QString checkSumMessage(int column);

    // The check sum of a column: lines 0501 to 0527 added in order, each
    // partial sum rounded to a whole number. It is kept in 64 bits, so a
    // column of large counts does not overflow; nothing when a sum would
    // leave even that range.
    static std::optional<qint64> checkSum(const OdbStarGrid &texts, int column);

    static double value(const OdbStarGrid &texts, int column, int row);
};

} // namespace ulk
