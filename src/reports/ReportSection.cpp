#include "reports/ReportSection.h"

namespace ulk::report {

ReportSection::ReportSection(SectionKind kind) : m_kind(kind) {}

QString ReportSection::nameOf(SectionKind kind) { return QStringLiteral("Section%1").arg(int(kind)); }

QString ReportSection::name() const { return nameOf(m_kind); }

ReportControl &ReportSection::add(const ReportControl &control)
{
    m_controls.append(control);
    return m_controls.last();
}

ReportControl *ReportSection::control(const QString &name)
{
    for (ReportControl &c : m_controls)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const ReportControl *ReportSection::control(const QString &name) const
{
    return const_cast<ReportSection *>(this)->control(name);
}

} // namespace ulk::report
