#include "support/ui/QueuedInput.h"

#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace ulk::test {

void queueClick(QWidget *widget)
{
    QWidget *top = widget->window();
    const QPoint middle = widget->rect().center();
    const QPointF local = widget->mapTo(top, middle);
    const QPointF global = widget->mapToGlobal(middle);
    using Queued = QWindowSystemInterface::AsynchronousDelivery;
    QWindowSystemInterface::handleMouseEvent<Queued>(top->windowHandle(), local, global, Qt::LeftButton,
                                                     Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<Queued>(top->windowHandle(), local, global, Qt::NoButton,
                                                     Qt::LeftButton, QEvent::MouseButtonRelease);
}

} // namespace ulk::test
