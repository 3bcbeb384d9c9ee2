#pragma once
// The disability panel of a person as the tests read it.
#include "client/ui/DisabilityPanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

namespace ulk::test {

// The texts of the code slots, joined with '|'.
inline QString slotsOf(const DisabilityPanel *p)
{
    QStringList texts;
    for (const QLineEdit *s : p->slotBoxes())
        texts << s->text();
    return texts.join(QLatin1Char('|'));
}

// The first character of each item of a list.
inline QString listDigits(const QComboBox *list)
{
    QString d;
    for (int i = 0; i < list->count(); ++i)
        d += list->itemText(i).left(1);
    return d;
}

} // namespace ulk::test
