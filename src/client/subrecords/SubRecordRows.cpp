#include "client/subrecords/SubRecordRows.h"

#include "common/FailureText.h"
#include "data/Database.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ulk {

namespace {

QString dayLine(const QDate &d) { return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString(); }

QString placeholders(int n)
{
    QStringList p;
    for (int i = 0; i < n; ++i)
        p << QStringLiteral("?");
    return p.join(QStringLiteral(", "));
}

} // namespace

SubRecordRows::SubRecordRows(SubRecordKind kind)
    : m_family(&SubRecordFamilies::of(kind)), m_columns(SubRecordFamilies::columns(*m_family))
{
}

QString SubRecordRows::selectSql() const
{
    QString order;
    QString where = keyMatch(QStringLiteral("idkod"));
    switch (kind()) {
    case SubRecordKind::Siblings:
        order = QStringLiteral("meno COLLATE SK, id");
        break;
    case SubRecordKind::Facilities:
        where = QStringLiteral("akronym = ? AND ") + where;
        order = QStringLiteral("vzar_od, id");
        break;
    default:
        order = QStringLiteral("datum, id");
        break;
    }
    return QStringLiteral("SELECT id, %1 FROM %2 WHERE %3 ORDER BY %4")
        .arg(m_columns.join(QStringLiteral(", ")), QLatin1String(m_family->table), where, order);
}

bool SubRecordRows::read(const QString &clientKey, const QString &facilityKind, QString *error)
{
    m_key = clientKey;
    if (!facilityKind.isEmpty())
        m_facilityKind = facilityKind;
    m_ids.clear();
    m_rows.clear();
    m_current = -1;
    m_state = State::Idle;
    if (clientKey.trimmed().isEmpty())
        return true;
    QVariantList values;
    if (kind() == SubRecordKind::Facilities)
        values << m_facilityKind;
    values << keyMatchValues(clientKey);
    QString why;
    QSqlQuery q = runSql(selectSql(), values, &why);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return false;
    }
    while (q.next()) {
        m_ids.append(q.value(0).toLongLong());
        QVariantList row;
        for (int c = 0; c < m_columns.size(); ++c)
            row << q.value(c + 1);
        m_rows.append(row);
    }
    // A list read only in part is not shown.
    if (q.lastError().isValid()) {
        m_ids.clear();
        m_rows.clear();
        if (error)
            *error = sqliteCause(q.lastError());
        return false;
    }
    m_current = m_rows.isEmpty() ? -1 : 0;
    return true;
}

bool SubRecordRows::reread(QString *error) { return read(m_key, m_facilityKind, error); }

qint64 SubRecordRows::id(int row) const { return row >= 0 && row < size() ? m_ids.at(row) : -1; }

QVariant SubRecordRows::value(int row, const QString &column) const
{
    if (row < 0 || row >= size())
        return {};
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns.at(c).compare(column, Qt::CaseInsensitive) == 0)
            return m_rows.at(row).at(c);
    return {};
}

QDate SubRecordRows::storedDate(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return {};
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

QString SubRecordRows::line(int row) const
{
    switch (kind()) {
    case SubRecordKind::Siblings:
        return value(row, QStringLiteral("meno")).toString();
    case SubRecordKind::Facilities:
        return dayLine(storedDate(value(row, QStringLiteral("vzar_od")))) + QStringLiteral(" - ")
            + dayLine(storedDate(value(row, QStringLiteral("vzar_do"))));
    default:
        return dayLine(storedDate(value(row, QStringLiteral("datum"))));
    }
}

int SubRecordRows::findDate(const QString &column, const QDate &date) const
{
    if (!date.isValid())
        return -1;
    for (int r = 0; r < size(); ++r)
        if (storedDate(value(r, column)) == date)
            return r;
    return -1;
}

int SubRecordRows::findText(const QString &column, const QString &text) const
{
    for (int r = 0; r < size(); ++r) {
        const QVariant v = value(r, column);
        if (!v.isNull() && v.toString().compare(text, Qt::CaseInsensitive) == 0)
            return r;
    }
    return -1;
}

bool SubRecordRows::insert(const QVariantMap &values, QString *error)
{
    QStringList columns;
    QVariantList bound;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        // Only the program's own column names reach the statement.
        if (it.key() != QLatin1String("idkod") && !m_columns.contains(it.key(), Qt::CaseInsensitive))
            continue;
        columns << it.key();
        bound << it.value();
    }
    return writeInTransaction(
        Database::connection(),
        [&](QString *why) {
            runSql(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(QLatin1String(m_family->table), columns.join(QStringLiteral(", ")),
                            placeholders(int(columns.size()))),
                   bound, why);
            return why->isEmpty();
        },
        error);
}

bool SubRecordRows::update(int row, const QVariantMap &values, QString *error)
{
    if (row < 0 || row >= size()) {
        if (error)
            *error = QStringLiteral("riadok nie je v zozname");
        return false;
    }
    QStringList assignments;
    QVariantList bound;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!m_columns.contains(it.key(), Qt::CaseInsensitive))
            continue;
        assignments << it.key() + QStringLiteral(" = ?");
        bound << it.value();
    }
    if (assignments.isEmpty())
        return true;
    bound << id(row);
    return writeInTransaction(
        Database::connection(),
        [&](QString *why) {
            const QSqlQuery q = runSql(QStringLiteral("UPDATE %1 SET %2 WHERE id = ?")
                                           .arg(QLatin1String(m_family->table), assignments.join(QStringLiteral(", "))),
                                       bound, why);
            if (why->isEmpty() && q.numRowsAffected() != 1)
                *why = QStringLiteral("riadok už v databáze nie je");
            return why->isEmpty();
        },
        error);
}

bool SubRecordRows::remove(int row, QString *error)
{
    if (row < 0 || row >= size()) {
        if (error)
            *error = QStringLiteral("riadok nie je v zozname");
        return false;
    }
    return writeInTransaction(
        Database::connection(),
        [&](QString *why) {
            runSql(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(QLatin1String(m_family->table)), {id(row)}, why);
            return why->isEmpty();
        },
        error);
}

} // namespace ulk
