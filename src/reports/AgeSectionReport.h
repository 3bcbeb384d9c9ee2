#pragma once
#include "reports/BuiltReport.h"

#include <QList>
#include <QString>
#include <utility>

// rptVek: statement section I, the clients by age band, over the rows of the
// work table z_vek handed to it. Landscape. The report header is the
// statement's heading block; the report footer holds the total line, whose
// labels the print fills.
namespace ulk::report {

class AgeSectionReport : public BuiltReport<AgeSectionReport> {
public:
    static QString name() { return QStringLiteral("rptVek"); }

    // The heading label of the school year in the report header (Section4),
    // designed as "za školský rok 2006/2007".
    static QString yearLabel() { return QStringLiteral("Label105"); }
    // The total labels of the report footer (Section5): the count column
    // that each one totals, and the label's name.
    static const QList<std::pair<QString, QString>> &totalLabels();

    // A new definition as designed; instance() (BuiltReport) keeps the shared one.
    static ReportDefinition create();
};

} // namespace ulk::report
