#include "common/ui/FieldEdit.h"

#include "common/ui/SingleLineValidator.h"

namespace ulk {

FieldEdit::FieldEdit(QWidget *parent) : QLineEdit(parent)
{
    setValidator(new SingleLineValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_loading)
            m_dataChanged = true;
    });
}

void FieldEdit::loadText(const QString &text)
{
    m_loading = true;
    setText(text);
    m_loading = false;
    m_dataChanged = false;
    emit loaded();
}

} // namespace ulk
