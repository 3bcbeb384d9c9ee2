#include "client/ui/ClientPickers.h"

#include "client/ui/BasicDataEditor.h"
#include "client/ui/BasicDataPages.h"
#include "common/ui/CodePicker.h"
#include "common/ui/FieldEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace ulk {

ClientPickers::ClientPickers(BasicDataPages &pages, BasicDataEditor &editor, QObject *parent)
    : QObject(parent), m_pages(pages), m_editor(editor)
{
    QComboBox *sex = m_pages.positionPicker(sexPicker);
    connect(sex, &QComboBox::activated, this, &ClientPickers::chooseSex);
    sex->installEventFilter(this);

    CodePicker *insurer = m_pages.picker(insurerPicker);
    insurer->setCopyOnLeave(false);
    insurer->installEventFilter(this);
}

void ClientPickers::chooseSex(int index)
{
    QComboBox *sex = m_pages.positionPicker(sexPicker);
    if (index < 0 || index >= sex->count())
        return;
    FieldEdit *field = m_pages.field(sexField);
    field->setText(sex->itemText(index).left(1));
    field->setFocus(Qt::OtherFocusReason);
}

bool ClientPickers::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pages.positionPicker(sexPicker)
        && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            // Back to the sex field; the window must not see the Esc.
            event->accept();
            if (event->type() == QEvent::KeyPress)
                m_pages.field(sexField)->setFocus(Qt::OtherFocusReason);
            return true;
        }
    } else if (watched == m_pages.picker(insurerPicker) && event->type() == QEvent::FocusOut) {
        CodePicker *insurer = m_pages.picker(insurerPicker);
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        QWidget *receiver = QApplication::focusWidget();
        // Its own drop-down list or a message box taking the focus is no leave.
        const bool ownList = receiver && receiver->window() == insurer->view()->window();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !ownList
            && receiver != m_pages.field(insurerField)) {
            // Once the focus has arrived where the user sent it, it goes on
            // into the insurer's field.
            QTimer::singleShot(0, this, [this] { m_editor.focusQuietly(insurerField); });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ulk
