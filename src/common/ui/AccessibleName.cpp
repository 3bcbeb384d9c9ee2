#include "common/ui/AccessibleName.h"

#include <QWidget>

namespace ulk {

QString pickerName(const QString &fieldName) { return fieldName + QStringLiteral(" – zoznam na výber"); }

void nameControl(QWidget *control, const QString &caption)
{
    QString name = caption;
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    control->setAccessibleName(name.trimmed());
}

} // namespace ulk
