#include "support/ui/ProgramWindow.h"

#include <QTest>

namespace ulk::test {

bool ProgramWindow::show()
{
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

bool ProgramWindow::start() { return test::start(window); }

bool start(MainWindow &window)
{
    if (!window.load())
        return false;
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace ulk::test
