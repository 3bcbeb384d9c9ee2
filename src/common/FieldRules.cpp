#include "common/FieldRules.h"

#include <cmath>

namespace ulk::FieldRules {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isAsciiDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

bool allDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

} // namespace

double numericValue(const QString &text)
{
    QString number;
    bool signSeen = false, pointSeen = false, digitSeen = false;
    for (QChar c : text) {
        if (isBlank(c))
            continue;
        if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && !signSeen && !digitSeen && !pointSeen) {
            signSeen = true;
            number += c;
        } else if (isAsciiDigit(c)) {
            digitSeen = true;
            number += c;
        } else if (c == QLatin1Char('.') && !pointSeen) {
            pointSeen = true;
            number += c;
        } else {
            break;
        }
    }
    if (!digitSeen)
        return 0.0;
    bool ok = false;
    const double v = number.toDouble(&ok);
    return ok ? v : 0.0;
}

BirthNumber parseBirthNumber(const QString &text)
{
    BirthNumber r;
    if (text.size() < 10)
        return r;
    const double n = numericValue(text);
    // Divisible by 11; a number of zeros only is no birth number.
    if (n <= 0 || n != std::floor(n) || std::fmod(n, 11.0) != 0.0)
        return r;
    const QString yy = text.mid(0, 2), mm = text.mid(2, 2), dd = text.mid(4, 2);
    if (!allDigits(yy) || !allDigits(mm) || !allDigits(dd))
        return r;
    const int m = mm.toInt();
    int month = 0;
    QString sex;
    if (m >= 1 && m <= 12) {
        sex = QStringLiteral("M");
        month = m;
    } else if (m >= 21 && m <= 32) {
        sex = QStringLiteral("M");
        month = m - 20;
    } else if (m >= 51 && m <= 62) {
        sex = QStringLiteral("Z");
        month = m - 50;
    } else if (m >= 71 && m <= 82) {
        sex = QStringLiteral("Z");
        month = m - 70;
    } else {
        return r;
    }
    const QString year = (yy.at(0) > QLatin1Char('4') ? QStringLiteral("19") : QStringLiteral("20")) + yy;
    const QDate date(year.toInt(), month, dd.toInt());
    if (!date.isValid())
        return r;
    r.valid = true;
    r.sex = sex;
    r.birthDate = dd + QLatin1Char('.') + twoDigits(month) + QLatin1Char('.') + year;
    r.date = date;
    return r;
}

TypedDate normaliseDate(const QString &typed)
{
    TypedDate r;
    for (QChar c : typed)
        if (!c.isSpace())
            r.stripped += c;
    const QString &s = r.stripped;
    if (s.isEmpty())
        return r;
    r.kind = TypedDate::Bad;

    const int p = int(s.indexOf(QLatin1Char('.')));
    if (p != 1 && p != 2)
        return r;
    const QString day = s.left(p);
    if (!allDigits(day) || day.toInt() < 1 || day.toInt() > 31)
        return r;
    const QString rest = s.mid(p + 1);
    const int q = int(rest.indexOf(QLatin1Char('.')));
    if (q != 1 && q != 2)
        return r;
    const QString month = rest.left(q);
    if (!allDigits(month) || month.toInt() < 1 || month.toInt() > 12)
        return r;
    QString year = rest.mid(q + 1);
    if (!allDigits(year) || (year.size() != 2 && year.size() != 4))
        return r;
    if (year.size() == 2)
        year = (year.toInt() <= 70 ? QStringLiteral("20") : QStringLiteral("19")) + year;

    const QDate date(year.toInt(), month.toInt(), day.toInt());
    if (!date.isValid()) {
        r.kind = TypedDate::Nonexistent;
        return r;
    }
    r.kind = TypedDate::Ok;
    r.text = day + QLatin1Char('.') + month + QLatin1Char('.') + year;
    r.date = date;
    return r;
}

QDate dateFromText(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 3)
        return {};
    for (const QString &p : parts)
        if (!allDigits(p))
            return {};
    if (parts.at(0).size() > 2 || parts.at(1).size() > 2 || parts.at(2).size() != 4)
        return {};
    return QDate(parts.at(2).toInt(), parts.at(1).toInt(), parts.at(0).toInt());
}

QString dateToText(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(date.year(), 4, 10, QLatin1Char('0'));
}

Sex normaliseSex(const QString &text)
{
    Sex r;
    if (text.isEmpty())
        return r;
    const QChar first = text.at(0).toUpper();
    if (first == QLatin1Char('M') || first == QLatin1Char('Z')) {
        r.kind = Sex::Ok;
        r.letter = first;
        return r;
    }
    r.kind = Sex::Bad;
    return r;
}

DisabilityVerdict checkDisabilityCode(const QString &text, bool duplicateTest, const QStringList &codeSlots)
{
    const QString code = text.trimmed();
    const double v = numericValue(code);
    if (v >= 0 && v <= 9 && !duplicateTest)
        return DisabilityVerdict::Accepted;
    if (numericValue(text) == 0)
        return DisabilityVerdict::Accepted;
    if (duplicateTest) {
        for (int i = 0; i < codeSlots.size() && i < 9; ++i)
            if (codeSlots.at(i).trimmed() == code)
                return DisabilityVerdict::Duplicate;
        return DisabilityVerdict::Skipped;
    }
    return DisabilityVerdict::Skipped;
}

bool droppedFromLine(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Control || category == QChar::Other_Format;
}

QString singleLineText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4())
        if (!droppedFromLine(c))
            out.append(QStringView(QChar::fromUcs4(c)));
    return out;
}

} // namespace ulk::FieldRules
