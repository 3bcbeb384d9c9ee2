#pragma once
#include <QDate>
#include <QString>
#include <optional>

// The days that a statement counts: from 1 September of the school year's
// first year to 31 August of its second, both days included. The school
// year is the main window's caption "2006/2007": its first four characters
// give the first year, the last four of the trimmed text the second.
namespace ulk::statement {

class StatementPeriod {
public:
    StatementPeriod(const QDate &firstDay, const QDate &lastDay) : m_first(firstDay), m_last(lastDay) {}

    // Nothing when the caption does not give two years.
    static std::optional<StatementPeriod> fromSchoolYear(const QString &caption);

    QDate firstDay() const { return m_first; }
    QDate lastDay() const { return m_last; }
    bool contains(const QDate &day) const { return day.isValid() && day >= m_first && day <= m_last; }
    // Whether a stored date (ISO text yyyy-MM-dd) lies in the period.
    bool containsStored(const QString &storedDate) const;

    // Bounds for a range over stored dates: day >= from() and day < until().
    QString from() const;
    QString until() const;

    // A stored date read as a day; invalid when the text is no date.
    static QDate storedDay(const QString &storedDate);

private:
    QDate m_first;
    QDate m_last;
};

} // namespace ulk::statement
