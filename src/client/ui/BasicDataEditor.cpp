#include "client/ui/BasicDataEditor.h"

#include "common/ui/FieldEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace ulk {

namespace F = BasicDataFields;

namespace {

bool isPickerName(const QString &name)
{
    return name.startsWith(QLatin1String("dbcvolby")) || name.startsWith(QLatin1String("cmbPos"))
        || name.startsWith(QLatin1String("cmbSek"));
}

// The picker that a widget belongs to (itself or one of its parents), by name.
QString pickerNameOf(QWidget *w)
{
    for (int depth = 0; w && depth < 3; ++depth, w = w->parentWidget())
        if (isPickerName(w->objectName()))
            return w->objectName();
    return QString();
}

// The paste entry of a line edit's own menu: its text ends in the paste
// shortcut (the menu names its actions only by their texts).
bool isPasteAction(const QAction *a)
{
    const QString accelerator = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    return a->objectName() == QLatin1String("edit-paste")
        || (!accelerator.isEmpty() && a->text().endsWith(QLatin1Char('\t') + accelerator));
}

} // namespace

BasicDataEditor::BasicDataEditor(const std::array<FieldEdit *, F::count> &fields, QObject *parent)
    : FieldEditor(parent), m_fields(fields)
{
    for (FieldEdit *f : m_fields) {
        f->installEventFilter(this);
        // Typing into a field again takes back its "validated" mark.
        connect(f, &QLineEdit::textEdited, f, [f] { f->setTag(QString()); });
    }
}

int BasicDataEditor::indexOf(const QObject *object) const
{
    for (int i = 0; i < F::count; ++i)
        if (m_fields[std::size_t(i)] == object)
            return i;
    return -1;
}

bool BasicDataEditor::otherEvent(int i, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ContextMenu:
        return F::at(i).digitsOnly && contextMenu(i, event);
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        // The X11 selection pasted by the middle button.
        if (F::at(i).digitsOnly && mouse->button() == Qt::MiddleButton
            && QGuiApplication::clipboard()->supportsSelection()) {
            guardedPaste(i, QGuiApplication::clipboard()->text(QClipboard::Selection));
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void BasicDataEditor::gotFocus(int i, QFocusEvent *event)
{
    if (isPassing(event->reason()) && m_lastFocused == i)
        return;
    m_lastFocused = i;
    FieldEdit *f = field(i);
    f->setTag(QString());
    // An age of 0 shows empty while it is edited.
    selectTrimmed(f, isAgeField(i));
}

void BasicDataEditor::sendFocusTo(int index)
{
    m_handlerEnded = true;
    m_redirect = index;
}

void BasicDataEditor::focusQuietly(int index)
{
    FieldEdit *f = field(index);
    if (!f->window()->isVisible())
        return;
    const bool wasChecking = m_checking;
    m_checking = true;
    if (!f->isVisible())
        emit fieldHidden(index);
    if (f->isEnabled())
        f->setFocus(Qt::OtherFocusReason);
    m_checking = wasChecking;
}

CheckResult BasicDataEditor::runCheck(int i, bool onKeyDown)
{
    m_handlerEnded = false;
    m_redirect = -1;
    m_checking = true;
    const CheckResult r = m_check ? m_check(i, onKeyDown) : CheckResult::Accepted;
    m_checking = false;
    return r;
}

bool BasicDataEditor::keyDown(int i, QKeyEvent *event)
{
    if (m_checking)
        return true;
    const CheckResult r = runCheck(i, true);
    FieldEdit *f = field(i);
    if (m_handlerEnded) {
        if (m_redirect >= 0)
            focusQuietly(m_redirect);
        return true;
    }
    if (keptAfterMoveKey(f, r))
        return true;
    const auto enabled = [this](int k) { return field(k)->isEnabled(); };
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down: {
        f->selectAll();
        const int target = F::moveTarget(i, FieldMove::Next, enabled);
        if (target != i)
            field(target)->setFocus(Qt::OtherFocusReason);
        break;
    }
    case Qt::Key_Up: {
        const int target = F::moveTarget(i, FieldMove::Previous, enabled);
        if (target != i)
            field(target)->setFocus(Qt::OtherFocusReason);
        break;
    }
    default:
        if (m_saveButton)
            m_saveButton->setFocus(Qt::OtherFocusReason);
        break;
    }
    return true;
}

bool BasicDataEditor::keyPress(int i, QKeyEvent *event)
{
    if (!F::at(i).digitsOnly)
        return false;
    if (!event->matches(QKeySequence::Paste) && !typesNonDigit(event))
        return false;
    refuseNonDigit(field(i));
    return true;
}

void BasicDataEditor::guardedPaste(int i, const QString &text)
{
    if (!onlyDigits(text)) {
        refuseNonDigit(field(i));
        return;
    }
    field(i)->insert(text);
}

bool BasicDataEditor::contextMenu(int i, QEvent *event)
{
    // The field's own menu, with a paste that takes digits only.
    FieldEdit *f = field(i);
    QMenu *menu = f->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction *a : menu->actions()) {
        if (isPasteAction(a)) {
            disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, this,
                    [this, i] { guardedPaste(i, QGuiApplication::clipboard()->text()); });
        }
    }
    menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
    return true;
}

void BasicDataEditor::lostFocus(int i, QFocusEvent *event)
{
    if (isPassing(event->reason()) || m_checking)
        return;
    FieldEdit *f = field(i);
    // A disabled field, or a window that is closing, checks nothing.
    if (!f->isEnabled() || !f->window()->isVisible())
        return;
    QWidget *receiver = QApplication::focusWidget();
    if (receiver && receiver == m_cancelButton)
        return;
    if (m_returningTo >= 0 && receiver == field(m_returningTo))
        return;
    const QString picker = pickerNameOf(receiver);
    if (!picker.isEmpty() && picker == F::pickerOf(i))
        return;
    if (picker.isEmpty() && f->tag() == QLatin1String("BK") && !isAgeField(i))
        return;
    const CheckResult r = runCheck(i, false);
    int target = -1;
    if (m_handlerEnded)
        target = m_redirect;
    else if (retry(r))
        target = i;
    if (target < 0)
        return;
    // The focus is on its way elsewhere: it goes to the target once it has
    // arrived (back to the field after a failed check).
    m_returningTo = target;
    QTimer::singleShot(0, this, [this, target] {
        focusQuietly(target);
        m_returningTo = -1;
    });
}

} // namespace ulk
