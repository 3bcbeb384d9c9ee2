#include "statement/DopUkazRecord.h"

#include "common/FailureText.h"
#include "common/FieldRules.h"
#include "data/Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace ulk {

namespace {

const char *const kColumns[DopUkazRecord::count] = {"r_0401", "r_0402", "r_0403", "r_0404", "r_0416"};
const char *const kCodes[DopUkazRecord::count] = {"0401", "0402", "0403", "0404", "0416"};

QString columnList()
{
    QStringList names;
    for (const char *c : kColumns)
        names << QString::fromLatin1(c);
    return names.join(QLatin1Char(','));
}

} // namespace

QString DopUkazRecord::rowCode(int index) { return QString::fromLatin1(kCodes[index]); }

DopUkazRecord::DopUkazRecord(QSqlDatabase db) : m_db(db) {}

bool DopUkazRecord::load(QString *error)
{
    m_rowid = -1;
    m_rowCount = 0;
    m_values = {};
    QString why;
    QSqlQuery q = runSql(m_db, QStringLiteral("SELECT rowid, %1 FROM dop_ukaz ORDER BY rowid").arg(columnList()), {},
                         &why);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return false;
    }
    while (q.next()) {
        if (m_rowCount++ > 0)
            continue;
        m_rowid = q.value(0).toLongLong();
        for (int i = 0; i < count; ++i)
            m_values[std::size_t(i)] = q.value(i + 1).toString();
    }
    if (q.lastError().isValid()) {
        if (error)
            *error = sqliteCause(q.lastError());
        return false;
    }
    return true;
}

bool DopUkazRecord::save(const Values &values, QString *error)
{
    QVariantList bound;
    for (const QString &v : values)
        bound << QVariant(v.isNull() ? QStringLiteral("") : v);
    qint64 inserted = -1;
    const bool saved = writeInTransaction(
        m_db,
        [&](QString *why) {
            if (m_rowid < 0) {
                const QSqlQuery q = runSql(
                    m_db, QStringLiteral("INSERT INTO dop_ukaz (%1) VALUES (?,?,?,?,?)").arg(columnList()), bound, why);
                if (why->isEmpty())
                    inserted = q.lastInsertId().toLongLong();
            } else {
                QStringList sets;
                for (const char *c : kColumns)
                    sets << QString::fromLatin1(c) + QStringLiteral(" = ?");
                bound << m_rowid;
                const QSqlQuery q = runSql(
                    m_db, QStringLiteral("UPDATE dop_ukaz SET %1 WHERE rowid = ?").arg(sets.join(", ")), bound, why);
                if (why->isEmpty() && q.numRowsAffected() != 1)
                    *why = QStringLiteral("riadok tabuľky dop_ukaz sa nenašiel");
            }
            return why->isEmpty();
        },
        error);
    if (!saved)
        return false;
    if (inserted >= 0) {
        m_rowid = inserted;
        m_rowCount = 1;
    }
    m_values = values;
    return true;
}

bool DopUkazRecord::checkSumMatches(const Values &values)
{
    double sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += FieldRules::numericValue(values[std::size_t(i)]);
    return FieldRules::numericValue(values[4]) == sum;
}

} // namespace ulk
