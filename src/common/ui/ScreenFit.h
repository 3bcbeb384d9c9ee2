#pragma once
#include <QSize>

class QMargins;
class QScrollArea;
class QWidget;

// A window larger than the free area of its screen (a small screen, or one
// scaled up) keeps every control within reach of the mouse: its inside, the
// body, moves into a scroll area, and the window takes no more room than
// the screen has. A window that fits stays exactly as it was built.
namespace ulk {

class ScreenFit {
public:
    // The room a window's inside has: the available area of the screen the
    // window opens on, less its frame and title bar.
    static QSize room(const QWidget *window);
    // Gives every window this room instead of its screen's (an empty size
    // gives the screens' own back).
    static void setRoom(const QSize &room);

    // A window of fixed size whose controls are placed by hand (a main
    // window: its central widget). Returns the scroll area, or null where the
    // window fits.
    static QScrollArea *fitFixed(QWidget *window);
    // A window laid out: body holds its layout and becomes the window's
    // whole inside, in a scroll area where the window, at its size, does not
    // fit. Returns the scroll area, or null.
    static QScrollArea *fitLaidOut(QWidget *window, QWidget *body);
    // The margins a layout set directly on the window would have.
    static QMargins windowMargins(const QWidget *window);

private:
    static QScrollArea *scrolling(QWidget *window, QWidget *body);
};

} // namespace ulk
