#pragma once
#include "statement/AgeSection.h"

#include <QString>
#include <chrono>
#include <functional>

class QWidget;

namespace ulk::report {
class ReportDefinition;
}

// The print of a computed statement section (I, II, III) from the main
// window's print menu, for the school year the main window shows: the
// section's run (StatementRun) counts it and fills its work table, the
// report is shown over the table as a modal print preview, and the table is
// emptied when the preview is closed. A failure is told in a message box
// and leaves the work table empty.
namespace ulk::statement {

class StatementRun;

class StatementPrint {
public:
    // Section I, rptVek over z_vek; the ages written while the preview is
    // shown wait for another program's lock at most ageWriteBound once it
    // is closed.
    static void printAgeSection(const QString &programDirectory, const QString &schoolYear, QWidget *parent,
                                std::chrono::milliseconds ageWriteBound = AgeSection::kWriteBound);
    // Section II, rptVzd over z_vzdelavanie.
    static void printEducationSection(const QString &programDirectory, const QString &schoolYear, QWidget *parent);
    // Section III, rptZam over z_zam.
    static void printEmployeeSection(const QString &programDirectory, QWidget *parent);

    // How section I waits for its ages once the preview is closed, until
    // written() is true. The windows repaint meanwhile (the user's input
    // waits); a wait longer than about half a second shows the program's
    // waiting window saying what the program waits for, which goes by itself
    // when the write ends. It has no "Zrušiť": the write is one transaction,
    // done or rolled back, and told so.
    static void awaitAgeWrite(const std::function<bool()> &written);

private:
    // Shows the report over the run's rows and ends the run, telling what failed.
    static void show(StatementRun &run, report::ReportDefinition &report, const QString &programDirectory,
                     QWidget *parent, std::chrono::milliseconds ageWriteBound);
};

} // namespace ulk::statement
