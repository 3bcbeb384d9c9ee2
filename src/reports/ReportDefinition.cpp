#include "reports/ReportDefinition.h"

#include <utility>

namespace ulk::report {

ReportDefinition::ReportDefinition(const QString &name)
    : m_name(name),
      m_sections{ReportSection(SectionKind::Detail), ReportSection(SectionKind::PageHeader),
                 ReportSection(SectionKind::PageFooter), ReportSection(SectionKind::ReportHeader),
                 ReportSection(SectionKind::ReportFooter)}
{
}

ReportSection &ReportDefinition::section(SectionKind kind) { return m_sections[int(kind) - 1]; }

const ReportSection &ReportDefinition::section(SectionKind kind) const { return m_sections[int(kind) - 1]; }

const ReportSection *ReportDefinition::section(const QString &name) const
{
    for (const ReportSection &s : m_sections)
        if (s.name().compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const ReportControl *ReportDefinition::control(const QString &sectionName, const QString &controlName) const
{
    const ReportSection *s = section(sectionName);
    return s ? s->control(controlName) : nullptr;
}

ReportControl *ReportDefinition::control(const QString &sectionName, const QString &controlName)
{
    return const_cast<ReportControl *>(std::as_const(*this).control(sectionName, controlName));
}

bool ReportDefinition::setCaption(const QString &sectionName, const QString &controlName, const QString &text)
{
    ReportControl *c = control(sectionName, controlName);
    if (!c || c->kind != ControlKind::Label)
        return false;
    c->caption = text;
    return true;
}

bool ReportDefinition::setDataField(const QString &sectionName, const QString &controlName,
                                    const QString &dataField)
{
    ReportControl *c = control(sectionName, controlName);
    if (!c || c->kind != ControlKind::TextBox)
        return false;
    c->dataField = dataField;
    return true;
}

void ReportDefinition::setDataMember(const QString &command)
{
    m_dataMember = command;
    m_dataSource.reset();
}

void ReportDefinition::setDataSource(const RowSet &rows) { m_dataSource = rows; }

} // namespace ulk::report
