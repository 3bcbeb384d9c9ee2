#pragma once
#include <QList>
#include <QString>
#include <QVariantList>

// A code list read from the program's connection: the rows of a table with a
// code column, a name column and optionally a display line (column "roleta"),
// with a current row. The pickers show its lines; the code-list check looks
// typed codes and names up in it.
namespace ulk {

class CodeList {
public:
    // table, codeColumn and nameColumn are the program's own constants.
    CodeList(const QString &table, const QString &codeColumn, const QString &nameColumn);

    // Reads the rows. Without selectSql the whole table is read in the order
    // of its code column. A given query must return at least the code and the
    // name column (by those names) and may return a column "roleta".
    // On failure the list is left empty and *error is set.
    bool load(const QString &selectSql = {}, const QVariantList &values = {}, QString *error = nullptr);

    QString table() const { return m_table; }
    QString codeColumn() const { return m_codeColumn; }
    QString nameColumn() const { return m_nameColumn; }

    int size() const { return int(m_rows.size()); }
    QString code(int row) const;
    QString name(int row) const;
    // The line a picker shows: "roleta" when the query gave one, else the name.
    QString line(int row) const;
    QStringList lines() const;

    // The first row whose code, compared without trailing blanks, equals the
    // trimmed key; -1 when there is none. The key is looked up as typed.
    int findCode(const QString &key, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    // The first row whose name equals the key exactly; -1 when there is none.
    int findName(const QString &key) const;

    int current() const { return m_current; }
    void setCurrent(int row); // -1 or out of range: no current row

private:
    struct Row {
        QString code, name, line;
    };
    QString m_table, m_codeColumn, m_nameColumn;
    QList<Row> m_rows;
    int m_current = -1;
};

} // namespace ulk
