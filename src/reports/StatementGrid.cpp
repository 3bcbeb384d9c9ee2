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

void StatementGrid::codeHeads(ReportSection &s, int codeColumn, const ReportFont &font) const
{
    label(s, QStringLiteral("lblIr"), QStringLiteral("I.r."), codeColumn, codeColumn, 290, font);
    label(s, QStringLiteral("lblSpolu"), QStringLiteral("Spolu"), codeColumn + 1, codeColumn + 1, 290, font);
    label(s, QStringLiteral("lblZToho"), QStringLiteral("z toho"), codeColumn + 2, codeColumn + 2, 290, font);
    label(s, QStringLiteral("lblDievcata"), QStringLiteral("dievčatá"), codeColumn + 2, codeColumn + 2, 470, font);
}

void StatementGrid::columnMarks(ReportSection &s, int first, int top, const ReportFont &font) const
{
    for (int c = first; c < columns(); ++c)
        label(s, QStringLiteral("lblStlpec%1").arg(c),
              c == first ? QStringLiteral("a") : c == first + 1 ? QStringLiteral("b") : QString::number(c - first - 1),
              c, c, top, font);
}

void StatementGrid::countFields(ReportSection &s, const QList<std::pair<QString, QString>> &counts, int first,
                                int top, const ReportFont &font) const
{
    for (int k = 0; k < counts.size(); ++k)
        field(s, QStringLiteral("txt_") + counts.at(k).first, counts.at(k).first, first + k, top, font);
}

void StatementGrid::totalLine(ReportSection &s, const QString &caption, const QString &code, int codeColumn,
                              const QList<std::pair<QString, QString>> &counts, const ReportFont &font) const
{
    const int last = columns() - 1;
    label(s, QStringLiteral("lblSpoluRiadky"), caption, 0, codeColumn - 1, 30, font, Alignment::Left);
    label(s, QStringLiteral("lblSpoluKod"), code, codeColumn, codeColumn, 30, font);
    for (int k = 0; k < counts.size(); ++k)
        label(s, counts.at(k).second, QString(), codeColumn + 1 + k, codeColumn + 1 + k, 30, font);
    across(s, QStringLiteral("linSpoluHore"), 0, last, 0);
    across(s, QStringLiteral("linSpoluDole"), 0, last, 270);
    QList<int> inside;
    for (int e = 1; e < codeColumn; ++e)
        inside << e;
    downAll(s, QStringLiteral("linZvislo"), 0, 270, inside);
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
