#pragma once
// Prints tabs of a client's record with the preview replaced by a recorder,
// and reads the laid-out pages as text.
#include "client/ui/TabPrinter.h"
#include "common/Clock.h"
#include "data/DataEnvironment.h"
#include "data/Database.h"
#include "reports/ReportDocument.h"
#include "reports/ui/ReportViewer.h"
#include "support/ProgramDir.h"
#include "support/ui/ShownReports.h"
#include "support/ui/WhenModal.h"

#include <QList>
#include <QStringList>
#include <QTest>

namespace ulk::test {

constexpr double kMargin = 1440;

// One placed text as "caption @left,top,width" for a label and
// "column=text @left,top,width" for a text box; left from the left margin,
// top from baseTop.
inline QString describe(const report::PlacedText &t, double baseTop)
{
    const QString what = t.field.isEmpty() ? t.text : t.field + QLatin1Char('=') + t.text;
    return QStringLiteral("%1 @%2,%3,%4")
        .arg(what)
        .arg(t.rect.left() - kMargin)
        .arg(t.rect.top() - baseTop)
        .arg(t.rect.width());
}

// The texts of one section (of one detail row, or all rows when row < 0).
inline QStringList described(const report::ReportPage &page, const QString &section, double baseTop, int row = -1)
{
    QStringList out;
    for (const report::PlacedText &t : page.textsOf(section))
        if (row < 0 || t.row == row)
            out << describe(t, baseTop);
    return out;
}

// The texts of a column, in order.
inline QStringList columnTexts(const report::ReportPage &page, const QString &field)
{
    QStringList out;
    for (const report::PlacedText &t : page.textsOfField(field))
        out << t.text;
    return out;
}

// The number of detail rows printed on a page.
inline int detailRows(const report::ReportPage &page)
{
    QList<int> rows;
    for (const report::PlacedText &t : page.textsOf(QStringLiteral("Section1")))
        if (!rows.contains(t.row))
            rows << t.row;
    return int(rows.size());
}

inline bool print(const ProgramDir &dir, int tab, const QString &key, const QString &meno, const QString &priezv)
{
    return printClientTab(nullptr, dir.path(), tab, key, meno, priezv);
}

// The stored SQL of a view.
inline QString viewSql(const QString &name)
{
    return scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'view' AND lower(name) = lower(?)"),
                  {name})
        .toString();
}

} // namespace ulk::test
