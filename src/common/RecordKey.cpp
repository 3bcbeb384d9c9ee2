#include "common/RecordKey.h"

#include "common/FailureText.h"
#include "data/Database.h"

#include <QLocale>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
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
QString leading(const QString &name, int count)
{
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

QString firstFreeKey(QSqlDatabase db, const QString &table, const QString &stemText,
                     const QString &ownKey, QString *error)
{
    return firstFreeKey(db, QStringList{table}, stemText, ownKey, error);
}

QString firstFreeKey(QSqlDatabase db, const QStringList &tables, const QString &stemText,
                     const QString &ownKey, QString *error)
{
    QSet<QString> taken;
    for (const QString &table : tables) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        // Keys of this stem lie between the stem and the stem followed by the
        // highest code point, in the binary order of the key column.
        if (!q.prepare(QStringLiteral("SELECT idkod FROM %1 WHERE idkod >= ? AND idkod < ? || char(1114111)")
                           .arg(table))) {
            if (error)
                *error = sqliteCause(q.lastError());
            return QString();
        }
        q.addBindValue(stemText);
        q.addBindValue(stemText);
        if (!q.exec()) {
            if (error)
                *error = sqliteCause(q.lastError());
            return QString();
        }
        while (q.next())
            taken.insert(q.value(0).toString().trimmed());
    }
    taken.remove(ownKey.trimmed());
    for (int n = 0;; ++n) {
        const QString key = stemText + counterText(n);
        if (!taken.contains(key))
            return key;
    }
}

bool cascadeKeyChange(QSqlDatabase db, const QList<KeyReference> &references, const QString &oldKey,
                      const QString &newKey, QString *error)
{
    for (const KeyReference &r : references) {
        QSqlQuery q(db);
        // The key itself, or the key followed by blanks: a range of the index,
        // so that the update does not read the whole table.
        const QString sql = QStringLiteral("UPDATE %1 SET \"%2\" = ? WHERE %3")
                                .arg(r.table, r.column, keyMatch(QLatin1Char('"') + r.column + QLatin1Char('"')));
        if (!q.prepare(sql)) {
            if (error)
                *error = sqliteCause(q.lastError());
            return false;
        }
        q.addBindValue(newKey.trimmed());
        for (const QVariant &v : keyMatchValues(oldKey))
            q.addBindValue(v);
        if (!q.exec()) {
            if (error)
                *error = sqliteCause(q.lastError());
            return false;
        }
    }
    return true;
}

} // namespace ulk::RecordKey
