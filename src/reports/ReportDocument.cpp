#include "reports/ReportDocument.h"

namespace ulk::report {

QList<PlacedText> ReportPage::textsOf(const QString &section, const QString &name) const
{
    QList<PlacedText> out;
    for (const PlacedText &t : texts)
        if (t.section.compare(section, Qt::CaseInsensitive) == 0
            && (name.isEmpty() || t.name.compare(name, Qt::CaseInsensitive) == 0))
            out << t;
    return out;
}

QList<PlacedText> ReportPage::textsOfField(const QString &field) const
{
    QList<PlacedText> out;
    for (const PlacedText &t : texts)
        if (!t.field.isEmpty() && t.field.compare(field, Qt::CaseInsensitive) == 0)
            out << t;
    return out;
}

} // namespace ulk::report
