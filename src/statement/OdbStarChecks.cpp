#include "statement/OdbStarChecks.h"

#include "common/FieldRules.h"

#include <QStringList>
#include <cmath>

namespace ulk {

double OdbStarChecks::value(const OdbStarGrid &texts, int column, int row)
{
    return FieldRules::numericValue(texts[std::size_t(row)][std::size_t(column - 1)]);
}

QString OdbStarChecks::splitMessage(int column)
{
    return column == 5 ? QStringLiteral("Stĺpec 1 <> s2+s3+s4+s5 !") : QStringLiteral("Stĺpec 6 <> s7+s8+s9+s10 !");
}

QString OdbStarChecks::groupMessage(int totalRow, int column)
{
    QStringList members;
    for (int r = totalRow + 1; r <= OdbStarRowTable::lastMemberOf(totalRow); ++r)
        members << QStringLiteral("r") + OdbStarRowTable::code(r);
    return QStringLiteral("Riadok %1 stl.%2 <> %3 !")
        .arg(OdbStarRowTable::code(totalRow), QString::number(column), members.join(QLatin1Char('+')));
}

QString OdbStarChecks::checkSumMessage(int column)
{
    return QStringLiteral("Nesprávny Kontrolný súčet r0536 S%1 !").arg(column);
}

std::optional<qint64> OdbStarChecks::checkSum(const OdbStarGrid &texts, int column)
{
    // A long double holds every 64-bit integer exactly.
    constexpr long double lowest = -9223372036854775808.0L;
    constexpr long double beyond = 9223372036854775808.0L;
    qint64 sum = 0;
    for (int r = 0; r < OdbStarRowTable::checkSumRow; ++r) {
        const long double partial = std::nearbyint(static_cast<long double>(sum) + value(texts, column, r));
        if (!(partial >= lowest && partial < beyond))
            return std::nullopt;
        sum = static_cast<qint64>(partial);
    }
    return sum;
}

QList<OdbStarChecks::Mismatch> OdbStarChecks::mismatches(const OdbStarGrid &texts, int column, int row)
{
    QList<Mismatch> out;
    if (column == 5 || column == 10) {
        const int total = column - 4;
        double parts = 0;
        for (int c = total + 1; c <= column; ++c)
            parts += value(texts, c, row);
        if (value(texts, total, row) != parts)
            out << Mismatch{splitMessage(column), total, row, true};
    }
    const int groupTotal = OdbStarRowTable::totalOfGroupEndingAt(row);
    if (groupTotal >= 0) {
        double members = 0;
        for (int r = groupTotal + 1; r <= row; ++r)
            members += value(texts, column, r);
        if (value(texts, column, groupTotal) != members)
            out << Mismatch{groupMessage(groupTotal, column), column, groupTotal, false};
    } else if (row == OdbStarRowTable::checkSumRow) {
        const std::optional<qint64> sum = checkSum(texts, column);
        const long double stated = value(texts, column, row);
        if (!sum || stated != static_cast<long double>(*sum))
            out << Mismatch{checkSumMessage(column), column, 0, false};
    }
    return out;
}

} // namespace ulk
