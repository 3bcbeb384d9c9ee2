#pragma once
#include "reports/ReportDefinition.h"

// rptZozKlient: the list of all clients, one line per client, over the
// command cmdZozKlient (the saved query vyp_zoz_klient).
namespace ulk::report {

class ClientListReport {
public:
    static QString name() { return QStringLiteral("rptZozKlient"); }
    static QString command() { return QStringLiteral("cmdZozKlient"); }

    // The shared definition as built, created on first use. Each show works
    // on a copy of it: what one show sets (captions, orientation, rows) does
    // not stay for the next.
    static ReportDefinition &instance();
    // A new definition as designed.
    static ReportDefinition create();
};

} // namespace ulk::report
