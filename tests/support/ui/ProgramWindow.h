#pragma once
#include "app/ui/MainWindow.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"

namespace ulk::test {

// The main window on a fresh register, as the program starts: a temporary
// program directory with a new ulk.mdb, the scripted prompter that answers
// the program's boxes, and the main window of that directory, not loaded yet
// (the register opens with load()). A test names the three parts it uses:
//     test::ProgramWindow program;
//     auto &[dir, p, w] = program;
struct ProgramWindow {
    ProgramDir dir;
    ScriptedPrompter prompter;
    MainWindow window{dir.path()};

    // Shows the window and waits until it is active.
    bool show();
    // Loads the register as the program does at its start, then shows the window.
    bool start();
};

// Loads the register of a main window as the program does at its start, shows
// the window and waits until it is active.
bool start(MainWindow &window);

} // namespace ulk::test
