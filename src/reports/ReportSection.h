#pragma once
#include "reports/ReportControl.h"

#include <QList>
#include <QString>

// A band of a report: the report header (Section4), the page header
// (Section2), the detail printed once per row (Section1), the page footer
// (Section3) and the report footer (Section5).
namespace ulk::report {

enum class SectionKind { Detail = 1, PageHeader = 2, PageFooter = 3, ReportHeader = 4, ReportFooter = 5 };

class ReportSection {
public:
    explicit ReportSection(SectionKind kind = SectionKind::Detail);

    SectionKind kind() const { return m_kind; }
    // "Section1" .. "Section5".
    QString name() const;
    static QString nameOf(SectionKind kind);

    int height = 0;
    bool visible = true;

    ReportControl &add(const ReportControl &control);
    const QList<ReportControl> &controls() const { return m_controls; }
    // A control by name (letter case ignored), or null.
    ReportControl *control(const QString &name);
    const ReportControl *control(const QString &name) const;

private:
    SectionKind m_kind;
    QList<ReportControl> m_controls;
};

} // namespace ulk::report
