#pragma once
#include <QStringList>

class QWidget;

namespace ulk::test {

// The captions of a shown window that do not show whole in the program's
// font: a button, option, check box or label whose text is wider than its
// control, a control reaching out of its parent, a tab bar hiding tabs, or a
// window that does not fit a 1024×768 screen with its frame. Each entry
// names the control.
QStringList clippedCaptions(QWidget *window);

} // namespace ulk::test
