#pragma once
#include "reports/ReportDefinition.h"
#include "reports/ReportSection.h"

#include <QList>
#include <QString>

// The columns of a statement table: their edges in twips within the report's
// body, and the frame lines, heads and cells that the statement reports put
// on them. Column c runs from edge c to edge c + 1.
namespace ulk::report {

class StatementGrid {
public:
    explicit StatementGrid(const QList<int> &widths);

    int columns() const { return int(m_edges.size()) - 1; }
    int edge(int e) const { return m_edges.at(e); }
    int width() const { return m_edges.last(); }

    // A text over the columns from..to, inside their frame.
    ReportControl &label(ReportSection &s, const QString &name, const QString &caption, int from, int to, int top,
                         const ReportFont &font, Alignment alignment = Alignment::Center) const;
    // A text box in one column.
    ReportControl &field(ReportSection &s, const QString &name, const QString &dataField, int column, int top,
                         const ReportFont &font, Alignment alignment = Alignment::Center) const;
    // A frame line across the columns from..to.
    void across(ReportSection &s, const QString &name, int from, int to, int top) const;
    // A frame line down edge e, from top for height twips.
    void down(ReportSection &s, const QString &name, int e, int top, int height) const;
    // Frame lines down every edge but the ones left out.
    void downAll(ReportSection &s, const QString &prefix, int top, int height, const QList<int> &except = {}) const;

    // The heads of the row code ("I.r.") and of the total with its girls, in
    // the code column and the two after it.
    void codeHeads(ReportSection &s, int codeColumn, const ReportFont &font) const;
    // The marks of the columns under their heads, lblStlpec and the column:
    // a and b from column first, then 1, 2, ... to the last column.
    void columnMarks(ReportSection &s, int first, int top, const ReportFont &font) const;
    // A text box for each count column, txt_ and the column's name, in the
    // columns from first on.
    void countFields(ReportSection &s, const QList<std::pair<QString, QString>> &counts, int first, int top,
                     const ReportFont &font) const;
    // The total line of a section: the caption across the columns before the
    // row code (with no frame line inside it), the code, and after it the
    // empty total label of each count column, which the print fills.
    void totalLine(ReportSection &s, const QString &caption, const QString &code, int codeColumn,
                   const QList<std::pair<QString, QString>> &counts, const ReportFont &font) const;

    // A landscape A4 report whose body is this grid, centred across the page,
    // with the given top and bottom margin.
    void placeOnLandscape(ReportDefinition &report, int verticalMargin) const;

    // Pairs of (count column, footer total label) as texts.
    template <size_t N>
    static QList<std::pair<QString, QString>> namePairs(const std::pair<const char *, const char *> (&pairs)[N])
    {
        QList<std::pair<QString, QString>> out;
        for (const auto &[first, second] : pairs)
            out.append({QString::fromLatin1(first), QString::fromLatin1(second)});
        return out;
    }

    // Room kept between a text and the frame.
    static constexpr int kInset = 30;

private:
    QList<int> m_edges;
};

} // namespace ulk::report
