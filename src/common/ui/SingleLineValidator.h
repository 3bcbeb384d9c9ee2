#pragma once
#include <QValidator>

namespace ulk {

// Keeps control characters (tab, line breaks, BEL, ESC, ...) and the
// characters that turn the direction of text (U+202A-U+202E, U+2066-U+2069)
// out of a single-line field: they are dropped from whatever is typed, pasted
// or set, and the rest of the text is kept.
class SingleLineValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

    static QString withoutControls(const QString &text);
};

} // namespace ulk
