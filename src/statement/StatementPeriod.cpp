#include "statement/StatementPeriod.h"

namespace ulk::statement {

namespace {
const QString kIso = QStringLiteral("yyyy-MM-dd");

std::optional<int> year(const QString &digits)
{
    if (digits.size() != 4)
        return std::nullopt;
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return digits.toInt();
}
} // namespace

std::optional<StatementPeriod> StatementPeriod::fromSchoolYear(const QString &caption)
{
    const std::optional<int> first = year(caption.left(4));
    const std::optional<int> second = year(caption.trimmed().right(4));
    if (!first || !second)
        return std::nullopt;
    const QDate from(*first, 9, 1);
    const QDate to(*second, 8, 31);
    if (!from.isValid() || !to.isValid())
        return std::nullopt;
    return StatementPeriod(from, to);
}

QDate StatementPeriod::storedDay(const QString &storedDate)
{
    // A date stored with a time behind it still names its day.
    return QDate::fromString(storedDate.left(10), kIso);
}

bool StatementPeriod::containsStored(const QString &storedDate) const { return contains(storedDay(storedDate)); }

QString StatementPeriod::from() const { return m_first.toString(kIso); }

QString StatementPeriod::until() const { return m_last.addDays(1).toString(kIso); }

} // namespace ulk::statement
