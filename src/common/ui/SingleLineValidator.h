#pragma once
#include <QValidator>

namespace ulk {

// Keeps control characters (tab, line breaks, BEL, ESC, ...) and the
// invisible format characters (joiners, the marks that turn the direction of
// text, ...; FieldRules::singleLineText) out of a single-line field: they are
// dropped from whatever is typed, pasted or set, and the rest is kept.
class SingleLineValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

    static QString withoutControls(const QString &text);
};

} // namespace ulk
