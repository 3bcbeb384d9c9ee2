#pragma once

class QEvent;
class QObject;

namespace ulk {

// For the event filter of a window whose push buttons are no default
// buttons: Enter on a watched button presses it (when it is enabled) and is
// taken; true where the event was taken.
bool enterPressesButton(QObject *watched, QEvent *event);

} // namespace ulk
