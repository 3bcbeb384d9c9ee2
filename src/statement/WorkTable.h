#pragma once
#include "data/RowSet.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

// A work table of a computed statement section (z_vek, z_vzdelavanie,
// z_zam): every column text, one row per printed line. It holds rows only
// while its section is printed.
namespace ulk::statement {

class WorkTable {
public:
    WorkTable(const QString &name, const QStringList &columns) : m_name(name), m_columns(columns) {}

    static const WorkTable &ages();       // z_vek, section I
    static const WorkTable &education();  // z_vzdelavanie, section II
    static const WorkTable &employees();  // z_zam, section III

    QString name() const { return m_name; }
    const QStringList &columns() const { return m_columns; }

    // Writes the lines, each its values in column order, in one transaction
    // on the program's connection; rows left by an interrupted print go first.
    // On failure nothing is written.
    bool fill(const QList<QStringList> &lines, QString *error) const;
    // Deletes every row, on the program's connection.
    bool clear(QString *error) const;
    // The rows in the order in which they were written, read on a connection.
    std::optional<RowSet> read(const QSqlDatabase &db, QString *error) const;

private:
    QString m_name;
    QStringList m_columns;
};

} // namespace ulk::statement
