#include "common/ui/FormButton.h"

#include <QPushButton>

namespace ulk {

QPushButton *makeFormButton(QWidget *window, const char *name, const QString &caption, const QColor &colour)
{
    auto *b = new QPushButton(caption, window);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    QPalette p = b->palette();
    p.setColor(QPalette::Button, colour);
    b->setPalette(p);
    b->installEventFilter(window);
    return b;
}

} // namespace ulk
