#pragma once
#include "reports/BuiltReport.h"

// rptOdbStar: section V of the statement, professional care, over the
// command CmdOdbStar (the table odbstar, 28 rows). It is wider than a
// portrait page: the print sets it to landscape before the show.
namespace ulk::report {

class OdbStarReport : public BuiltReport<OdbStarReport> {
public:
    static QString name() { return QStringLiteral("rptOdbStar"); }
    static QString command() { return QStringLiteral("CmdOdbStar"); }

    // A new definition as designed; instance() (BuiltReport) keeps the shared one.
    static ReportDefinition create();

    // Left edge of the column of s_N (N = 1 .. 10), twips from the body's left.
    static int countLeft(int column);
};

} // namespace ulk::report
