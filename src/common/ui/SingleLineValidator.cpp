#include "common/ui/SingleLineValidator.h"

#include "common/FieldRules.h"

namespace ulk {

QString SingleLineValidator::withoutControls(const QString &text) { return FieldRules::singleLineText(text); }

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
