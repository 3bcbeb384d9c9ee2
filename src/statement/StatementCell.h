#pragma once
#include <QString>

// The texts of the cells of the statement work tables z_vek, z_vzdelavanie
// and z_zam: every cell is text.
namespace ulk::statement {

class StatementCell {
public:
    // A count as its decimal digits; a count of zero as an empty text (not
    // Null), so that the printed cell stays blank.
    static QString count(int n);
    // A cell that the statement form crosses out: in section III behind three
    // blanks, in section II behind two.
    static QString crossedOutEmployees() { return QStringLiteral("   x"); }
    static QString crossedOutEducation() { return QStringLiteral("  x"); }
};

} // namespace ulk::statement
