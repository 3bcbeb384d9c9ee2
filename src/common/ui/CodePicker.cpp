#include "common/ui/CodePicker.h"

#include "common/SharedState.h"
#include "common/ui/FieldEdit.h"
#include "data/CodeList.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStylePainter>

namespace ulk {

CodePicker::CodePicker(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, &CodePicker::onActivated);
}

void CodePicker::setCodeList(CodeList *list)
{
    m_list = list;
    {
        const QSignalBlocker block(this);
        clear();
        if (m_list)
            addItems(m_list->lines());
        setCurrentIndex(-1);
    }
    m_pickedRow = -1;
    m_pickText.clear();
    m_escPressed = false;
}

void CodePicker::reloadList()
{
    const int row = m_pickedRow;
    const QString line = row >= 0 ? itemText(row) : QString();
    const QString pickText = m_pickText;
    const bool esc = m_escPressed;
    setCodeList(m_list);
    m_escPressed = esc;
    if (row >= 0 && m_list && row < m_list->size() && m_list->line(row) == line && m_field
        && m_field->text() == pickText) {
        const QSignalBlocker block(this);
        setCurrentIndex(row);
        m_pickedRow = row;
        m_pickText = pickText;
    }
}

void CodePicker::pairWith(FieldEdit *field)
{
    if (m_field)
        disconnect(m_field, nullptr, this, nullptr);
    m_field = field;
    clearPick();
    if (!m_field)
        return;
    connect(m_field, &QLineEdit::textChanged, this, &CodePicker::onFieldTextChanged);
    connect(m_field, &FieldEdit::loaded, this, &CodePicker::clearPick);
    connect(m_field, &QObject::destroyed, this, [this] { m_field = nullptr; });
}

bool CodePicker::copyPick()
{
    const int row = currentIndex();
    if (row < 0 || !m_field)
        return false;
    const QString line = itemText(row);
    writePick(row, m_cut > 0 ? line.left(m_cut) : line);
    return true;
}

void CodePicker::writePick(int row, const QString &text)
{
    if (!m_field)
        return;
    m_pickedRow = row;
    m_pickText = text;
    m_writing = true;
    m_field->setText(text);
    m_writing = false;
    // A narrow field shows the start of the copy, not its end.
    m_field->setCursorPosition(0);
    if (currentIndex() != row) {
        const QSignalBlocker block(this);
        setCurrentIndex(row);
    }
}

int CodePicker::pickedRow() const
{
    if (m_pickedRow < 0 || !m_field || m_field->text() != m_pickText)
        return -1;
    return m_pickedRow;
}

void CodePicker::clearPick()
{
    m_pickedRow = -1;
    m_pickText.clear();
    if (currentIndex() != -1) {
        const QSignalBlocker block(this);
        setCurrentIndex(-1);
    }
}

void CodePicker::setEscPressed(bool pressed)
{
    m_escPressed = pressed;
    shared().comboEscPressed = pressed;
}

void CodePicker::onFieldTextChanged(const QString &text)
{
    if (m_writing || m_pickedRow < 0)
        return;
    if (text != m_pickText)
        clearPick();
}

void CodePicker::onActivated(int row)
{
    const bool fromList = m_popupClosed;
    m_popupClosed = false;
    if (row < 0)
        return;
    setEscPressed(false);
    copyPick();
    if (fromList)
        focusField();
    emit picked(row);
}

void CodePicker::focusField()
{
    if (m_field && m_field->isEnabled())
        m_field->setFocus(Qt::OtherFocusReason);
}

void CodePicker::keyPressEvent(QKeyEvent *event)
{
    m_popupClosed = false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        copyPick();
        focusField();
        return;
    case Qt::Key_Escape:
        event->accept();
        setEscPressed(true);
        focusField();
        emit escaped();
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

void CodePicker::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // A picker too narrow for its chosen line shows only its button: the
    // field beside it shows the value, a cut-off first character tells nothing.
    const QRect room = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (fontMetrics().horizontalAdvance(option.currentText) > room.width())
        option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void CodePicker::focusOutEvent(QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    // A drop-down list or a message box taking the focus is no leave.
    if (m_copyOnLeave && !m_escPressed && reason != Qt::PopupFocusReason
        && reason != Qt::ActiveWindowFocusReason)
        copyPick();
    QComboBox::focusOutEvent(event);
}

void CodePicker::showPopup()
{
    m_popupClosed = false;
    QComboBox::showPopup();
}

void CodePicker::hidePopup()
{
    QComboBox::hidePopup();
    // A row chosen in the list is announced (activated) right after the list
    // closes, within the same event; later activations come from elsewhere.
    m_popupClosed = true;
    QMetaObject::invokeMethod(this, [this] { m_popupClosed = false; }, Qt::QueuedConnection);
}

} // namespace ulk
