#include "support/ui/AccessibleNames.h"

#include <QAccessible>
#include <QGroupBox>
#include <QWidget>

namespace ulk::test {

QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || !w->isVisible() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        const QString name = a ? a->text(QAccessible::Name).remove(QLatin1Char('&')).trimmed() : QString();
        bool frameCaption = false;
        for (QWidget *up = w->parentWidget(); up && up != window; up = up->parentWidget())
            if (auto *frame = qobject_cast<QGroupBox *>(up))
                frameCaption = frameCaption || name == frame->title().remove(QLatin1Char('&')).trimmed();
        if (name.isEmpty() || frameCaption)
            unnamed << QStringLiteral("%1 %2 \"%3\"").arg(QString::fromLatin1(w->metaObject()->className()),
                                                           w->objectName(), name);
    }
    return unnamed;
}

} // namespace ulk::test
