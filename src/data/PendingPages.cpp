#include "data/PendingPages.h"

#include "common/FailureText.h"
#include "data/RegisterConnection.h"

#include <sqlite3.h>

namespace ulk::PendingPages {

void writeOut(const QString &registerFile)
{
    const RegisterConnection own(registerFile, RegisterConnection::Access::ReadOnly);
    // The file as SQLite holds it open: a descriptor of the program's own
    // would drop the register's locks of every connection of the process
    // when it is closed.
    sqlite3_file *file = nullptr;
    if (!own.isOpen()
        || sqlite3_file_control(own.handle(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file
        || !file->pMethods)
        return;
    const int rc = file->pMethods->xSync(file, SQLITE_SYNC_NORMAL);
    if (rc != SQLITE_OK)
        qWarning("ulk: %s sa nepodarilo zapísať na disk: %s", qUtf8Printable(registerFile),
                 qUtf8Printable(sqliteCause(rc)));
}

} // namespace ulk::PendingPages
