#include "statement/EmployeeSection.h"

#include "statement/ReadFailure.h"

#include "data/Database.h"
#include "statement/StatementCell.h"

#include <QSqlError>
#include <QSqlQuery>
#include <array>
#include <cmath>

namespace ulk::statement {

namespace {

const EmployeeSection::Line kLineTable[EmployeeSection::kFunctions + 1] = {
    {"Spolu (0301 až 0308)", "0316"},
    {"Riaditeľ", "0301"},
    {"Špeciálny pedagóg", "0302"},
    {"Školský špeciálny pedagóg", "0303"},
    {"Psychológ", "0304"},
    {"Liečebný pedagóg", "0305"},
    {"Zdravotnícky zamestnanec", "0306"},
    {"Sociálny zamestnanec", "0307"},
    {"Iní", "0308"},
};

// The six counts of a line: internal all, women, qualified; external the same.
using Counts = std::array<int, 6>;

bool is(const QVariant &value, const char *letter)
{
    return value.toString().compare(QLatin1String(letter), Qt::CaseInsensitive) == 0;
}

// The job function 1 to 8, or 0 for any other value.
int function(const QVariant &value)
{
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || d < 1 || d > EmployeeSection::kFunctions || d != std::floor(d))
        return 0;
    return int(d);
}

} // namespace

const EmployeeSection::Line &EmployeeSection::line(int n) { return kLineTable[n]; }

std::optional<QList<QStringList>> EmployeeSection::compute(QString *error)
{
    auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QString why;
    QSqlQuery q = runSql(QStringLiteral("SELECT prac_zar, \"int-ext\", pohlavie, kvalifikacia FROM zamestnanci"), {},
                         &why);
    if (!why.isEmpty())
        return failed(readFailure(QStringLiteral("zamestnanci"), q.lastError()));
    std::array<Counts, kFunctions + 1> counts{};
    while (q.next()) {
        const int n = function(q.value(0));
        // The letters are compared as the register always has: ignoring case.
        const int base = is(q.value(1), "i") ? 0 : is(q.value(1), "e") ? 3 : -1;
        if (n == 0 || base < 0)
            continue;
        Counts &c = counts[n];
        ++c[base];
        if (is(q.value(2), "z"))
            ++c[base + 1];
        if (is(q.value(3), "a"))
            ++c[base + 2];
    }
    if (q.lastError().type() != QSqlError::NoError)
        return failed(readFailure(QStringLiteral("zamestnanci"), q.lastError()));

    QList<QStringList> lines;
    Counts totals{};
    for (int n = 1; n <= kFunctions; ++n) {
        QStringList line{QString::fromUtf8(kLineTable[n].fcia), QString::fromUtf8(kLineTable[n].cria)};
        for (int k = 0; k < 6; ++k) {
            // The director has no external cells on the form; an external
            // director still counts in the total line.
            line << (n == 1 && k >= 3 ? StatementCell::crossedOutEmployees() : StatementCell::count(counts[n][k]));
            totals[k] += counts[n][k];
        }
        lines << line;
    }
    QStringList total{QString::fromUtf8(kLineTable[0].fcia), QString::fromUtf8(kLineTable[0].cria)};
    for (int t : totals)
        total << StatementCell::count(t);
    lines << total;
    return lines;
}

} // namespace ulk::statement
