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

    for (const Measured &m : ms) {
        const ReportControl &c = *m.c;
        const double x = left0 + c.left;
        const double y = c.top + m.shift;
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
            t.font = c.font;
            t.alignment = c.alignment;
            band.texts << t;
        }
    }
    return band;
}

// Where a page begins: the body item that opens it (a detail row, or the
// report footer after the last row) and how much of that item's band the
// pages before took.
struct PageStart {
    int item = 0;
    double from = 0;
};

// The report laid out lazily. Page breaks are found once, from the heights
// of the bands alone; a page is laid out again from its start when it is read.
class LazyPages : public PageSource {
public:
    LazyPages(const ReportDefinition &report, const RowSet &rows, const Context &ctx, double pageHeight)
        : m_report(report), m_rows(rows), m_ctx{m_rows, ctx.printDate}
    {
        m_report.clearDataSource();
        m_pageHeader = band(SectionKind::PageHeader, 0);
        m_pageFooter = band(SectionKind::PageFooter, 0);
        m_reportHeader = band(SectionKind::ReportHeader, 0);
        m_reportFooter = band(SectionKind::ReportFooter, 0);
        const ReportSection &detail = m_report.section(SectionKind::Detail);
        m_details = detail.visible ? m_rows.size() : 0;
        m_hasFooter = m_reportFooter.height > 0 || !m_reportFooter.texts.isEmpty() || !m_reportFooter.lines.isEmpty();
        // A detail without a growing text box is as tall as its section.
        m_fixedDetail = std::none_of(detail.controls().cbegin(), detail.controls().cend(), [](const ReportControl &c) {
            return c.kind == ControlKind::TextBox && c.canGrow;
        });
        m_top = m_report.margins.top();
        m_limit = pageHeight - m_report.margins.bottom() - m_pageFooter.height;
        Run run(*this, &m_starts, nullptr);
        run.from(0, PageStart());
    }

    int pageCount() const override { return int(m_starts.size()); }

    ReportPage page(int index) const override
    {
        ReportPage page;
        if (index < 0 || index >= m_starts.size())
            return page;
        Run run(*this, nullptr, &page);
        run.from(index, m_starts.at(index));
        return page;
    }

private:
    Band band(SectionKind kind, int row) const
    {
        const ReportSection &s = m_report.section(kind);
        return s.visible ? buildBand(m_report, s, row, m_ctx) : Band();
    }
    int itemCount() const { return m_details + (m_hasFooter ? 1 : 0); }
    Band itemBand(int item) const
    {
        return item < m_details ? band(SectionKind::Detail, item) : m_reportFooter;
    }
    double itemHeight(int item) const
    {
        if (item >= m_details)
            return m_reportFooter.height;
        return m_fixedDetail ? m_report.section(SectionKind::Detail).height : itemBand(item).height;
    }

    // One pass over the body from a page's start: either to note where every
    // page begins, or to lay out that one page and stop at its end.
    class Run {
    public:
        Run(const LazyPages &pages, QList<PageStart> *starts, ReportPage *out)
            : m_p(pages), m_starts(starts), m_out(out)
        {
        }

        void from(int pageIndex, PageStart start)
        {
            if (m_starts)
                m_starts->append(start);
            m_y = m_p.m_top;
            if (pageIndex == 0)
                put(m_p.m_reportHeader, 0, m_p.m_reportHeader.height);
            put(m_p.m_pageHeader, 0, m_p.m_pageHeader.height);
            m_hasBody = false;
            for (int item = start.item; item < m_p.itemCount(); ++item)
                if (!place(item, item == start.item ? start.from : 0))
                    return;
            putFooter();
        }

    private:
        // Places a band of the body (a detail or the report footer), the
        // part of it from `from` on; false when the one page laid out ends.
        bool place(int item, double from)
        {
            std::optional<Band> built;
            auto full = [&]() -> const Band & {
                if (!built)
                    built = m_p.itemBand(item);
                return *built;
            };
            if (from <= 0) {
                const double height = m_p.itemHeight(item);
                const double fresh = m_p.m_limit - (m_p.m_top + m_p.m_pageHeader.height);
                if (m_y + height > m_p.m_limit && (m_hasBody || height <= fresh) && !newPage(item, 0))
                    return false;
                if (m_y + height <= m_p.m_limit) {
                    if (m_out)
                        put(full(), 0, height);
                    else
                        m_y += height;
                    m_hasBody = true;
                    return true;
                }
            }
            // Taller than what is left of a page without rows: split between lines.
            const Band &band = full();
            while (from < band.height) {
                const double room = m_p.m_limit - m_y;
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
                if (cut <= from && m_y > m_p.m_top + m_p.m_pageHeader.height) {
                    if (!newPage(item, from))
                        return false;
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
                if (from < band.height && !newPage(item, from))
                    return false;
            }
            return true;
        }

        // Ends the page; false when it was the one page laid out.
        bool newPage(int item, double from)
        {
            putFooter();
            if (m_out)
                return false;
            m_starts->append(PageStart{item, from});
            m_y = m_p.m_top;
            put(m_p.m_pageHeader, 0, m_p.m_pageHeader.height);
            m_hasBody = false;
            return true;
        }

        // The page footer stands at the bottom of the page's body.
        void putFooter()
        {
            m_y = m_p.m_limit;
            put(m_p.m_pageFooter, 0, m_p.m_pageFooter.height);
        }

        // Places the part [from, to) of a band at the current position.
        void put(const Band &band, double from, double to)
        {
            if (m_out) {
                const double dy = m_y - from;
                const bool whole = from <= 0 && to >= band.height;
                for (const PlacedText &t : band.texts) {
                    if (!whole && (t.rect.top() < from || t.rect.top() >= to))
                        continue;
                    PlacedText p = t;
                    p.rect.translate(0, dy);
                    m_out->texts << p;
                }
                for (const PlacedLine &l : band.lines) {
                    const double top = std::min(l.line.y1(), l.line.y2());
                    if (!whole && (top < from || top >= to))
                        continue;
                    PlacedLine p = l;
                    p.line.translate(0, dy);
                    m_out->lines << p;
                }
            }
            m_y += to - from;
        }

        const LazyPages &m_p;
        QList<PageStart> *m_starts;
        ReportPage *m_out;
        double m_y = 0;
        bool m_hasBody = false;
    };

    ReportDefinition m_report;
    RowSet m_rows;
    Context m_ctx;
    Band m_pageHeader, m_pageFooter, m_reportHeader, m_reportFooter;
    int m_details = 0;
    bool m_hasFooter = false;
    bool m_fixedDetail = true;
    double m_top = 0;
    double m_limit = 0;
    QList<PageStart> m_starts;
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
    const Context ctx{rows, printDateText(printDate)};
    doc.pages = PageList(std::make_shared<const LazyPages>(report, rows, ctx, doc.pageSize.height()));
    return doc;
}

} // namespace ulk::report
