#pragma once
#include <QStringList>

class QWidget;

namespace ulk::test {

// The captions of a shown window that do not show whole in the program's
// font: a button, option, check box or label whose text is wider than its
// control, a control reaching out of its parent, a tab bar hiding tabs, or a
// window larger than a 1366×768 screen. Each entry names the control.
QStringList clippedCaptions(QWidget *window);

} // namespace ulk::test
