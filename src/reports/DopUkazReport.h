#pragma once
#include "reports/BuiltReport.h"

// rptDopUkaz: section IV of the statement, the supplementary indicators,
// over the command cmdDopUkaz (the table dop_ukaz, one row).
namespace ulk::report {

class DopUkazReport : public BuiltReport<DopUkazReport> {
public:
    static QString name() { return QStringLiteral("rptDopUkaz"); }
    static QString command() { return QStringLiteral("cmdDopUkaz"); }

    // A new definition as designed; instance() (BuiltReport) keeps the shared one.
    static ReportDefinition create();
};

} // namespace ulk::report
