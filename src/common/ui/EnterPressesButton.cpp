#include "common/ui/EnterPressesButton.h"

#include <QKeyEvent>
#include <QAbstractButton>

namespace ulk {

bool enterPressesButton(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    auto *b = qobject_cast<QAbstractButton *>(watched);
    if (!b || (key != Qt::Key_Return && key != Qt::Key_Enter))
        return false;
    if (b->isEnabled())
        b->click();
    return true;
}

} // namespace ulk
