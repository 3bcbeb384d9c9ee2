#include "data/RecordKeyLookup.h"

#include "common/FailureText.h"
#include "common/RecordKey.h"
#include "data/Database.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace ulk::RecordKey {

QString firstFreeKey(QSqlDatabase db, const QString &table, const QString &stemText,
                     const QString &ownKey, QString *error)
{
    return firstFreeKey(db, QStringList{table}, stemText, ownKey, error);
}

QString firstFreeKey(QSqlDatabase db, const QStringList &tables, const QString &stemText,
                     const QString &ownKey, QString *error)
{
    QSet<QString> taken;
    for (const QString &table : tables) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        // Keys of this stem lie between the stem and the stem followed by the
        // highest code point, in the binary order of the key column.
        if (!q.prepare(QStringLiteral("SELECT idkod FROM %1 WHERE idkod >= ? AND idkod < ? || char(1114111)")
                           .arg(table))) {
            if (error)
                *error = sqliteCause(q.lastError());
            return QString();
        }
        q.addBindValue(stemText);
        q.addBindValue(stemText);
        if (!q.exec()) {
            if (error)
                *error = sqliteCause(q.lastError());
            return QString();
        }
        while (q.next())
            taken.insert(q.value(0).toString().trimmed());
        if (q.lastError().isValid()) {
            if (error)
                *error = sqliteCause(q.lastError());
            return QString();
        }
    }
    taken.remove(ownKey.trimmed());
    for (int n = 0;; ++n) {
        const QString key = stemText + counterText(n);
        if (!taken.contains(key))
            return key;
    }
}

bool cascadeKeyChange(QSqlDatabase db, const QList<KeyReference> &references, const QString &oldKey,
                      const QString &newKey, QString *error)
{
    for (const KeyReference &r : references) {
        QSqlQuery q(db);
        // The key itself, or the key followed by blanks: a range of the index,
        // so that the update does not read the whole table.
        const QString sql = QStringLiteral("UPDATE %1 SET \"%2\" = ? WHERE %3")
                                .arg(r.table, r.column, keyMatch(QLatin1Char('"') + r.column + QLatin1Char('"')));
        if (!q.prepare(sql)) {
            if (error)
                *error = sqliteCause(q.lastError());
            return false;
        }
        q.addBindValue(newKey.trimmed());
        for (const QVariant &v : keyMatchValues(oldKey))
            q.addBindValue(v);
        if (!q.exec()) {
            if (error)
                *error = sqliteCause(q.lastError());
            return false;
        }
    }
    return true;
}

} // namespace ulk::RecordKey
