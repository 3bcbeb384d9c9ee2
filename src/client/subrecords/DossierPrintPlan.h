#pragma once
#include <QString>
#include <optional>

// What printing a tab of the client record does with the database: which
// saved query the tab's page reads, the SQL that selects the open client's
// rows for it, and the report that prints it with the settings made on it.
namespace ulk {

struct DossierTab {
    int index = -1;
    QString caption;       // the tab's caption in the client record window
    QString savedQuery;    // the saved query that the page reads
    bool rewritten = true; // false: the saved query is read as the database holds it
    QString keyColumn;     // a saved query of every client: its rows of this key column are printed
    QString report;        // rptZakUdaj ...
    bool landscape = false;
    QString title;         // the long-text page: its title ...
    QString memoColumn;    // ... and the column of k_memo that it prints
};

class DossierPrintPlan {
public:
    // The tab of that index, 0 to 13; nothing for another index.
    static std::optional<DossierTab> tab(int index);

    // The SQL that selects the client's rows for the tab's saved query;
    // empty for a saved query that is never rewritten.
    static QString sqlFor(const DossierTab &tab, const QString &clientKey);

    enum class Written { Ok, Missing, NoKeyColumn, CheckFailed, RewriteFailed };
    // Replaces the SQL of the tab's saved query (on the program's connection,
    // in one transaction) with the client's. The saved query must exist: a
    // missing one is not created, and one stored under another letter case
    // keeps its stored name. A saved query that is only read is checked
    // to exist and to have its key column. *error tells why it failed.
    static Written writeSavedQuery(const DossierTab &tab, const QString &clientKey, QString *error = nullptr);
};

} // namespace ulk
