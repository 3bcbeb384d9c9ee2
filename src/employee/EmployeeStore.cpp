#include "employee/EmployeeStore.h"

#include "common/FailureText.h"
#include "common/RecordKey.h"
#include "data/Database.h"
#include "data/RecordKeyLookup.h"
#include "data/RegisterSchema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ulk {

namespace {

const QString kTable = QStringLiteral("zamestnanci");

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

QVariant textOrNull(const QVariant &v) { return v.isNull() ? QVariant() : QVariant(v.toString()); }

// The key that follows `key` of this stem: the counter one higher.
QString nextKey(const QString &stem, const QString &key)
{
    return stem + RecordKey::counterText(key.mid(stem.size()).toInt() + 1);
}

// Tries keys from the first free one of the stem on, until the statement does
// not fail with a taken key. Returns the key stored, or empty with *error.
template <typename Store>
QString storeUnderFreeKey(QSqlDatabase db, const QString &stem, const QString &ownKey, Store store,
                          QString *error)
{
    QString why;
    QString key = RecordKey::firstFreeKey(db, kTable, stem, ownKey, &why);
    if (key.isEmpty()) {
        fail(error, why);
        return {};
    }
    for (;;) {
        why.clear();
        QSqlQuery q = store(key, &why);
        if (why.isEmpty())
            return key;
        if (!isDuplicateKey(q)) {
            fail(error, why);
            return {};
        }
        key = nextKey(stem, key);
    }
}

} // namespace

EmployeeStore::EmployeeStore(QSqlDatabase db) : m_db(db) {}

QList<JobFunction> EmployeeStore::jobFunctions(QString *error) const
{
    QList<JobFunction> list;
    QString why;
    QSqlQuery q = runSql(m_db, QStringLiteral("SELECT fc_idkod, nazov FROM c_funkcie ORDER BY fc_idkod"), {}, &why);
    if (!why.isEmpty()) {
        fail(error, why);
        return list;
    }
    while (q.next())
        list.append({q.value(0).toInt(), q.value(1).toString()});
    if (q.lastError().isValid()) {
        fail(error, sqliteCause(q.lastError()));
        return {};
    }
    return list;
}

std::optional<EmployeeRecord> EmployeeStore::read(const QString &idkod, QString *error) const
{
    QString why;
    QSqlQuery q = runSql(m_db,
                         QStringLiteral("SELECT idkod, meno, priezv, prac_zar, pohlavie, \"int-ext\", kvalifikacia "
                                        "FROM zamestnanci WHERE idkod = ?"),
                         {idkod}, &why);
    if (!why.isEmpty()) {
        fail(error, why);
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    EmployeeRecord r;
    r.idkod = q.value(0).toString();
    r.meno = q.value(1).toString();
    r.priezv = q.value(2).toString();
    r.pracZar = q.value(3);
    r.pohlavie = q.value(4);
    r.intExt = q.value(5);
    r.kvalifikacia = q.value(6);
    return r;
}

QString EmployeeStore::insert(const EmployeeRecord &r, QString *error) const
{
    const QString stem = RecordKey::stem(r.priezv, r.meno);
    QString key;
    const bool stored = writeInTransaction(
        m_db,
        [&](QString *failure) {
            key = storeUnderFreeKey(
                m_db, stem, QString(),
                [&](const QString &free, QString *why) {
                    return runSql(m_db,
                                  QStringLiteral("INSERT INTO zamestnanci (idkod, meno, priezv, prac_zar, pohlavie, "
                                                 "\"int-ext\", kvalifikacia) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                                  {free, r.meno, r.priezv, r.pracZar, textOrNull(r.pohlavie), textOrNull(r.intExt),
                                   textOrNull(r.kvalifikacia)},
                                  why);
                },
                failure);
            return !key.isEmpty();
        },
        error);
    return stored ? key : QString();
}

QString EmployeeStore::update(const EmployeeRecord &original, const EmployeeRecord &r, QString *error) const
{
    const QString sql = QStringLiteral("UPDATE zamestnanci SET idkod = ?, meno = ?, priezv = ?, prac_zar = ?, "
                                       "pohlavie = ?, \"int-ext\" = ?, kvalifikacia = ? WHERE idkod = ?");
    const QString notFound = QStringLiteral("zamestnanec %1 už v databáze nie je").arg(original.idkod.trimmed());
    auto store = [&](const QString &key, QString *why) {
        QSqlQuery q = runSql(m_db, sql,
                             {key, r.meno, r.priezv, r.pracZar, textOrNull(r.pohlavie), textOrNull(r.intExt),
                              textOrNull(r.kvalifikacia), original.idkod},
                             why);
        if (why->isEmpty() && q.numRowsAffected() != 1)
            *why = notFound;
        return q;
    };

    Transaction t(m_db);
    if (!t.ok()) {
        fail(error, t.cause());
        return {};
    }
    QString key;
    if (RecordKey::editKeepsKey(original.idkod, original.meno, original.priezv, r.meno, r.priezv)) {
        QString why;
        store(original.idkod, &why);
        if (!why.isEmpty()) {
            fail(error, why);
            return {};
        }
        key = original.idkod;
    } else {
        key = storeUnderFreeKey(m_db, RecordKey::stem(r.priezv, r.meno), original.idkod, store, error);
        if (key.isEmpty())
            return {};
        if (key != original.idkod) {
            QString why;
            if (!RecordKey::cascadeKeyChange(m_db, RegisterSchema::employeeKeyColumns(), original.idkod, key,
                                             &why)) {
                fail(error, why);
                return {};
            }
        }
    }
    if (!t.commit()) {
        fail(error, t.cause());
        return {};
    }
    return key;
}

EmployeeStore::Lookup EmployeeStore::namedInRecords(const QString &idkod, QString *table, QString *error) const
{
    for (const RegisterSchema::KeyColumn &ref : RegisterSchema::employeeKeyColumns()) {
        QString why;
        // Keys are compared ignoring trailing blanks: a reference so written
        // still names the employee.
        QSqlQuery q = runSql(m_db,
                             QStringLiteral("SELECT 1 FROM %1 WHERE %2 LIMIT 1")
                                 .arg(ref.table, keyMatch(ref.column)),
                             keyMatchValues(idkod), &why);
        if (!why.isEmpty()) {
            fail(error, why);
            return Lookup::Failed;
        }
        if (q.next()) {
            if (table)
                *table = ref.table;
            return Lookup::Named;
        }
    }
    return Lookup::Free;
}

bool EmployeeStore::remove(const QString &idkod, QString *error) const
{
    return writeInTransaction(
        m_db,
        [&](QString *why) {
            runSql(m_db, QStringLiteral("DELETE FROM zamestnanci WHERE idkod = ?"), {idkod}, why);
            return why->isEmpty();
        },
        error);
}

} // namespace ulk
