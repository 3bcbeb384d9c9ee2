#pragma once
#include <QString>

class QFileDevice;
class QSqlError;

// A failure told to the user in Slovak: the program's sentence of what failed
// and what stayed as it was, then on a line of its own the cause. Causes come
// from error codes (SQLite's result codes, the system's errno), never from
// the engine's English words.
namespace ulk {

// The Slovak cause of an SQLite result code (primary or extended); an
// unknown code is told as a Slovak sentence with the code.
QString sqliteCause(int resultCode);
// The cause of every read or write that meets a damaged page of a database
// file: the register is damaged and the user is to restore an archive.
QString damagedRegisterCause();
// The Slovak cause of a failed statement or connection, from its result code.
QString sqliteCause(const QSqlError &error);
// The Slovak cause of a system error number (errno), told the same way.
QString systemCause(int errnoValue);

// The Slovak cause carried by an error text passed up the layers. The program
// passes causes made by the functions above (or sentences of its own), which
// come back as they are; a text that is still one of the engine's or the
// system's own texts of a code is told as the cause of that code.
QString failureCause(const QString &text);

// The message for a failure reported as text (an error passed up the layers).
QString failureMessage(const QString &sentence, const QString &cause);
// The message for a failed SQL statement or connection.
QString failureMessage(const QString &sentence, const QSqlError &error);
// The message for a failed file operation.
QString failureMessage(const QString &sentence, const QFileDevice &file);

} // namespace ulk
