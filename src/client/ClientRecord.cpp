#include "client/ClientRecord.h"

#include "client/BasicDataFields.h"
#include "client/MemoFields.h"
#include "common/FailureText.h"
#include "common/RecordKey.h"
#include "data/Database.h"
#include "data/RecordKeyLookup.h"
#include "data/RegisterSchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace ulk {

namespace {

const QString kClientTable = QStringLiteral("k_zaklad");
const QString kMemoTable = QStringLiteral("k_memo");

QString placeholders(int n)
{
    QStringList marks;
    for (int i = 0; i < n; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

QString assignments(const QStringList &columns)
{
    QStringList parts;
    for (const QString &c : columns)
        parts << c + QStringLiteral(" = ?");
    return parts.join(QStringLiteral(", "));
}

QVariantList valuesOf(const QVariantMap &map, const QStringList &columns)
{
    QVariantList v;
    for (const QString &c : columns)
        v << map.value(c);
    return v;
}

// An empty text, never Null: Null compares with nothing.
QString nonNull(const QString &s) { return s.isNull() ? QStringLiteral("") : s; }

struct Exec {
    QSqlQuery query;
    bool ok = false;
};

Exec exec(const QString &sql, const QVariantList &values)
{
    Exec e{QSqlQuery(Database::connection()), false};
    e.query.setForwardOnly(true);
    if (!e.query.prepare(sql))
        return e;
    for (const QVariant &v : values)
        e.query.addBindValue(v);
    e.ok = e.query.exec();
    return e;
}

} // namespace

const QStringList &ClientRecord::writtenColumns()
{
    static const QStringList c = [] {
        QStringList columns = BasicDataFields::boundColumns();
        columns << QStringLiteral("matvla") << QStringLiteral("otevla") << QStringLiteral("postih")
                << QStringLiteral("matpos") << QStringLiteral("otepos");
        return columns;
    }();
    return c;
}

ClientRecord::LoadStatus ClientRecord::load(const QString &key, ClientRow *row, QString *error)
{
    // Keys are compared without trailing blanks.
    Exec client = exec(QStringLiteral("SELECT * FROM k_zaklad WHERE %1 LIMIT 1").arg(keyMatch(QStringLiteral("idkod"))),
                       keyMatchValues(key));
    if (!client.ok) {
        if (error)
            *error = sqliteCause(client.query.lastError());
        return LoadStatus::Failed;
    }
    if (!client.query.next()) {
        // A read that failed is no client that is not there.
        if (!client.query.lastError().isValid())
            return LoadStatus::NotFound;
        if (error)
            *error = sqliteCause(client.query.lastError());
        return LoadStatus::Failed;
    }
    ClientRow r;
    const QSqlRecord rec = client.query.record();
    for (int i = 0; i < rec.count(); ++i) {
        const QString name = rec.fieldName(i).toLower();
        if (name == QLatin1String("idkod"))
            r.key = client.query.value(i).toString();
        else
            r.values.insert(name, client.query.value(i));
    }
    client.query.finish();

    for (const QString &c : MemoFields::columns())
        r.memo.insert(c, QString());
    Exec memo = exec(QStringLiteral("SELECT %1 FROM k_memo WHERE %2 ORDER BY idkod LIMIT 1")
                         .arg(MemoFields::columns().join(QStringLiteral(", ")), keyMatch(QStringLiteral("idkod"))),
                     keyMatchValues(r.key));
    if (!memo.ok) {
        if (error)
            *error = sqliteCause(memo.query.lastError());
        return LoadStatus::Failed;
    }
    if (memo.query.next()) {
        const QStringList columns = MemoFields::columns();
        for (int i = 0; i < columns.size(); ++i)
            r.memo.insert(columns[i], memo.query.value(i).toString());
    } else if (memo.query.lastError().isValid()) {
        if (error)
            *error = sqliteCause(memo.query.lastError());
        return LoadStatus::Failed;
    }
    *row = r;
    return LoadStatus::Found;
}

ClientRecord::SaveResult ClientRecord::save(const ClientRow &stored, const ClientRow &current, KeyRule rule)
{
    SaveResult result;
    auto fail = [&](const QString &why) {
        result.ok = false;
        result.key.clear();
        result.keyChanged = false;
        result.error = why;
        return result;
    };

    Transaction transaction;
    if (!transaction.ok())
        return fail(transaction.cause());

    const QString stem = RecordKey::stem(current.priezv(), current.meno());
    const QString oldKey = stored.key;
    const QString oldTrimmed = oldKey.trimmed();
    const bool wasStored = !oldKey.isEmpty();

    // The key to try first; an edit that keeps its key tries no other.
    QString key;
    bool fixedKey = false;
    if (rule == KeyRule::Edit && wasStored
        && RecordKey::editKeepsKey(oldTrimmed, stored.meno(), stored.priezv(), current.meno(), current.priezv())) {
        key = oldTrimmed;
        fixedKey = true;
    } else {
        QString error;
        // Free in both tables: a memo row left without its client keeps its key.
        key = RecordKey::firstFreeKey(Database::connection(), QStringList{kClientTable, kMemoTable}, stem, oldTrimmed,
                                      &error);
        if (key.isEmpty())
            return fail(error);
    }
    int counter = key.mid(stem.size()).toInt();

    const QStringList columns = writtenColumns();
    const QVariantList values = valuesOf(current.values, columns);
    for (int attempt = 0;; ++attempt) {
        Exec write;
        if (!wasStored) {
            write = exec(QStringLiteral("INSERT INTO k_zaklad (idkod, %1) VALUES (?, %2)")
                             .arg(columns.join(QStringLiteral(", ")), placeholders(int(columns.size()))),
                         QVariantList{key} + values);
        } else {
            write = exec(QStringLiteral("UPDATE k_zaklad SET idkod = ?, %1 WHERE idkod = ?").arg(assignments(columns)),
                         QVariantList{key} + values + QVariantList{oldKey});
            if (write.ok && write.query.numRowsAffected() != 1)
                return fail(QStringLiteral("Klient sa v databáze nenašiel."));
        }
        if (write.ok)
            break;
        // A taken key: the next counter, as long as the key may change.
        if (!isDuplicateKey(write.query) || fixedKey || attempt > 100000)
            return fail(sqliteCause(write.query.lastError()));
        key = stem + RecordKey::counterText(++counter);
    }

    const QStringList memoColumns = MemoFields::columns();
    const QVariantList memoValues = valuesOf(current.memo, memoColumns);
    bool memoWritten = false;
    if (wasStored) {
        Exec memo = exec(QStringLiteral("UPDATE k_memo SET idkod = ?, %1 WHERE %2")
                             .arg(assignments(memoColumns), keyMatch(QStringLiteral("idkod"))),
                         QVariantList{key} + memoValues + keyMatchValues(oldTrimmed));
        if (!memo.ok)
            return fail(sqliteCause(memo.query.lastError()));
        memoWritten = memo.query.numRowsAffected() > 0;
    }
    if (!memoWritten) {
        Exec memo = exec(QStringLiteral("INSERT INTO k_memo (idkod, %1) VALUES (?, %2)")
                             .arg(memoColumns.join(QStringLiteral(", ")), placeholders(int(memoColumns.size()))),
                         QVariantList{key} + memoValues);
        if (!memo.ok)
            return fail(sqliteCause(memo.query.lastError()));
    }

    const bool keyChanged = wasStored && key != oldKey;
    if (keyChanged) {
        QList<RecordKey::KeyReference> references;
        for (const QString &table : RegisterSchema::subRecordTables())
            references.append({table, RegisterSchema::clientKey()});
        QString error;
        if (!RecordKey::cascadeKeyChange(Database::connection(), references, oldTrimmed, key, &error))
            return fail(error);
    }

    if (!transaction.commit())
        return fail(transaction.cause());
    result.ok = true;
    result.key = key;
    result.keyChanged = keyChanged;
    return result;
}

ClientRecord::Lookup ClientRecord::catalogueNumberTaken(const QString &number, const QString &ownKey, QString *error)
{
    // Every other client is looked at, not only the first with the number;
    // the client's own stored row never counts. The stored numbers that can
    // match are read through two ranges of the index: the number with blanks
    // after it, and the numbers that begin with a blank.
    const QString sql = QStringLiteral("SELECT 1 FROM k_zaklad WHERE trim(katcis) = ? AND (%1 OR (katcis >= ' ' "
                                       "AND katcis < '!')) AND rtrim(idkod) <> rtrim(?) LIMIT 1")
                            .arg(keyMatch(QStringLiteral("katcis")));
    Exec e = exec(sql, QVariantList{nonNull(number)} + keyMatchValues(nonNull(number)) + QVariantList{nonNull(ownKey)});
    if (!e.ok) {
        if (error)
            *error = sqliteCause(e.query.lastError());
        return Lookup::Failed;
    }
    return e.query.next() ? Lookup::Taken : Lookup::Free;
}

} // namespace ulk
