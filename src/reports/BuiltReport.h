#pragma once
#include "reports/ReportDefinition.h"

// What every report class of the program shares: Report::create() builds a
// new definition as designed, and instance() is the one shared definition as
// built, created on first use. Each show works on a copy of it: what one
// show sets (captions, orientation, rows) does not stay for the next.
namespace ulk::report {

template <class Report>
class BuiltReport {
public:
    static ReportDefinition &instance()
    {
        static ReportDefinition report = Report::create();
        return report;
    }
};

} // namespace ulk::report
