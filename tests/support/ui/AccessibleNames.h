#pragma once
#include <QStringList>

class QWidget;

namespace ulk::test {

// The controls of a shown window that the keyboard reaches but assistive
// tools cannot tell apart: a visible control that takes the focus and has no
// accessible name, or one that only repeats the caption of a frame it stands
// in. Each entry names the control by its class and object name.
QStringList unnamedControls(QWidget *window);

} // namespace ulk::test
