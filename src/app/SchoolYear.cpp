#include "app/SchoolYear.h"

namespace ulk::SchoolYear {

QString fromDate(const QDate &today)
{
    const int y = today.year();
    return today.month() > 9 ? QStringLiteral("%1/%2").arg(y).arg(y + 1)
                             : QStringLiteral("%1/%2").arg(y - 1).arg(y);
}

namespace {
bool allDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}
} // namespace

Parsed parseAnswer(const QString &rawAnswer, const QString &current)
{
    const QString answer = rawAnswer.trimmed();
    if (answer.isEmpty())
        return {Answer::Empty, {}};
    if (answer == current)
        return {Answer::Accepted, current};
    QString first, second;
    QChar separator;
    if (answer.size() == 5) {
        first = answer.mid(0, 2);
        separator = answer.at(2);
        second = answer.mid(3, 2);
        if (separator != QLatin1Char('/') || !allDigits(first) || !allDigits(second))
            return {Answer::BadDate, {}};
    } else if (answer.size() == 9) {
        separator = answer.at(4);
        if (separator != QLatin1Char('/') || !allDigits(answer.left(4)) || !allDigits(answer.mid(5)))
            return {Answer::BadDate, {}};
        first = answer.mid(2, 2);
        second = answer.mid(7, 2);
    } else {
        return {Answer::BadLength, {}};
    }
    const int a = first.toInt();
    const int b = second.toInt();
    if ((a + 1) % 100 != b)
        return {Answer::BadDate, {}};
    const int secondYear = (b > 80 && b <= 99 ? 1900 : 2000) + b;
    return {Answer::Accepted, QStringLiteral("%1/%2").arg(secondYear - 1).arg(secondYear)};
}

} // namespace ulk::SchoolYear
