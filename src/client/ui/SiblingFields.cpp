#include "client/ui/SiblingFields.h"

#include "client/DisabilityCodes.h"
#include "client/ui/DisabilityEntry.h"
#include "client/ui/DisabilityPanel.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordTab.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FieldProcedures.h"

#include <QComboBox>
#include <QKeyEvent>

namespace ulk {

namespace {
constexpr int SexBox = 2;
} // namespace

SiblingFields::SiblingFields(SubRecordTab &tab) : QObject(&tab), m_tab(tab)
{
    QComboBox *sex = m_tab.page().sexPicker();
    connect(sex, &QComboBox::activated, this, &SiblingFields::chooseSex);
    sex->installEventFilter(this);
    m_tab.page().disability()->dominantPicker()->setEnabled(false);
}

DisabilityEntry *SiblingFields::entry() const { return m_tab.page().disability()->entry(); }

void SiblingFields::chooseSex(int index)
{
    QComboBox *sex = m_tab.page().sexPicker();
    if (index < 0 || index >= sex->count())
        return;
    FieldEdit *box = m_tab.page().box(SexBox);
    box->setText(sex->itemText(index).left(1));
    box->setFocus(Qt::OtherFocusReason);
}

bool SiblingFields::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tab.page().sexPicker()
        && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            // Back to the sex box; the window must not see the Esc.
            event->accept();
            if (event->type() == QEvent::KeyPress)
                m_tab.page().box(SexBox)->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void SiblingFields::showRow(const QVariant &postih, bool editing)
{
    const QString stored = postih.isNull() ? QString() : postih.toString().trimmed();
    entry()->loadDisabilityCodes(stored);
    if (editing)
        entry()->showDisabilityState(stored);
}

void SiblingFields::showNewRow() { entry()->loadDisabilityCodes(QVariant()); }

void SiblingFields::setAssociatedEnabled(bool enabled) { entry()->setAssociatedEnabled(enabled); }

CheckResult SiblingFields::enterDominantCode()
{
    DisabilityEntry *e = entry();
    FieldEdit *box = e->controls().dominantBox;
    if (DisabilityCodes::numericValue(box->text()) == 0)
        return CheckResult::Accepted;
    const CheckResult result = checkDisability(box, false, QStringLiteral("S"), e->codes().slotTexts());
    if (!retry(result))
        e->setDominantDisability(int(DisabilityCodes::numericValue(box->text())));
    box->clear();
    // The associated controls follow the dominant picker's last pick: its
    // first item ("no disability") keeps them closed.
    e->setAssociatedEnabled(e->controls().dominantPicker->currentIndex() != 0);
    return result;
}

CheckResult SiblingFields::enterAssociatedCode() { return entry()->enterAssociatedCode(); }

QString SiblingFields::codeString() const { return entry()->codeString(); }

} // namespace ulk
