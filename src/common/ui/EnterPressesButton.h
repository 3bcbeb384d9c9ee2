#pragma once

class QEvent;
class QObject;

namespace ulk {

// For the event filter of a window whose buttons are no default buttons:
// Enter on a watched button (a push or a tool button) presses it when it is
// enabled and is taken; true where the event was taken.
bool enterPressesButton(QObject *watched, QEvent *event);

} // namespace ulk
