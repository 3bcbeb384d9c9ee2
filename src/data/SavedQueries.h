#pragma once
#include <QString>
#include <QStringList>

// The SQL of the saved queries (SQLite views) that the reports read. The
// dossier queries select one client; the key is written into the view as a
// quoted literal, because a view has no parameters. Keys are compared
// ignoring trailing blanks; an empty key selects no rows.
namespace ulk::SavedQueries {

QString quoteLiteral(const QString &text);
// The condition "column holds the key" with the key as a literal.
QString keyCondition(const QString &column, const QString &key);
// An employee's first name, two blanks and the surname, each trimmed.
QString employeeName(const QString &table);

// The nine text columns of a disability code string, position 1 to 9,
// aliased prefix1..prefix9 followed by suffix ("retaz1M").
QString disabilityTextColumns(const QString &column, const QString &suffix);

QString zaklad(const QString &key);
QString rodicia(const QString &key);
QString surodenci(const QString &key);
// The six long-text columns of k_memo.
const QStringList &memoColumns();
// One long-text column of the client; empty for any other column.
QString memo(const QString &column, const QString &key);
QString zariad(const QString &key);
QString vysetrenie(const QString &key);
QString zazSpc(const QString &key);
// Every client's recorded changes with the client key Idkod: printing
// never rewrites this one and reads the rows of the open client from it.
QString zazZmeny();
QString navstevy(const QString &key);
QString zozKlient();

// The name of a saved query as the database stores it, matched regardless
// of letter case; empty when there is none (or on error, which is set).
QString storedName(const QString &viewName, QString *error = nullptr);

// Replaces a view in one transaction (DROP VIEW + CREATE VIEW) on the
// program's connection; on failure the old view stays as it was.
bool rewrite(const QString &viewName, const QString &selectSql, QString *error = nullptr);

} // namespace ulk::SavedQueries
