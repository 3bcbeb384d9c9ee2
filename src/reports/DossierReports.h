#pragma once
#include "reports/ReportDefinition.h"

#include <QStringList>

// The pages of a client's record: one report definition for each tab of the
// client record window (the six long-text tabs share rptDemo), each over its
// command of the data environment. The client's name goes into lblMeno of
// the report header before each show; rptDemo also takes its title
// (lblNadpis) and the column that it prints (txtPolozka).
namespace ulk::report {

class DossierReports {
public:
    // The shared definition of that name as built (letter case ignored),
    // created on first use; null for a name that is not a dossier report.
    // Each print works on a copy of it.
    static const ReportDefinition *instance(const QString &name);
    // A new definition as designed; nothing for another name.
    static std::optional<ReportDefinition> create(const QString &name);
};

} // namespace ulk::report
