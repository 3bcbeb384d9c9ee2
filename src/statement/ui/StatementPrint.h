#pragma once
#include <QList>
#include <QStringList>
#include <functional>

namespace ulk {
class MainWindow;
namespace report {
class ReportDefinition;
}
}

// The print of a computed statement section (I, II, III) from the main
// window's print menu: the section is computed from the register for the
// school year that the main window shows, its lines fill the work table, the
// report is shown over the table as a modal print preview, and the table is
// emptied when the preview is closed. A failure is told in a message box
// and leaves the work table empty.
namespace ulk::statement {

class WorkTable;

class StatementPrint {
public:
    static void printAgeSection(MainWindow &window);        // section I, rptVek over z_vek
    static void printEducationSection(MainWindow &window);  // section II, rptVzd over z_vzdelavanie
    static void printEmployeeSection(MainWindow &window);   // section III, rptZam over z_zam

private:
    // Fills the work table, shows the report over it, empties the table;
    // whileShown runs once the table is read, just before the preview, and
    // afterShown once the preview is closed.
    static void show(MainWindow &window, const WorkTable &table, report::ReportDefinition &report,
                     const QList<QStringList> &lines, const std::function<void()> &whileShown = {},
                     const std::function<void()> &afterShown = {});
    // Tells that the section cannot be made, and empties its work table.
    static void fail(const WorkTable &table, const QString &why);
};

} // namespace ulk::statement
