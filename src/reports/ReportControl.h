#pragma once
#include "reports/ReportFont.h"

#include <QString>

// One control of a report section: a label, a text box bound to a column of
// the report's rows, or a line. Positions and sizes are in twips within the
// section.
namespace ulk::report {

enum class ControlKind { Label, TextBox, Line };
enum class Alignment { Left, Center, Right };
// How a text box turns its value into text: as it is, or a date (stored as
// ISO text yyyy-MM-dd) printed dd.mm.yyyy.
enum class DataFormat { Text, Date };
// Border style of a line, as numbered by the designer: 1 solid, 2 dash, 3 dot.
enum class LineStyle { Solid = 1, Dash = 2, Dot = 3 };

struct ReportControl {
    ControlKind kind = ControlKind::Label;
    QString name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;           // 0: one text line of the control's font
    QString caption;          // label; "%d" prints the date of printing
    QString dataField;        // text box: the column it prints
    ReportFont font;
    Alignment alignment = Alignment::Left;
    DataFormat format = DataFormat::Text;
    bool canGrow = false;     // text box: wraps and grows downward; else cut to one line
    LineStyle lineStyle = LineStyle::Solid;

    static ReportControl label(const QString &name, const QString &caption, int left, int top, int width,
                               const ReportFont &font, int height = 0);
    static ReportControl textBox(const QString &name, const QString &dataField, int left, int top, int width,
                                 const ReportFont &font, bool canGrow = false, int height = 0);
    // A horizontal line of the given length.
    static ReportControl line(const QString &name, int left, int top, int length,
                              LineStyle style = LineStyle::Solid);
    // A vertical line of the given height.
    static ReportControl upright(const QString &name, int left, int top, int height);

    // The designed height, or one line of the font when none is given.
    double designHeight() const;
};

} // namespace ulk::report
