#pragma once

class QWidget;

namespace ulk::test {

// A left click on the middle of widget, queued as the window system queues
// the user's clicks: the program takes it when its window thread next
// handles the user's input (QTest's clicks are handled at once instead).
void queueClick(QWidget *widget);

} // namespace ulk::test
