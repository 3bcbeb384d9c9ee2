#pragma once
#include "reports/BuiltReport.h"

// rptZam: statement section III, the employees by job function, over the
// rows of the work table z_zam handed to it. Landscape.
namespace ulk::report {

class EmployeeSectionReport : public BuiltReport<EmployeeSectionReport> {
public:
    static QString name() { return QStringLiteral("rptZam"); }

    // A new definition as designed; instance() (BuiltReport) keeps the shared one.
    static ReportDefinition create();
};

} // namespace ulk::report
