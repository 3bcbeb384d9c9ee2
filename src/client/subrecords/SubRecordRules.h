#pragma once
#include "client/subrecords/SubRecordFamilies.h"
#include "common/FailureText.h"

#include <QString>
#include <QVariant>

// The texts and small rules of the sub-record tabs that need no window:
// how a stored value shows in its box and how a box's text is stored, the
// delete prompts and their titles, the duplicate messages, the employee key
// of a pick and the hour boxes.
namespace ulk {

class SubRecordRows;

class SubRecordRules {
public:
    // A stored value as its box shows it: dates as d.m.yyyy.
    static QString shownText(SubRecordValue kind, const QVariant &stored);
    // A box's text as it is stored: no value for an empty text, dates as
    // yyyy-MM-dd. *ok becomes false for a date text that is no calendar date.
    static QVariant storedValue(SubRecordValue kind, const QString &text, bool *ok = nullptr);

    // The ten characters of selectedEmployeeId for a picked key: the key
    // left-aligned, padded with blanks, cut at ten.
    static QString paddedEmployeeKey(const QString &key);
    static QString noEmployee() { return QString(10, QLatin1Char(' ')); }
    // An hour box keeps its first two characters.
    static QString hour(const QString &text) { return text.left(2); }

    // The question of a family's delete for a row of its rows: the opening
    // words, the pieces trimmed and joined, a blank and a question mark.
    // facilityName: nazov of the facility coded in the row (facilities);
    // meno, priezv: the client's names (examinations and the two records).
    static QString deletePrompt(const SubRecordFamilyDef &family, const SubRecordRows &rows, int row,
                                const QString &facilityName, const QString &meno, const QString &priezv);
    // The title: the family's own text followed directly by the caption.
    // The siblings' prompt has no title of its own (empty).
    static QString deleteTitle(const SubRecordFamilyDef &family, const QString &recordCaption);

    static QString duplicateDateMessage(const QString &text)
    {
        return QStringLiteral("Našiel sa záznam s rovnakým dátumom :") + text.trimmed();
    }
    static QString duplicateSiblingMessage(const QString &text)
    {
        return QStringLiteral("Súrodenec s rovnakým menom :") + text.trimmed() + QStringLiteral(" už je zapísaný");
    }
    static QString missingEmployeesMessage() { return QStringLiteral("Chýba zoznam zamestnancov ! "); }
    static QString writeFailedMessage(const QString &error)
    {
        return failureMessage(QStringLiteral("Záznam sa nepodarilo zapísať, v databáze zostal bez zmeny."), error);
    }
    static QString deleteFailedMessage(const QString &error)
    {
        return failureMessage(QStringLiteral("Záznam sa nepodarilo vymazať, v databáze zostal bez zmeny."), error);
    }
    static QString readFailedMessage(const QString &error)
    {
        return failureMessage(QStringLiteral("Záznamy sa nepodarilo načítať."), error);
    }
};

} // namespace ulk
