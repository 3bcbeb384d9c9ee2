#include "reports/ReportPainter.h"

#include "common/FailureText.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <optional>

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

// The Slovak cause of a failed file whose system error number is lost.
QString fileCause(const QFileDevice &file)
{
    const QString cause = failureCause(file.errorString());
    return cause.isEmpty() ? QStringLiteral("súbor sa nepodarilo zapísať") : cause;
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
    QFont font;
    std::optional<QFontMetricsF> metrics;
    for (const PlacedText &t : page.texts) {
        if (t.text.isEmpty())
            continue;
        const QFont f = t.font.qfont();
        if (!metrics || f != font) {
            font = f;
            metrics.emplace(font);
            painter.setFont(font);
        }
        // A text longer than its box is cut at the box's edge, never drawn
        // over a neighbour; only such a text is clipped (a clip costs a PDF
        // a state of its own, twice the bytes and a third of the time).
        const bool cut = metrics->horizontalAdvance(t.text) > t.rect.width();
        if (cut)
            painter.setClipRect(t.rect);
        painter.drawText(t.rect, alignmentFlags(t.alignment) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                         t.text);
        if (cut)
            painter.setClipping(false);
    }
}

ReportPainter::Outcome ReportPainter::paint(const ReportDocument &doc, QPagedPaintDevice *device, int first,
                                           int last, const PageDone &pageDone)
{
    QPainter painter;
    if (!painter.begin(device))
        return Outcome::Failed;
    const int end = last < 0 ? doc.pageCount() - 1 : std::min(last, doc.pageCount() - 1);
    first = std::max(0, first);
    // Page by page: each is laid out, painted and dropped.
    for (int i = first; i <= end; ++i) {
        if (i > first && !device->newPage()) {
            painter.end();
            return Outcome::Failed;
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
        if (pageDone && !pageDone(i - first + 1, end - first + 1)) {
            painter.end();
            return Outcome::Stopped;
        }
    }
    return painter.end() ? Outcome::Painted : Outcome::Failed;
}

bool ReportPainter::writePdf(const ReportDocument &doc, const QString &filePath, QString *error,
                             const PageDone &pageDone)
{
    const auto fail = [error](const QFileDevice &file, int errnoValue) {
        if (error)
            *error = errnoValue != 0 ? systemCause(errnoValue) : fileCause(file);
        return false;
    };
    QSaveFile file(filePath);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(file, errno);
    Outcome outcome;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1440);
        writer.setTitle(doc.caption.isEmpty() ? doc.reportName : doc.caption);
        writer.setCreator(QStringLiteral("Evidencia klientov ULK"));
        writer.setPageLayout(pageLayout(doc));
        outcome = paint(doc, &writer, 0, -1, pageDone);
    }
    if (outcome != Outcome::Painted) {
        file.cancelWriting();
        if (outcome == Outcome::Stopped) {
            if (error)
                error->clear();
            return false;
        }
        return fail(file, 0);
    }
    errno = 0;
    if (!file.commit())
        return fail(file, errno);
    return true;
}

} // namespace ulk::report
