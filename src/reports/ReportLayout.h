#pragma once
#include "data/RowSet.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportDocument.h"

#include <QDate>
#include <QStringList>
#include <optional>

// Lays a report definition over its rows out into pages.
//
// Page 1 begins with the report header, every page with the page header and
// ends with the page footer at the bottom of its body; the detail follows
// once per row; the report footer follows the last row. A band that does not
// fit under the rows already on a page moves to the next page; a band taller
// than a whole page (a long growing text) is split between its lines.
// A text box that grows wraps its text to its width and pushes the controls
// below it down; any other text is cut to one line, and at its box's edge.
namespace ulk::report {

class ReportLayout {
public:
    // A4 paper in twips, in the orientation given.
    static QSizeF paperSize(Orientation orientation);

    // The pages of the report; "%d" prints printDate. Fails when a text box
    // reads a column that the rows do not have.
    static std::optional<ReportDocument> layOut(const ReportDefinition &report, const RowSet &rows,
                                                const QDate &printDate, QString *error = nullptr);

    // The text of a value as a text box prints it.
    static QString formatValue(const QVariant &value, DataFormat format);
    // The text broken into the lines that fit the width (twips) in the font;
    // line breaks of the text are kept.
    static QStringList wrap(const QString &text, const ReportFont &font, double width);
    // The date of printing as reports print it ("%d").
    static QString printDateText(const QDate &date);
};

} // namespace ulk::report
