#include "reports/ReportFont.h"

#include <QFontMetricsF>
#include <QHash>
#include <cmath>

namespace ulk::report {

ReportFont ReportFont::timesNewRoman(double pointSize, bool bold, bool italic, bool underline)
{
    return {QStringLiteral("Times New Roman"), pointSize, bold, italic, underline};
}

ReportFont ReportFont::arial(double pointSize, bool bold, bool italic, bool underline)
{
    return {QStringLiteral("Arial"), pointSize, bold, italic, underline};
}

QString ReportFont::drawnFamily(const QString &designedFamily)
{
    if (designedFamily.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (designedFamily.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (designedFamily.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return designedFamily;
}

QFont ReportFont::qfont() const
{
    QFont f(drawnFamily(family));
    f.setPixelSize(std::max(1, int(std::lround(pointSize * 20.0))));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    // Unhinted outlines measure the same on the screen, the printer and in a PDF.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

double ReportFont::lineHeight() const
{
    // Measured once per font: reports ask for it for every control of every row.
    static QHash<QString, double> heights;
    const QString key = QStringLiteral("%1|%2|%3%4%5").arg(family).arg(pointSize).arg(bold).arg(italic).arg(underline);
    auto it = heights.constFind(key);
    if (it == heights.constEnd())
        it = heights.insert(key, std::ceil(QFontMetricsF(qfont()).height()));
    return *it;
}

} // namespace ulk::report
