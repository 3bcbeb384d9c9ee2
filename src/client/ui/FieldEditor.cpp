#include "client/ui/FieldEditor.h"

#include "common/Prompter.h"
#include "common/ui/FieldEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace ulk {

namespace {

bool isMoveKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

bool FieldEditor::eventFilter(QObject *watched, QEvent *event)
{
    const int i = boxIndex(watched);
    if (i < 0)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        gotFocus(i, static_cast<QFocusEvent *>(event));
        return false;
    case QEvent::FocusOut:
        lostFocus(i, static_cast<QFocusEvent *>(event));
        return false;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isMoveKey(key->key()))
            return keyDown(i, key);
        return keyPress(i, key);
    }
    default:
        return otherEvent(i, event);
    }
}

bool FieldEditor::isPassing(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

bool FieldEditor::onlyDigits(const QString &text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

bool FieldEditor::typesNonDigit(const QKeyEvent *event)
{
    const int key = event->key();
    const QString text = event->text();
    if (key == Qt::Key_Backspace || text.isEmpty() || key == Qt::Key_Tab || key == Qt::Key_Backtab
        || key == Qt::Key_Escape || key == Qt::Key_Delete)
        return false;
    return !(text.size() == 1 && onlyDigits(text));
}

void FieldEditor::refuseNonDigit(QWidget *box)
{
    tell(digitsOnlyMessage(), QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
    box->setFocus(Qt::OtherFocusReason);
}

void FieldEditor::selectTrimmed(FieldEdit *box, bool zeroShowsEmpty)
{
    const QString trimmed = box->text().trimmed();
    if (trimmed != box->text())
        box->setText(trimmed);
    if (zeroShowsEmpty && !trimmed.isEmpty() && onlyDigits(trimmed) && trimmed.toLongLong() == 0)
        box->setText(QString());
    box->selectAll();
}

bool FieldEditor::keptAfterMoveKey(FieldEdit *box, CheckResult result)
{
    if (retry(result)) {
        selectTrimmed(box);
        box->setFocus(Qt::OtherFocusReason);
        return true;
    }
    box->setTag(QStringLiteral("BK"));
    return false;
}

} // namespace ulk
