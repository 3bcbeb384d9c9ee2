#include "support/reports/ReportFit.h"

#include <QFontMetricsF>

namespace ulk::test {

namespace {

// The part of the page a text covers: its box, or less where it is shorter.
QRectF drawn(const report::PlacedText &t)
{
    const double advance = std::min(QFontMetricsF(t.font.qfont()).horizontalAdvance(t.text), t.rect.width());
    const double height = std::min(t.rect.height(), t.font.lineHeight());
    double left = t.rect.left();
    if (t.alignment == report::Alignment::Right)
        left = t.rect.right() - advance;
    else if (t.alignment == report::Alignment::Center)
        left += (t.rect.width() - advance) / 2;
    return QRectF(left, t.rect.top(), advance, height);
}

} // namespace

QStringList layoutFaults(const report::ReportPage &page,
                         const std::function<bool(const report::PlacedText &)> &identifying)
{
    QStringList faults;
    QList<QRectF> boxes;
    QList<bool> whole;
    for (const report::PlacedText &t : page.texts) {
        boxes << drawn(t);
        whole << identifying(t);
        const double advance = QFontMetricsF(t.font.qfont()).horizontalAdvance(t.text);
        if (whole.last() && advance > t.rect.width() + 0.5)
            faults << QStringLiteral("%1 '%2' is cut: %3 wide in a box of %4")
                          .arg(t.name, t.text)
                          .arg(advance)
                          .arg(t.rect.width());
    }
    // What identifies keeps 45 twips from any other text on its line, so
    // that it is not read as one with its neighbour; free texts may meet
    // by a pixel of the designer (15 twips).
    for (int i = 0; i < boxes.size(); ++i)
        for (int j = i + 1; j < boxes.size(); ++j) {
            if (page.texts[i].text.isEmpty() || page.texts[j].text.isEmpty())
                continue;
            const bool strict = whole[i] || whole[j];
            const QRectF a = strict ? boxes[i].adjusted(-45, 0, 45, 0) : boxes[i];
            const QRectF common = a.intersected(boxes[j]);
            const double allowed = strict ? 0 : 15;
            if (common.width() > allowed && common.height() > 15)
                faults << QStringLiteral("%1 '%2' and %3 '%4' overlap")
                              .arg(page.texts[i].name, page.texts[i].text.left(20), page.texts[j].name,
                                   page.texts[j].text.left(20));
        }
    return faults;
}

} // namespace ulk::test
