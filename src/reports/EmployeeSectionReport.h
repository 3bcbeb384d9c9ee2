#pragma once
#include "reports/ReportDefinition.h"

// rptZam: statement section III, the employees by job function, over the
// rows of the work table z_zam handed to it. Landscape.
namespace ulk::report {

class EmployeeSectionReport {
public:
    static QString name() { return QStringLiteral("rptZam"); }

    // The shared report object, created on first use.
    static ReportDefinition &instance();
    // A new definition as designed.
    static ReportDefinition create();
};

} // namespace ulk::report
