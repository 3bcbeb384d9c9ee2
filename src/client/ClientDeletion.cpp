#include "client/ClientDeletion.h"

#include "common/FailureText.h"
#include "data/Database.h"
#include "data/RegisterSchema.h"

#include <QSqlError>

namespace ulk {

bool ClientDeletion::remove(const QString &idkod, QString *error)
{
    QString why;
    Transaction t;
    if (!t.ok())
        why = sqliteCause(Database::connection().lastError());
    // The client's own row last, after everything recorded about the client.
    const QStringList tables = RegisterSchema::clientDetailTables() + QStringList{QStringLiteral("k_zaklad")};
    for (const QString &table : tables) {
        if (!why.isEmpty())
            break;
        runSql(QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, keyMatch(RegisterSchema::clientKey())),
               keyMatchValues(idkod), &why);
    }
    if (why.isEmpty() && !t.commit())
        why = sqliteCause(Database::connection().lastError());
    if (error)
        *error = why;
    return why.isEmpty();
}

} // namespace ulk
