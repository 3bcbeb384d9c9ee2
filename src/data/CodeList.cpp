#include "data/CodeList.h"

#include "common/FailureText.h"
#include "data/Database.h"

#include <QSqlError>
#include <QSqlRecord>

namespace ulk {

namespace {
QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\""))
        + QLatin1Char('"');
}

QString chopTrailingBlanks(QString s)
{
    while (!s.isEmpty() && s.back() == QLatin1Char(' '))
        s.chop(1);
    return s;
}
} // namespace

CodeList::CodeList(const QString &table, const QString &codeColumn, const QString &nameColumn)
    : m_table(table), m_codeColumn(codeColumn), m_nameColumn(nameColumn)
{
}

bool CodeList::load(const QString &selectSql, const QVariantList &values, QString *error)
{
    m_rows.clear();
    m_current = -1;
    const QString sql = selectSql.isEmpty()
        ? QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
              .arg(quoted(m_codeColumn), quoted(m_nameColumn), quoted(m_table))
        : selectSql;
    QString err;
    QSqlQuery q = runSql(sql, values, &err);
    if (!err.isEmpty()) {
        if (error)
            *error = err;
        return false;
    }
    const QSqlRecord rec = q.record();
    const int codeAt = rec.indexOf(m_codeColumn);
    const int nameAt = rec.indexOf(m_nameColumn);
    const int lineAt = rec.indexOf(QStringLiteral("roleta"));
    if (codeAt < 0 || nameAt < 0) {
        if (error)
            *error = QStringLiteral("číselník nemá stĺpec %1 alebo %2").arg(m_codeColumn, m_nameColumn);
        return false;
    }
    while (q.next()) {
        Row r;
        r.code = q.value(codeAt).toString();
        r.name = q.value(nameAt).toString();
        r.line = lineAt >= 0 ? q.value(lineAt).toString() : r.name;
        m_rows.append(r);
    }
    // A list read only in part is not offered.
    if (q.lastError().isValid()) {
        m_rows.clear();
        if (error)
            *error = sqliteCause(q.lastError());
        return false;
    }
    return true;
}

QString CodeList::code(int row) const { return row >= 0 && row < size() ? m_rows.at(row).code : QString(); }

QString CodeList::name(int row) const { return row >= 0 && row < size() ? m_rows.at(row).name : QString(); }

QString CodeList::line(int row) const { return row >= 0 && row < size() ? m_rows.at(row).line : QString(); }

QStringList CodeList::lines() const
{
    QStringList l;
    l.reserve(size());
    for (const Row &r : m_rows)
        l << r.line;
    return l;
}

int CodeList::findCode(const QString &key, Qt::CaseSensitivity cs) const
{
    const QString k = key.trimmed();
    for (int i = 0; i < size(); ++i)
        if (chopTrailingBlanks(m_rows.at(i).code).compare(k, cs) == 0)
            return i;
    return -1;
}

int CodeList::findName(const QString &key, Qt::CaseSensitivity cs) const
{
    for (int i = 0; i < size(); ++i)
        if (m_rows.at(i).name.compare(key, cs) == 0)
            return i;
    return -1;
}

void CodeList::setCurrent(int row) { m_current = row >= 0 && row < size() ? row : -1; }

} // namespace ulk
