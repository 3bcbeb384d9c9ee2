#pragma once
#include <QString>

class QFileDevice;
class QSqlError;

// A failure told to the user in Slovak: the program's sentence of what failed
// and what stayed as it was, then on a line of its own the cause where one is
// known ("na disku nie je miesto", …), else the engine's own text.
namespace ulk {

// The short Slovak cause of an engine or file error text, or empty.
QString failureCause(const QString &engineText);

// The Slovak cause of an SQLite result code (primary or extended); an
// unknown code is told as a Slovak sentence with the code.
QString sqliteCause(int resultCode);
// The Slovak cause of a system error number (errno), told the same way.
QString systemCause(int errnoValue);

// The message for a failure reported as text (an error passed up the layers).
QString failureMessage(const QString &sentence, const QString &engineText);
// The message for a failed SQL statement or connection.
QString failureMessage(const QString &sentence, const QSqlError &error);
// The message for a failed file operation.
QString failureMessage(const QString &sentence, const QFileDevice &file);

} // namespace ulk
