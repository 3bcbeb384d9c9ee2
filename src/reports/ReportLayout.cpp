#include "reports/ReportLayout.h"

#include <QDateTime>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

namespace ulk::report {

namespace {

// One band laid out: items placed at their left on the page and at their
// top within the band.
struct Band {
    QList<PlacedText> texts;
    QList<PlacedLine> lines;
    double height = 0;
};

struct Context {
    const RowSet &rows;
    QString printDate;
    double bodyRight = 0; // right edge of the page's body, twips
};

QString firstLine(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char('\n') || text.at(i) == QLatin1Char('\r'))
            return text.left(i);
    return text;
}

Band buildBand(const ReportDefinition &report, const ReportSection &section, int row, const Context &ctx)
{
    Band band;
    const double left0 = report.margins.left();
    const QList<ReportControl> &controls = section.controls();

    struct Measured {
        const ReportControl *c;
        QStringList lines;   // texts
        double lineHeight;
        double designHeight;
        double boxHeight;
        double shift = 0;
    };
    QList<Measured> ms;
    ms.reserve(controls.size());
    for (const ReportControl &c : controls) {
        Measured m{&c, {}, 0, c.designHeight(), 0};
        if (c.kind != ControlKind::Line) {
            m.lineHeight = c.font.lineHeight();
            QString text;
            if (c.kind == ControlKind::Label) {
                text = c.caption;
                text.replace(QLatin1String("%d"), ctx.printDate);
            } else if (!c.dataField.isEmpty()) {
                text = ReportLayout::formatValue(ctx.rows.value(row, c.dataField), c.format);
            }
            if (c.kind == ControlKind::TextBox && c.canGrow)
                m.lines = ReportLayout::wrap(text, c.font, c.width);
            else
                m.lines = QStringList{firstLine(text)};
            // Only a text box that grows takes more room than its design
            // gives it; a label or a box of one line keeps its designed
            // height, even when its font's line is taller.
            m.boxHeight = c.kind == ControlKind::TextBox && c.canGrow
                ? std::max(m.designHeight, m.lines.size() * m.lineHeight)
                : m.designHeight;
        } else {
            m.boxHeight = m.designHeight;
        }
        ms << m;
    }

    // A control below a grown one moves down by that growth (and by the
    // shifts that the grown one took itself).
    QList<int> byTop(ms.size());
    for (int i = 0; i < ms.size(); ++i)
        byTop[i] = i;
    std::stable_sort(byTop.begin(), byTop.end(), [&](int a, int b) { return ms[a].c->top < ms[b].c->top; });
    double extra = 0;
    for (int k = 0; k < byTop.size(); ++k) {
        Measured &m = ms[byTop[k]];
        for (int j = 0; j < k; ++j) {
            const Measured &g = ms[byTop[j]];
            const double growth = g.boxHeight - g.designHeight;
            if (growth > 0 && m.c->top >= g.c->top + g.designHeight)
                m.shift = std::max(m.shift, g.shift + growth);
        }
        extra = std::max(extra, m.shift + (m.boxHeight - m.designHeight));
    }
    band.height = section.height + extra;

    // A value of one line is cut where the next control to its right on the
    // same line begins, or at the right margin, but never inside its own box:
    // no digit of a birth number is lost where there is room for it.
    auto cutAt = [&](const Measured &m) {
        const double top = m.c->top + m.shift;
        const double bottom = top + std::max(m.designHeight, m.lineHeight);
        double right = std::max(ctx.bodyRight, left0 + m.c->left + m.c->width);
        for (const Measured &o : ms) {
            if (&o == &m || o.c->kind == ControlKind::Line || o.c->left <= m.c->left)
                continue;
            const double oTop = o.c->top + o.shift;
            if (oTop < bottom && oTop + o.boxHeight > top)
                right = std::min(right, left0 + o.c->left);
        }
        return std::max(right, left0 + m.c->left + m.c->width);
    };

    for (const Measured &m : ms) {
        const ReportControl &c = *m.c;
        const double x = left0 + c.left;
        const double y = c.top + m.shift;
        // Captions keep to their boxes; a value of one line may run on.
        const double clipRight = c.kind == ControlKind::TextBox && !c.canGrow ? cutAt(m) : x + c.width;
        if (c.kind == ControlKind::Line) {
            band.lines << PlacedLine{section.name(), c.name, QLineF(x, y, x + c.width, y + c.height), c.lineStyle};
            continue;
        }
        const bool several = m.lines.size() > 1;
        for (int i = 0; i < m.lines.size(); ++i) {
            PlacedText t;
            t.section = section.name();
            t.name = c.name;
            t.field = c.kind == ControlKind::TextBox ? c.dataField : QString();
            t.row = section.kind() == SectionKind::Detail ? row : -1;
            t.text = m.lines.at(i);
            const double h = several ? m.lineHeight : std::max(m.designHeight, m.lineHeight);
            t.rect = QRectF(x, y + i * m.lineHeight, c.width, h);
            t.clipRight = clipRight;
            t.font = c.font;
            t.alignment = c.alignment;
            band.texts << t;
        }
    }
    return band;
}

class Paginator {
public:
    Paginator(const ReportDefinition &report, ReportDocument &doc, const Band &pageHeader, const Band &pageFooter)
        : m_doc(doc), m_pageHeader(pageHeader), m_pageFooter(pageFooter)
    {
        m_top = report.margins.top();
        m_limit = doc.pageSize.height() - report.margins.bottom() - pageFooter.height;
    }

    void startFirstPage(const Band &reportHeader)
    {
        m_doc.pages.append(ReportPage());
        m_y = m_top;
        put(reportHeader, 0, reportHeader.height);
        put(m_pageHeader, 0, m_pageHeader.height);
        m_hasBody = false;
    }

    // Places a band of the body (a detail or the report footer).
    void place(const Band &band)
    {
        const double fresh = m_limit - (m_top + m_pageHeader.height);
        if (m_y + band.height > m_limit && (m_hasBody || band.height <= fresh))
            newPage();
        if (m_y + band.height <= m_limit) {
            put(band, 0, band.height);
            m_hasBody = true;
            return;
        }
        // Taller than what is left of a page without rows: split between lines.
        double from = 0;
        while (from < band.height) {
            const double room = m_limit - m_y;
            double cut = band.height;
            for (const PlacedText &t : band.texts)
                if (t.rect.top() >= from && t.rect.bottom() - from > room)
                    cut = std::min(cut, t.rect.top());
            for (const PlacedLine &l : band.lines) {
                const double top = std::min(l.line.y1(), l.line.y2());
                const double bottom = std::max(l.line.y1(), l.line.y2());
                if (top >= from && bottom - from > room)
                    cut = std::min(cut, top);
            }
            if (cut <= from && m_y > m_top + m_pageHeader.height) {
                newPage();
                continue;
            }
            if (cut <= from) {
                // Not even the first item fits on an empty page: place it regardless.
                double first = band.height;
                for (const PlacedText &t : band.texts)
                    if (t.rect.top() >= from)
                        first = std::min(first, t.rect.top());
                cut = band.height;
                for (const PlacedText &t : band.texts)
                    if (t.rect.top() > first)
                        cut = std::min(cut, t.rect.top());
            }
            put(band, from, cut);
            m_hasBody = true;
            from = cut;
            if (from < band.height)
                newPage();
        }
    }

    void finish() { putFooter(); }

private:
    void newPage()
    {
        putFooter();
        m_doc.pages.append(ReportPage());
        m_y = m_top;
        put(m_pageHeader, 0, m_pageHeader.height);
        m_hasBody = false;
    }

    // The page footer stands at the bottom of the page's body.
    void putFooter()
    {
        m_y = m_limit;
        put(m_pageFooter, 0, m_pageFooter.height);
    }

    // Places the part [from, to) of a band at the current position.
    void put(const Band &band, double from, double to)
    {
        ReportPage &page = m_doc.pages.last();
        const double dy = m_y - from;
        const bool whole = from <= 0 && to >= band.height;
        for (const PlacedText &t : band.texts) {
            if (!whole && (t.rect.top() < from || t.rect.top() >= to))
                continue;
            PlacedText p = t;
            p.rect.translate(0, dy);
            page.texts << p;
        }
        for (const PlacedLine &l : band.lines) {
            const double top = std::min(l.line.y1(), l.line.y2());
            if (!whole && (top < from || top >= to))
                continue;
            PlacedLine p = l;
            p.line.translate(0, dy);
            page.lines << p;
        }
        m_y += to - from;
    }

    ReportDocument &m_doc;
    const Band &m_pageHeader;
    const Band &m_pageFooter;
    double m_top = 0;
    double m_limit = 0;
    double m_y = 0;
    bool m_hasBody = false;
};

} // namespace

QSizeF ReportLayout::paperSize(Orientation orientation)
{
    // A4: 210 x 297 mm.
    const QSizeF portrait(11906, 16838);
    return orientation == Orientation::Landscape ? portrait.transposed() : portrait;
}

QString ReportLayout::printDateText(const QDate &date) { return date.toString(QStringLiteral("d.M.yyyy")); }

QString ReportLayout::formatValue(const QVariant &value, DataFormat format)
{
    if (value.isNull() || !value.isValid())
        return QString();
    if (format == DataFormat::Date) {
        QDate d;
        if (value.metaType().id() == QMetaType::QDate)
            d = value.toDate();
        else if (value.metaType().id() == QMetaType::QDateTime)
            d = value.toDateTime().date();
        else
            d = QDate::fromString(value.toString().left(10), QStringLiteral("yyyy-MM-dd"));
        if (d.isValid())
            return d.toString(QStringLiteral("dd.MM.yyyy"));
    }
    return value.toString();
}

QStringList ReportLayout::wrap(const QString &text, const ReportFont &font, double width)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QFont f = font.qfont();
    QStringList out;
    for (const QString &paragraph : t.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty()) {
            out << QString();
            continue;
        }
        QTextLayout layout(paragraph, f);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1.0, width));
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (!piece.isEmpty() && piece.back().isSpace())
                piece.chop(1);
            out << piece;
        }
        layout.endLayout();
    }
    // A text that ends in a line break does not print an empty line after it.
    while (out.size() > 1 && out.last().isEmpty())
        out.removeLast();
    return out;
}

std::optional<ReportDocument> ReportLayout::layOut(const ReportDefinition &report, const RowSet &rows,
                                                   const QDate &printDate, QString *error)
{
    for (SectionKind kind : {SectionKind::ReportHeader, SectionKind::PageHeader, SectionKind::Detail,
                             SectionKind::PageFooter, SectionKind::ReportFooter}) {
        const ReportSection &s = report.section(kind);
        if (!s.visible)
            continue;
        for (const ReportControl &c : s.controls())
            if (c.kind == ControlKind::TextBox && !c.dataField.isEmpty() && !rows.hasColumn(c.dataField)) {
                if (error)
                    *error = QStringLiteral("zostava %1 číta stĺpec %2, ktorý zdroj údajov neobsahuje")
                                 .arg(report.name(), c.dataField);
                return std::nullopt;
            }
    }

    ReportDocument doc;
    doc.reportName = report.name();
    doc.caption = report.caption;
    doc.orientation = report.orientation;
    doc.pageSize = paperSize(report.orientation);
    const Context ctx{rows, printDateText(printDate), doc.pageSize.width() - report.margins.right()};
    auto band = [&](SectionKind kind, int row) {
        const ReportSection &s = report.section(kind);
        return s.visible ? buildBand(report, s, row, ctx) : Band();
    };
    const Band pageHeader = band(SectionKind::PageHeader, 0);
    const Band pageFooter = band(SectionKind::PageFooter, 0);
    Paginator pages(report, doc, pageHeader, pageFooter);
    pages.startFirstPage(band(SectionKind::ReportHeader, 0));
    if (report.section(SectionKind::Detail).visible)
        for (int r = 0; r < rows.size(); ++r)
            pages.place(buildBand(report, report.section(SectionKind::Detail), r, ctx));
    const Band footer = band(SectionKind::ReportFooter, 0);
    if (footer.height > 0 || !footer.texts.isEmpty() || !footer.lines.isEmpty())
        pages.place(footer);
    pages.finish();
    return doc;
}

} // namespace ulk::report
