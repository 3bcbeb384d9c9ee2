#pragma once
#include "reports/ReportDefinition.h"

// rptZozKlient: the list of all clients, one line per client, over the
// command cmdZozKlient (the saved query vyp_zoz_klient).
namespace ulk::report {

class ClientListReport {
public:
    static QString name() { return QStringLiteral("rptZozKlient"); }
    static QString command() { return QStringLiteral("cmdZozKlient"); }

    // The shared report object, created on first use.
    static ReportDefinition &instance();
    // A new definition as designed.
    static ReportDefinition create();
};

} // namespace ulk::report
