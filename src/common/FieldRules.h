#pragma once
#include <QDate>
#include <QString>
#include <QStringList>

// The rules behind the field checks of the record and statement windows, as
// plain functions: no widgets, no prompts. The widget-side procedures in
// common/ui/FieldProcedures read a field, apply one of these and ask the user.
namespace ulk::FieldRules {

// The numeric value of a text, read leniently from its start: blanks, tabs
// and line feeds are skipped anywhere, an optional sign, digits and an
// optional decimal point with further digits are read, and reading stops at
// the first other character ("12abc" is 12, " 1 2" is 12). A text without
// digits gives 0.
double numericValue(const QString &text);

// --- Birth number -------------------------------------------------------
struct BirthNumber {
    bool valid = false;
    QString sex;       // "M" or "Z" when valid
    QString birthDate; // "dd.mm.yyyy" derived from the number when valid
    QDate date;        // the same as a date
};

// A birth number yymmddnnnn: at least ten characters, divisible by 11, not
// all zeros, and its first six digits must make a date that exists. The
// month is mm for a man, mm + 50 for a woman, and since 2004 also mm + 20
// (man) or mm + 70 (woman). Years 00 to 49 are 20yy, 50 to 99 are 19yy.
BirthNumber parseBirthNumber(const QString &text);

// --- Date -----------------------------------------------------------------
struct TypedDate {
    enum Kind {
        Empty,       // nothing typed (blanks only): accepted
        Ok,          // text holds d.m.yyyy as typed, with a four-digit year
        Bad,         // not of the form d.m.yy or d.m.yyyy
        Nonexistent  // of that form, but no such day (31.2.2020)
    };
    Kind kind = Empty;
    QString stripped; // the typed text without any blanks
    QString text;     // Ok: the normalised text (day and month as typed)
    QDate date;       // Ok: the date
};

// Day and month of one or two digits (day 1 to 31, month 1 to 12), the year
// of two or four digits, joined by points. A two-digit year up to 70 is 20yy,
// above 70 19yy. Blanks anywhere are removed first.
TypedDate normaliseDate(const QString &typed);

// The date of a text in the shown form d.m.yyyy (what normaliseDate writes);
// an invalid date for anything else.
QDate dateFromText(const QString &text);
// The shown form d.m.yyyy of a date; empty for an invalid date.
QString dateToText(const QDate &date);

// --- Sex ------------------------------------------------------------------
struct Sex {
    enum Kind { Empty, Ok, Bad };
    Kind kind = Empty;
    QString letter; // Ok: "M" or "Z"
};

// A text whose first letter is m or z, in either case, is that capital
// letter; an empty text stays empty; anything else is refused.
Sex normaliseSex(const QString &text);

// --- Disability code ------------------------------------------------------
enum class DisabilityVerdict {
    Accepted,  // passes: a code 0 to 9 without the duplicate test, or a zero value
    Duplicate, // with the duplicate test: the code is already in one of the slots
    Skipped    // nothing to say (a value outside 0 to 9, or no slot holds it)
};

// A one-digit disability code typed into a field. Without the duplicate test
// the code only has to be read; with it, a non-zero code must not equal (as
// trimmed text) any of the person's slots 0 to 8 (slot 0 the dominant code).
DisabilityVerdict checkDisabilityCode(const QString &text, bool duplicateTest,
                                      const QStringList &codeSlots);

// --- Single-line text -------------------------------------------------------
// Whether a character never stays in a single-line text: control characters
// (tab, line breaks, BEL, ESC, ...) and the invisible format characters
// (joiners, the marks that turn the direction of text, soft hyphens, ...),
// which would make two texts that look alike differ.
bool droppedFromLine(char32_t c);
// The text without those characters, the rest kept as it is.
QString singleLineText(const QString &text);

} // namespace ulk::FieldRules
