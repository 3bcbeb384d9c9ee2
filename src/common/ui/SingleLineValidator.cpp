#include "common/ui/SingleLineValidator.h"

namespace ulk {

QString SingleLineValidator::withoutControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (c.category() != QChar::Other_Control)
            out.append(c);
    return out;
}

QValidator::State SingleLineValidator::validate(QString &input, int &pos) const
{
    // The cursor keeps its place among the characters that stay.
    const int dropped = int(input.left(pos).size() - withoutControls(input.left(pos)).size());
    input = withoutControls(input);
    pos -= dropped;
    return Acceptable;
}

void SingleLineValidator::fixup(QString &input) const { input = withoutControls(input); }

} // namespace ulk
