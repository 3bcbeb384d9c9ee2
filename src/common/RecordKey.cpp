#include "common/RecordKey.h"

#include "common/FieldRules.h"

#include <QLocale>
#include <QTextBoundaryFinder>

namespace ulk::RecordKey {

namespace {
QString upper(const QString &s)
{
    static const QLocale sk(QLocale::Slovak, QLocale::Slovakia);
    return sk.toUpper(s);
}

// Whether a character that a letter of a name begins with is left out of the
// key: symbols (emoji among them), invisible characters, and a mark with no
// letter before it.
bool leftOut(char32_t first)
{
    switch (QChar::category(first)) {
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing: return true;
    default: return false;
    }
}

// The first count letters of a name as a reader sees them (a letter with its
// combining marks is one, and an emoji is never cut in half), blanks and
// punctuation counted as letters, symbols left out.
QString leading(const QString &shown, int count)
{
    // Invisible characters between letters (a joiner) are no part of a key:
    // they go before the letters are counted, as a stored name drops them.
    const QString name = FieldRules::singleLineText(shown);
    QString taken;
    QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, name);
    int start = 0;
    for (int end = letters.toNextBoundary(); end > start && count > 0; start = end, end = letters.toNextBoundary()) {
        const QStringView letter = QStringView(name).mid(start, end - start);
        if (leftOut(letter.toUcs4().value(0)))
            continue;
        taken += letter;
        --count;
    }
    return taken.normalized(QString::NormalizationForm_C);
}
} // namespace

QString stem(const QString &surname, const QString &firstName)
{
    return upper(leading(surname, 6)).trimmed() + upper(leading(firstName, 2)).trimmed();
}

QString counterText(int counter)
{
    const QString t = QString::number(counter);
    return t.size() == 1 ? QLatin1Char('0') + t : t;
}

QString stemOfKey(const QString &key)
{
    QString k = key.trimmed();
    int end = k.size();
    while (end > 0 && k.at(end - 1).isDigit() && k.at(end - 1).unicode() < 128)
        --end;
    return k.left(end);
}

bool editKeepsKey(const QString &storedKey, const QString &storedFirstName,
                  const QString &storedSurname, const QString &firstName, const QString &surname)
{
    if (firstName.trimmed() == storedFirstName.trimmed() && surname.trimmed() == storedSurname.trimmed())
        return true;
    return stem(surname, firstName) == stemOfKey(storedKey);
}

} // namespace ulk::RecordKey
