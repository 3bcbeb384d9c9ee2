#pragma once
#include <QDate>
#include <QString>

// The school year of the statements: "2025/2026", from 1 September of the
// first year to 31 August of the second.
namespace ulk::SchoolYear {

// From October on this year and the next; otherwise last year and this.
QString fromDate(const QDate &today);

enum class Answer { Empty, Accepted, BadLength, BadDate };

struct Parsed {
    Answer result = Answer::Empty;
    QString year; // the accepted school year
};

// Reads the user's answer: yy/yy or yyyy/yyyy, digits around "/", the second
// year one after the first. Only the last two digits of each year count; the
// second is widened to four digits (81..99 -> 19xx, otherwise 20xx) and the
// first year is the one before it.
Parsed parseAnswer(const QString &answer, const QString &current);

} // namespace ulk::SchoolYear
