#pragma once
#include <QFont>
#include <QString>

// A font of a report definition as designed (family, size in points, style).
// Times New Roman and Arial are drawn with the metric-compatible Liberation
// Serif and Liberation Sans, so that texts take the width they were laid out for.
namespace ulk::report {

struct ReportFont {
    QString family = QStringLiteral("Arial");
    double pointSize = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    static ReportFont timesNewRoman(double pointSize, bool bold = false, bool italic = false,
                                    bool underline = false);
    static ReportFont arial(double pointSize, bool bold = false, bool italic = false,
                            bool underline = false);

    // The family that is really drawn for a designed one.
    static QString drawnFamily(const QString &designedFamily);

    // A QFont whose pixel size is the font's size in twips (1 pt = 20 twips):
    // text is measured and drawn in twips, the unit of every position.
    QFont qfont() const;
    // Height of one text line, in twips.
    double lineHeight() const;

    bool operator==(const ReportFont &o) const = default;
};

} // namespace ulk::report
