#pragma once
#include <QString>

// Creates a new, empty register: every table, index, view and code list.
namespace ulk {

// Writes <directory>/ulk.mdb. Refuses when the file exists. Returns false and
// sets *error on failure (a half-written file is removed).
bool createNewDatabase(const QString &directory, QString *error = nullptr);

// Creates the schema at an exact file path (which must not exist).
bool createNewDatabaseFile(const QString &filePath, QString *error = nullptr);

} // namespace ulk
