#pragma once
#include "data/RegisterConnection.h"

#include <QSqlError>
#include <QString>

namespace ulk::statement {

// What a statement section could not read from the register: the table in
// a Slovak sentence, then the cause on a line of its own.
inline QString readFailure(const QString &table, const QString &cause)
{
    return QStringLiteral("údaje tabuľky %1 sa nepodarilo prečítať.\n%2").arg(table, cause);
}

inline QString readFailure(const QString &table, const QSqlError &error)
{
    return readFailure(table, RegisterConnection::causeOf(error));
}

} // namespace ulk::statement
