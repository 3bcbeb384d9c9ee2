#include "reports/ReportControl.h"

namespace ulk::report {

ReportControl ReportControl::label(const QString &name, const QString &caption, int left, int top, int width,
                                   const ReportFont &font, int height)
{
    ReportControl c;
    c.kind = ControlKind::Label;
    c.name = name;
    c.caption = caption;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.font = font;
    return c;
}

ReportControl ReportControl::textBox(const QString &name, const QString &dataField, int left, int top, int width,
                                     const ReportFont &font, bool canGrow, int height)
{
    ReportControl c;
    c.kind = ControlKind::TextBox;
    c.name = name;
    c.dataField = dataField;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.font = font;
    c.canGrow = canGrow;
    return c;
}

ReportControl ReportControl::line(const QString &name, int left, int top, int length, LineStyle style)
{
    ReportControl c;
    c.kind = ControlKind::Line;
    c.name = name;
    c.left = left;
    c.top = top;
    c.width = length;
    c.height = 0;
    c.lineStyle = style;
    return c;
}

double ReportControl::designHeight() const
{
    if (kind == ControlKind::Line)
        return height;
    return height > 0 ? double(height) : font.lineHeight();
}

} // namespace ulk::report
