#include "statement/DisabilityCounts.h"

#include "statement/StatementCell.h"

namespace ulk::statement {

namespace {

// The code string without leading and trailing blanks.
QString trimBlanks(const QString &s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && s.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && s.at(to - 1) == QLatin1Char(' '))
        --to;
    return s.mid(from, to - from);
}

bool isCode(QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); }

// The column of each dominant digit 1 to 9.
const char *const kDominantColumn[10] = {nullptr,   "p_autiz", "p_menta", "p_sluch", "p_zrak",
                                         "p_rec",   "p_teles", "p_vpsp",  "p_vpuc",  "p_ine"};
const char kSeveral[] = "p_viacn";

} // namespace

const QStringList &DisabilityCounts::columns()
{
    static const QStringList c = {
        QStringLiteral("spolu"),   QStringLiteral("spolu_zeny"), QStringLiteral("p_zrak"),
        QStringLiteral("p_zrak_z"), QStringLiteral("p_sluch"),   QStringLiteral("p_sluch_z"),
        QStringLiteral("p_rec"),   QStringLiteral("p_rec_z"),    QStringLiteral("p_teles"),
        QStringLiteral("p_teles_z"), QStringLiteral("p_menta"),  QStringLiteral("p_menta_z"),
        QStringLiteral("p_viacn"), QStringLiteral("p_viacn_z"),  QStringLiteral("p_autiz"),
        QStringLiteral("p_autiz_z"), QStringLiteral("p_vpuc"),   QStringLiteral("p_vpuc_z"),
        QStringLiteral("p_vpsp"),  QStringLiteral("p_vpsp_z"),   QStringLiteral("p_ine"),
        QStringLiteral("p_ine_z"),
    };
    return c;
}

bool DisabilityCounts::hasDominant(const QString &codes) { return !codes.isEmpty() && isCode(codes.at(0)); }

bool DisabilityCounts::severalBySecondCode(const QString &codes)
{
    const QString t = trimBlanks(codes);
    return t.size() >= 2 && isCode(t.at(1));
}

bool DisabilityCounts::severalByLength(const QString &codes) { return trimBlanks(codes).size() > 1; }

void DisabilityCounts::countClient(const QString &codes, const QString &sex, bool several)
{
    if (!hasDominant(codes))
        return;
    const bool girl = isGirl(sex);
    bump(0);
    if (girl)
        bump(1);
    const int column = int(columns().indexOf(QLatin1String(several ? kSeveral : kDominantColumn[codes.at(0).digitValue()])));
    bump(column);
    if (girl)
        bump(column + 1);
}

void DisabilityCounts::add(const DisabilityCounts &other)
{
    for (int i = 0; i < kColumns; ++i)
        m_counts[i] += other.m_counts[i];
}

int DisabilityCounts::value(const QString &column) const
{
    const qsizetype i = columns().indexOf(column);
    return i < 0 ? -1 : m_counts.at(i);
}

bool DisabilityCounts::isZero() const
{
    for (int n : m_counts)
        if (n != 0)
            return false;
    return true;
}

QStringList DisabilityCounts::cells() const
{
    QStringList out;
    for (int n : m_counts)
        out << StatementCell::count(n);
    return out;
}

} // namespace ulk::statement
