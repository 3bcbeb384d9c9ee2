#include "client/ClientDeletion.h"

#include "common/FailureText.h"
#include "data/Database.h"

#include <QSqlError>

namespace ulk {

namespace {
// The client's own row last, after everything recorded about the client.
const char *const kCascade[] = {"k_memo",   "k_navstevy",   "k_surodenci",    "k_vysetrenie",
                                "k_zariad", "k_zaznam_spc", "k_zaznam_zmeny", "k_zaklad"};
} // namespace

bool ClientDeletion::remove(const QString &idkod, QString *error)
{
    QString why;
    Transaction t;
    if (!t.ok())
        why = sqliteCause(Database::connection().lastError());
    for (const char *table : kCascade) {
        if (!why.isEmpty())
            break;
        runSql(QStringLiteral("DELETE FROM %1 WHERE %2").arg(QLatin1String(table), keyMatch(QStringLiteral("idkod"))),
               keyMatchValues(idkod), &why);
    }
    if (why.isEmpty() && !t.commit())
        why = sqliteCause(Database::connection().lastError());
    if (error)
        *error = why;
    return why.isEmpty();
}

} // namespace ulk
