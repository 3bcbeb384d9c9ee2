#include "statement/ui/StatementBox.h"

#include "common/ui/SingleLineValidator.h"

#include "common/ui/FieldProcedures.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace ulk {

namespace {

// A message box or a drop-down taking the focus for a while is no move.
bool isPassing(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

bool isDigit(const QString &text)
{
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}

} // namespace

StatementBox::StatementBox(int column, int index, QWidget *parent)
    : QLineEdit(parent), m_column(column), m_index(index), m_rest(QApplication::palette().color(QPalette::Base))
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setValidator(new SingleLineValidator(this));
    setAcceptDrops(false);
    setInputMethodHints(Qt::ImhDigitsOnly);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    paintBackground(m_rest);
}

QColor StatementBox::background() const { return palette().color(QPalette::Base); }

void StatementBox::paintBackground(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

void StatementBox::selectTrimmedLength()
{
    // As many characters from the start as the text has without its outer
    // blanks; the text itself stays as it is.
    setSelection(0, int(text().trimmed().size()));
}

void StatementBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    paintBackground(focusColour());
    selectTrimmedLength();
    // A click places the cursor after the focus has arrived: select again then.
    if (event->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, this, [this] {
            if (hasFocus())
                selectTrimmedLength();
        });
    if (!isPassing(event->reason()))
        emit entered(this);
}

void StatementBox::focusOutEvent(QFocusEvent *event)
{
    if (isPassing(event->reason())) {
        QLineEdit::focusOutEvent(event);
        return;
    }
    emit left(this, QApplication::focusWidget(), event->reason());
    paintBackground(m_rest);
    QLineEdit::focusOutEvent(event);
}

void StatementBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        enterAsTab(this, key);
        event->accept();
        return;
    }
    if (key == Qt::Key_Down) {
        // Down moves on as Tab does.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(this, &tab);
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const bool editingKey = key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Escape
        || key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool digit = isDigit(event->text()) && !(event->modifiers() & chords);
    const bool character = !event->text().isEmpty() || event->matches(QKeySequence::Paste)
        || event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo)
        || event->matches(QKeySequence::Redo);
    if (editingKey || digit || !character) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Any other character is dropped without a message.
    event->accept();
}

void StatementBox::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button would paste the X11 selection, whatever it holds.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace ulk
