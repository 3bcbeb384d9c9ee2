#include "client/ui/DisabilityEntry.h"

#include "common/ui/FieldEdit.h"
#include "common/ui/FieldProcedures.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace ulk {

bool DisabilityEntry::isPersonLetter(const QString &person)
{
    return person == QLatin1String("K") || person == QLatin1String("M") || person == QLatin1String("O")
        || person == QLatin1String("S");
}

DisabilityEntry::DisabilityEntry(const QString &person, const DisabilityControls &controls, QObject *parent)
    : QObject(parent)
    , m_person(person)
    , m_controls(controls)
{
    const bool complete = controls.dominantBox && controls.associatedBox && controls.dominantPicker
        && controls.associatedList && controls.slotBoxes.size() == DisabilityCodes::SlotCount
        && !controls.slotBoxes.contains(nullptr);
    m_active = complete && isPersonLetter(person);
    if (!m_active)
        return;

    // The dominant picker is filled once and never shortened: index = code.
    if (m_controls.dominantPicker->count() == 0) {
        QSignalBlocker block(m_controls.dominantPicker);
        m_controls.dominantPicker->addItems(DisabilityCodes::dominantItems());
        m_controls.dominantPicker->setCurrentIndex(-1);
    }
    showSlots();
    showList();

    connect(m_controls.dominantPicker, &QComboBox::activated, this, &DisabilityEntry::chooseDominant);
    connect(m_controls.associatedList, &QComboBox::activated, this, &DisabilityEntry::chooseAssociated);
    m_controls.dominantPicker->installEventFilter(this);
    m_controls.associatedList->installEventFilter(this);
}

void DisabilityEntry::showSlots()
{
    for (int i = 0; i < DisabilityCodes::SlotCount; ++i)
        m_controls.slotBoxes.at(i)->setText(m_codes.slotText(i));
}

void DisabilityEntry::showList()
{
    QComboBox *list = m_controls.associatedList;
    QSignalBlocker block(list);
    list->clear();
    list->addItems(m_codes.list());
    // Nothing is chosen until the user picks a category.
    list->setCurrentIndex(-1);
}

void DisabilityEntry::loadDisabilityCodes(const QVariant &stored)
{
    if (!active())
        return;
    m_codes.load(stored);
    showSlots();
    showList();
}

void DisabilityEntry::setDominantDisability(int code)
{
    if (!active() || code < 0 || code >= DisabilityCodes::CategoryCount)
        return;
    m_codes.setDominant(code);
    showSlots();
    showList();
    m_controls.dominantBox->setText(m_codes.slotText(0));
    m_controls.associatedBox->clear();
}

void DisabilityEntry::removeDisabilityFromList(int index)
{
    if (!active())
        return;
    if (m_codes.removeFromList(index))
        showList();
}

void DisabilityEntry::removeDisabilityByCode(QString &code)
{
    if (!active()) {
        code.clear();
        return;
    }
    if (m_codes.removeByCode(code) >= 0)
        showList();
}

void DisabilityEntry::fillDisabilityList()
{
    if (!active())
        return;
    m_codes.fillList();
    showList();
}

void DisabilityEntry::addDisabilityCode(FieldEdit *box)
{
    if (!active() || !box)
        return;
    if (m_codes.addCode(box->text()) >= 0)
        showSlots();
}

void DisabilityEntry::blankDisabilitySlots()
{
    if (!active())
        return;
    m_codes.blankSlots();
    showSlots();
}

void DisabilityEntry::resetAssociated()
{
    // The associated codes go, the dominant one stays: every category but
    // the dominant one is offered again.
    blankDisabilitySlots();
    fillDisabilityList();
    removeDisabilityFromList(m_codes.dominantCode());
}

void DisabilityEntry::chooseAssociated(int index)
{
    if (!active() || index < 0 || index >= m_controls.associatedList->count())
        return;
    FieldEdit *box = m_controls.associatedBox;
    box->setText(m_controls.associatedList->itemText(index).left(1));
    if (box->text() == QLatin1String("0")) {
        resetAssociated();
    } else {
        removeDisabilityFromList(index);
        addDisabilityCode(box);
    }
    box->clear();
    box->setFocus();
}

void DisabilityEntry::chooseDominant(int index)
{
    if (!active() || index < 0 || index >= DisabilityCodes::CategoryCount)
        return;
    setDominantDisability(index);
    updateAssociatedEnabled();
    m_controls.dominantBox->setFocus();
    m_controls.dominantBox->clear();
}

CheckResult DisabilityEntry::enterDominantCode()
{
    if (!active())
        return CheckResult::Skipped;
    FieldEdit *box = m_controls.dominantBox;
    if (DisabilityCodes::numericValue(box->text()) == 0)
        return CheckResult::Accepted;
    const CheckResult result = checkDisability(box, false, m_person, m_codes.slotTexts());
    if (!retry(result))
        setDominantDisability(int(DisabilityCodes::numericValue(box->text())));
    box->clear();
    // Whether the dominant code was typed and confirmed by a key or the box
    // was left, the associated controls follow the code that slot 0 now
    // holds (not the picker's last pick, which typing does not change).
    updateAssociatedEnabled();
    return result;
}

CheckResult DisabilityEntry::enterAssociatedCode()
{
    if (!active())
        return CheckResult::Skipped;
    FieldEdit *box = m_controls.associatedBox;
    const CheckResult result = checkDisability(box, true, m_person, m_codes.slotTexts());
    if (!retry(result)) {
        if (box->text().left(1) == QLatin1String("0")) {
            resetAssociated();
        } else {
            addDisabilityCode(box);
            QString code = box->text();
            removeDisabilityByCode(code);
        }
    }
    box->clear();
    return result;
}

void DisabilityEntry::setAssociatedEnabled(bool enabled)
{
    if (!active())
        return;
    m_controls.associatedList->setEnabled(enabled);
    m_controls.associatedBox->setEnabled(enabled);
}

void DisabilityEntry::updateAssociatedEnabled()
{
    setAssociatedEnabled(m_codes.hasDominant());
}

void DisabilityEntry::showDisabilityState(const QVariant &stored)
{
    const QString text = stored.isNull() ? QString() : stored.toString();
    setAssociatedEnabled(DisabilityCodes::numericValue(text) >= 1);
}

bool DisabilityEntry::eventFilter(QObject *watched, QEvent *event)
{
    if (!active() || (watched != m_controls.dominantPicker && watched != m_controls.associatedList))
        return QObject::eventFilter(watched, event);
    auto *combo = static_cast<QComboBox *>(watched);
    FieldEdit *box = combo == m_controls.dominantPicker ? m_controls.dominantBox : m_controls.associatedBox;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        // Esc in a list goes back to its code box; it must not reach the
        // window, where it would cancel the whole record.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier)
            break;
        event->accept();
        if (event->type() == QEvent::KeyPress)
            box->setFocus(Qt::OtherFocusReason);
        return true;
    }
    case QEvent::Wheel:
        // A turn of the wheel over a list that the user is not working in
        // must not choose a category.
        if (!combo->hasFocus()) {
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ulk
