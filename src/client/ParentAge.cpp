#include "client/ParentAge.h"

#include "common/FieldRules.h"

namespace ulk {

ParentAge ParentAge::of(const QString &clientBirthDate, const QString &parentYear)
{
    ParentAge result;
    const FieldRules::TypedDate born = FieldRules::normaliseDate(clientBirthDate);
    if (born.kind != FieldRules::TypedDate::Ok || !born.date.isValid())
        return result;
    const int y = born.date.year();
    const QString year = parentYear.trimmed();
    const double v = FieldRules::numericValue(year);
    if (y == 0 || v == 0)
        return result;

    bool fourDigits = year.size() == 4;
    for (const QChar c : year)
        fourDigits = fourDigits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const double age = double(y) - v;
    if (!fourDigits || age < 1 || age > oldestAge) {
        result.kind = Illogical;
        return result;
    }
    result.kind = Computed;
    result.age = int(age);
    return result;
}

} // namespace ulk
