#pragma once
#include <QString>
#include <array>

// The 28 lines of section V of the statement (professional care): four
// groups, each a total line and its member lines, and the check-sum line.
// Grid row i of the window is line i here and row i of the table odbstar.
namespace ulk {

// Texts of one grid: 28 rows by 10 columns (index 0 is column 1).
using OdbStarGrid = std::array<std::array<QString, 10>, 28>;

class OdbStarRowTable {
public:
    static constexpr int rows = 28;
    static constexpr int columns = 10;
    static constexpr int checkSumRow = 27;

    // v_tom: "v tom" on one member line of each group, else five blanks.
    static QString marker(int row);
    // naz_ria: the line's name with its leading blanks.
    static QString name(int row);
    // c_ria: "0501" .. "0527", "0536".
    static QString code(int row);
    // The caption the window shows for the line (no leading blanks).
    static QString windowLabel(int row);
    // Group totals (0, 5, 14, 21) and the check-sum line stand at the left
    // edge of the grid, member lines are indented.
    static bool isHeadLine(int row);

    // The group whose last member line is row: its total line, or -1.
    static int totalOfGroupEndingAt(int row);
    // The last member line of the group whose total is row, or -1.
    static int lastMemberOf(int totalRow);
};

} // namespace ulk
