#include "statement/ui/StatementWindow.h"

#include "common/ui/EnterPressesButton.h"
#include "common/ui/FieldProcedures.h"
#include "common/ui/FormButton.h"
#include "statement/ui/StatementBox.h"

#include <QPushButton>
#include <QTimer>

namespace ulk {

StatementWindow::StatementWindow(QWidget *parent) : QDialog(parent)
{
    setModal(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, background());
    setPalette(p);
    setAutoFillBackground(true);
}

int StatementWindow::exec()
{
    if (m_refused)
        return QDialog::Rejected;
    return QDialog::exec();
}

void StatementWindow::addBox(StatementBox *box)
{
    connect(box, &StatementBox::left, this, &StatementWindow::boxLeft);
}

QPushButton *StatementWindow::addButton(const char *name, const QString &caption, std::function<void()> action)
{
    QPushButton *b = makeFormButton(this, name, caption, buttonColour());
    m_buttons << Button{b, std::move(action)};
    connect(b, &QPushButton::clicked, this, [this, b] { buttonClicked(b); });
    return b;
}

QPushButton *StatementWindow::buttonOf(QWidget *w) const
{
    for (const Button &b : m_buttons)
        if (b.button == w)
            return b.button;
    return nullptr;
}

bool StatementWindow::confirm(const QString &message)
{
    ++m_questions;
    return confirmFix(message);
}

void StatementWindow::finish(int result)
{
    if (m_finished)
        return;
    m_finished = true;
    done(result);
}

bool StatementWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on a button presses it.
    if (buttonOf(qobject_cast<QWidget *>(watched)) && enterPressesButton(watched, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void StatementWindow::boxLeft(StatementBox *box, QWidget *receiver, Qt::FocusReason reason)
{
    // The focus passing through a box on its way back is no leave of the user's.
    if (m_finished || m_returning || !isVisible())
        return;
    m_questions = 0;
    validateBox(box, receiver);
    QPushButton *pressed = buttonOf(receiver);
    if (StatementBox *target = refocusTarget(box)) {
        returnFocus(target, pressed);
        return;
    }
    // A question shown while a button was being pressed swallows the rest of
    // the click: the button does what the click asked for once the question
    // has been answered No.
    if (m_questions > 0 && pressed && reason == Qt::MouseFocusReason) {
        const quint64 clicks = m_clicks;
        QTimer::singleShot(0, this, [this, pressed = QPointer<QPushButton>(pressed), clicks] {
            if (!pressed)
                return;
            pressed->setDown(false);
            if (!m_finished && clicks == m_clicks && focusWidget() == pressed)
                buttonClicked(pressed);
        });
    }
}

void StatementWindow::returnFocus(StatementBox *target, QPushButton *pressed)
{
    m_dropClick = pressed;
    QTimer::singleShot(0, this, [this, target = QPointer<StatementBox>(target), pressed = QPointer<QPushButton>(pressed)] {
        m_dropClick = nullptr;
        if (pressed)
            pressed->setDown(false);
        if (m_finished || !target)
            return;
        m_returning = true;
        target->setFocus(Qt::OtherFocusReason);
        m_returning = false;
    });
}

void StatementWindow::buttonClicked(QPushButton *button)
{
    ++m_clicks;
    if (m_finished)
        return;
    // The click that left a box to be fixed does nothing.
    if (m_dropClick && m_dropClick == button)
        return;
    for (const Button &b : m_buttons)
        if (b.button == button && b.action)
            b.action();
}

} // namespace ulk
