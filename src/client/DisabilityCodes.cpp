#include "client/DisabilityCodes.h"

namespace ulk {

namespace {
const QChar BrokenBar(0x00A6);

const char *const CategoryNames[DisabilityCodes::CategoryCount] = {
    "ŽIADNE POSTIHNUTIE",
    "syndróm autizmu",
    "mentálne",
    "sluchové",
    "zrakové",
    "rečové",
    "telesné",
    "špecifické vývinové poruchy správania",
    "špecifické vývinové poruchy učenia",
    "iné",
};
} // namespace

QString DisabilityCodes::listItem(int digit)
{
    if (digit < 0 || digit >= CategoryCount)
        return QString();
    return QString::number(digit) + QLatin1Char(' ') + BrokenBar + QLatin1Char(' ')
        + QString::fromUtf8(CategoryNames[digit]);
}

QStringList DisabilityCodes::listItems()
{
    QStringList items;
    for (int d = 0; d < CategoryCount; ++d)
        items << listItem(d);
    return items;
}

QStringList DisabilityCodes::dominantItems()
{
    QStringList items = listItems();
    items[0] = QStringLiteral("    ") + QString::fromUtf8(CategoryNames[0]);
    return items;
}

qint64 DisabilityCodes::numericValue(const QString &text)
{
    qint64 value = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        if (value < Q_INT64_C(100000000000000000))
            value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

DisabilityCodes::DisabilityCodes()
    : m_slots(SlotCount, QString())
    , m_list(listItems())
{
}

void DisabilityCodes::load(const QVariant &stored)
{
    clearSlots();
    fillList();
    // The window writes at most nine characters; a longer string from
    // elsewhere has no slot for the rest, so only its first nine are shown.
    const QString text = (stored.isNull() ? QString() : stored.toString()).trimmed().left(SlotCount);
    if (numericValue(text) == 0)
        return;
    for (int i = 0; i < text.size(); ++i) {
        m_slots[i] = text.at(i);
        QString code = m_slots.at(i);
        removeByCode(code);
    }
}

void DisabilityCodes::setDominant(int code)
{
    if (code < 0 || code >= CategoryCount)
        return;
    for (QString &s : m_slots)
        s = QStringLiteral(" ");
    m_slots[0] = code == 0 ? QString() : QString::number(code);
    fillList();
    removeFromList(code);
}

bool DisabilityCodes::removeFromList(int index)
{
    if (index <= 0 || index >= m_list.size())
        return false;
    m_list.removeAt(index);
    return true;
}

int DisabilityCodes::removeByCode(QString &code)
{
    int removed = -1;
    for (int i = 0; i < m_list.size(); ++i) {
        if (m_list.at(i).left(1) == code) {
            if (removeFromList(i))
                removed = i;
            break;
        }
    }
    code.clear();
    return removed;
}

void DisabilityCodes::fillList()
{
    m_list = listItems();
}

int DisabilityCodes::addCode(const QString &text)
{
    for (int i = 1; i < SlotCount; ++i) {
        if (isFree(m_slots.at(i))) {
            m_slots[i] = text;
            return i;
        }
    }
    return -1;
}

void DisabilityCodes::blankSlots()
{
    for (int i = 1; i < SlotCount; ++i)
        m_slots[i] = QStringLiteral(" ");
}

void DisabilityCodes::clearSlots()
{
    for (QString &s : m_slots)
        s.clear();
}

void DisabilityCodes::resetAssociated()
{
    blankSlots();
    fillList();
    removeFromList(dominantCode());
}

QString DisabilityCodes::chooseFromList(int index)
{
    if (index < 0 || index >= m_list.size())
        return QString();
    const QString code = m_list.at(index).left(1);
    if (code == QLatin1String("0")) {
        resetAssociated();
    } else {
        removeFromList(index);
        addCode(code);
    }
    return code;
}

void DisabilityCodes::enterAssociated(const QString &code)
{
    if (code.left(1) == QLatin1String("0")) {
        resetAssociated();
    } else {
        addCode(code);
        QString copy = code;
        removeByCode(copy);
    }
}

} // namespace ulk
