#pragma once
#include "reports/ReportDefinition.h"

// rptDopUkaz: section IV of the statement, the supplementary indicators,
// over the command cmdDopUkaz (the table dop_ukaz, one row).
namespace ulk::report {

class DopUkazReport {
public:
    static QString name() { return QStringLiteral("rptDopUkaz"); }
    static QString command() { return QStringLiteral("cmdDopUkaz"); }

    // The shared definition as built, created on first use. Each show works
    // on a copy of it: what one show sets (captions, orientation, rows) does
    // not stay for the next.
    static ReportDefinition &instance();
    // A new definition as designed.
    static ReportDefinition create();
};

} // namespace ulk::report
