#pragma once
#include <QString>
#include <QStringList>

// The SQL of the saved queries (SQLite views) that the reports read. The
// dossier queries select one client; the key is written into the view as a
// quoted literal, because a view has no parameters.
namespace ulk::SavedQueries {

QString quoteLiteral(const QString &text);

// The nine text columns of a disability code string, position 1 to 9,
// aliased prefix1..prefix9 followed by suffix ("retaz1M").
QString disabilityTextColumns(const QString &column, const QString &suffix);

QString zaklad(const QString &key);
QString rodicia(const QString &key);
QString surodenci(const QString &key);
QString memo(const QString &column, const QString &key);
QString zariad(const QString &key);
QString vysetrenie(const QString &key);
QString zazSpc(const QString &key);
QString zazZmeny(const QString &key);
QString navstevy(const QString &key);
QString zozKlient();

// Replaces a view in one transaction (DROP VIEW + CREATE VIEW).
bool rewrite(const QString &viewName, const QString &selectSql, QString *error = nullptr);

} // namespace ulk::SavedQueries
