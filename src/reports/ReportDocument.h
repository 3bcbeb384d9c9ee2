#pragma once
#include "reports/ReportControl.h"
#include "reports/ReportDefinition.h"

#include <QList>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// A report laid out into pages: every text and line at its place on its
// page, in twips from the top left corner of the paper. Painting draws
// exactly this; tests read it to check texts, order and positions.
namespace ulk::report {

struct PlacedText {
    QString section;   // "Section1" ..
    QString name;      // the control's name
    QString field;     // the column a text box prints (empty for a label)
    int row = -1;      // detail: the row printed, else -1
    QString text;      // one line of text
    QRectF rect;       // the line's box on the page
    double clipRight = 0; // the text is cut here: a text box of one line may run
                          // on over empty space up to the next control on its line
    ReportFont font;
    Alignment alignment = Alignment::Left;
};

struct PlacedLine {
    QString section;
    QString name;
    QLineF line;
    LineStyle style = LineStyle::Solid;
};

struct ReportPage {
    QList<PlacedText> texts;   // in section order, and within a section in design order
    QList<PlacedLine> lines;

    // The texts of one section, or of one control (name) of it.
    QList<PlacedText> textsOf(const QString &section, const QString &name = QString()) const;
    // The texts printed from one column.
    QList<PlacedText> textsOfField(const QString &field) const;
};

struct ReportDocument {
    QString reportName;
    QString caption;
    Orientation orientation = Orientation::Portrait;
    QSizeF pageSize;           // twips, oriented
    QList<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
};

} // namespace ulk::report
