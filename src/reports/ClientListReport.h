#pragma once
#include "reports/BuiltReport.h"

// rptZozKlient: the list of all clients, one line per client, over the
// command cmdZozKlient (the saved query vyp_zoz_klient).
namespace ulk::report {

class ClientListReport : public BuiltReport<ClientListReport> {
public:
    static QString name() { return QStringLiteral("rptZozKlient"); }
    static QString command() { return QStringLiteral("cmdZozKlient"); }

    // A new definition as designed; instance() (BuiltReport) keeps the shared one.
    static ReportDefinition create();
};

} // namespace ulk::report
