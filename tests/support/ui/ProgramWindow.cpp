#include "support/ui/ProgramWindow.h"

#include <QTest>

namespace ulk::test {

bool ProgramWindow::show()
{
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

bool ProgramWindow::start() { return window.load() && show(); }

} // namespace ulk::test
