#include "reports/ReportControl.h"

namespace ulk::report {

namespace {

// A control of the kind at its place in the section.
ReportControl placed(ControlKind kind, const QString &name, int left, int top, int width, int height)
{
    ReportControl c;
    c.kind = kind;
    c.name = name;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

} // namespace

ReportControl ReportControl::label(const QString &name, const QString &caption, int left, int top, int width,
                                   const ReportFont &font, int height)
{
    ReportControl c = placed(ControlKind::Label, name, left, top, width, height);
    c.caption = caption;
    c.font = font;
    return c;
}

ReportControl ReportControl::textBox(const QString &name, const QString &dataField, int left, int top, int width,
                                     const ReportFont &font, bool canGrow, int height)
{
    ReportControl c = placed(ControlKind::TextBox, name, left, top, width, height);
    c.dataField = dataField;
    c.font = font;
    c.canGrow = canGrow;
    return c;
}

ReportControl ReportControl::line(const QString &name, int left, int top, int length, LineStyle style)
{
    ReportControl c = placed(ControlKind::Line, name, left, top, length, 0);
    c.lineStyle = style;
    return c;
}

ReportControl ReportControl::upright(const QString &name, int left, int top, int height)
{
    return placed(ControlKind::Line, name, left, top, 0, height);
}

double ReportControl::designHeight() const
{
    if (kind == ControlKind::Line)
        return height;
    return height > 0 ? double(height) : font.lineHeight();
}

} // namespace ulk::report
