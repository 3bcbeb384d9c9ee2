#pragma once
#include "reports/ReportDefinition.h"

// rptZam: statement section III, the employees by job function, over the
// rows of the work table z_zam handed to it. Landscape.
namespace ulk::report {

class EmployeeSectionReport {
public:
    static QString name() { return QStringLiteral("rptZam"); }

    // The shared definition as built, created on first use. Each show works
    // on a copy of it: what one show sets (captions, orientation, rows) does
    // not stay for the next.
    static ReportDefinition &instance();
    // A new definition as designed.
    static ReportDefinition create();
};

} // namespace ulk::report
