#include "reports/StatementGrid.h"

namespace ulk::report {

StatementGrid::StatementGrid(const QList<int> &widths)
{
    m_edges << 0;
    for (int w : widths)
        m_edges << m_edges.last() + w;
}

ReportControl &StatementGrid::label(ReportSection &s, const QString &name, const QString &caption, int from, int to,
                                    int top, const ReportFont &font, Alignment alignment) const
{
    const int left = edge(from) + kInset;
    ReportControl &c = s.add(ReportControl::label(name, caption, left, top, edge(to + 1) - kInset - left, font));
    c.alignment = alignment;
    return c;
}

ReportControl &StatementGrid::field(ReportSection &s, const QString &name, const QString &dataField, int column,
                                    int top, const ReportFont &font, Alignment alignment) const
{
    const int left = edge(column) + kInset;
    ReportControl &c =
        s.add(ReportControl::textBox(name, dataField, left, top, edge(column + 1) - kInset - left, font));
    c.alignment = alignment;
    return c;
}

void StatementGrid::across(ReportSection &s, const QString &name, int from, int to, int top) const
{
    s.add(ReportControl::line(name, edge(from), top, edge(to + 1) - edge(from)));
}

void StatementGrid::down(ReportSection &s, const QString &name, int e, int top, int height) const
{
    s.add(ReportControl::upright(name, edge(e), top, height));
}

void StatementGrid::downAll(ReportSection &s, const QString &prefix, int top, int height,
                            const QList<int> &except) const
{
    for (int e = 0; e <= columns(); ++e)
        if (!except.contains(e))
            down(s, prefix + QString::number(e), e, top, height);
}

void StatementGrid::placeOnLandscape(ReportDefinition &report, int verticalMargin) const
{
    constexpr int landscapeA4Width = 16838;
    report.orientation = Orientation::Landscape;
    const int side = (landscapeA4Width - width()) / 2;
    report.margins = QMarginsF(side, verticalMargin, side, verticalMargin);
    report.width = width();
}

} // namespace ulk::report
