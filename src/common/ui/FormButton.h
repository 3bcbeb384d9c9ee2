#pragma once

class QColor;
class QPushButton;
class QString;
class QWidget;

namespace ulk {

// A push button of a form window: named, no default button (Enter is the
// window's to handle: the window watches the button's events), in the
// window's button colour.
QPushButton *makeFormButton(QWidget *window, const char *name, const QString &caption, const QColor &colour);

} // namespace ulk
