#pragma once
#include "reports/BuiltReport.h"

#include <QList>
#include <QString>
#include <utility>

// rptVzd: statement section II, the pre-school clients by kind of education,
// over the rows of the work table z_vzdelavanie handed to it. Landscape. The
// report footer holds the total line, whose labels the print fills, and the
// signature block.
namespace ulk::report {

class EducationSectionReport : public BuiltReport<EducationSectionReport> {
public:
    static QString name() { return QStringLiteral("rptVzd"); }

    // The total labels of the report footer (Section5): the count column
    // that each one totals, and the label's name.
    static const QList<std::pair<QString, QString>> &totalLabels();

    // A new definition as designed; instance() (BuiltReport) keeps the shared one.
    static ReportDefinition create();
};

} // namespace ulk::report
