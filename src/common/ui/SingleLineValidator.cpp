#include "common/ui/SingleLineValidator.h"

namespace ulk {

namespace {
// The embeddings, overrides and isolates that turn the direction of the text
// after them: a name with one of them is shown reversed.
bool turnsDirection(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}
} // namespace

QString SingleLineValidator::withoutControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (c.category() != QChar::Other_Control && !turnsDirection(c))
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
