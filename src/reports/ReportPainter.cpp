#include "reports/ReportPainter.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace ulk::report {

namespace {

Qt::PenStyle penStyle(LineStyle style)
{
    switch (style) {
    case LineStyle::Dash: return Qt::DashLine;
    case LineStyle::Dot: return Qt::DotLine;
    case LineStyle::Solid: break;
    }
    return Qt::SolidLine;
}

int alignmentFlags(Alignment a)
{
    switch (a) {
    case Alignment::Center: return Qt::AlignHCenter;
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

} // namespace

QPageLayout ReportPainter::pageLayout(const ReportDocument &doc)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       doc.orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void ReportPainter::paintPage(const ReportPage &page, QPainter &painter)
{
    for (const PlacedLine &l : page.lines) {
        QPen pen(Qt::black);
        pen.setWidthF(15); // about a pixel of the designer, 1/96 inch
        pen.setStyle(penStyle(l.style));
        painter.setPen(pen);
        painter.drawLine(l.line);
    }
    painter.setPen(Qt::black);
    for (const PlacedText &t : page.texts) {
        if (t.text.isEmpty())
            continue;
        painter.setFont(t.font.qfont());
        // A text longer than its box is cut at the box's edge, never drawn over a neighbour.
        painter.setClipRect(t.rect);
        painter.drawText(t.rect, alignmentFlags(t.alignment) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                         t.text);
        painter.setClipping(false);
    }
}

bool ReportPainter::paint(const ReportDocument &doc, QPagedPaintDevice *device, int first, int last)
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const int end = last < 0 ? doc.pageCount() - 1 : std::min(last, doc.pageCount() - 1);
    // Page by page: each is laid out, painted and dropped.
    for (int i = std::max(0, first); i <= end; ++i) {
        if (i > first && !device->newPage()) {
            painter.end();
            return false;
        }
        // Twips onto the device's page, the same scale both ways.
        const double scale = std::min(device->width() / doc.pageSize.width(),
                                      device->height() / doc.pageSize.height());
        painter.resetTransform();
        painter.setViewport(0, 0, int(doc.pageSize.width() * scale), int(doc.pageSize.height() * scale));
        painter.setWindow(0, 0, int(doc.pageSize.width()), int(doc.pageSize.height()));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        paintPage(doc.pages.at(i), painter);
    }
    return painter.end();
}

bool ReportPainter::writePdf(const ReportDocument &doc, const QString &filePath, QString *error)
{
    bool ok = false;
    {
        QPdfWriter writer(filePath);
        writer.setResolution(1440);
        writer.setTitle(doc.reportName);
        writer.setCreator(QStringLiteral("Evidencia klientov ULK"));
        writer.setPageLayout(pageLayout(doc));
        ok = paint(doc, &writer);
    }
    if (!ok || !QFileInfo(filePath).isFile() || QFileInfo(filePath).size() == 0) {
        if (error)
            *error = QStringLiteral("súbor %1 sa nepodarilo zapísať").arg(filePath);
        return false;
    }
    return true;
}

} // namespace ulk::report
