#include "support/reports/ReportTexts.h"

namespace ulk::test {

QStringList texts(const QList<report::PlacedText> &list)
{
    QStringList out;
    for (const report::PlacedText &t : list)
        out << t.text;
    return out;
}

QList<QStringList> detailRows(const report::ReportPage &page)
{
    QList<QStringList> rows;
    int lastRow = -2;
    for (const report::PlacedText &t : page.textsOf(QStringLiteral("Section1"))) {
        if (t.row != lastRow) {
            rows << QStringList();
            lastRow = t.row;
        }
        rows.last() << t.text;
    }
    return rows;
}

} // namespace ulk::test
