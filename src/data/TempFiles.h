#pragma once
#include <QString>

namespace ulk {

// The temporary files the program makes in its directory, named so that it
// knows them again: a copy being archived (arch_XXXXXX.tmp), a database
// being restored, or compacted beside a register that ulk.mdb links to
// (ulk_XXXXXX.tmp), the archive libzip is writing
// (arch_tmp.zip.XXXXXX), each with the journals SQLite may put beside it, and
// the journal of the compacted copy (tmp.mdb-journal).
class TempFiles {
public:
    static QString archiveCopyTemplate() { return QStringLiteral("arch_XXXXXX.tmp"); }
    static QString restoreTemplate() { return QStringLiteral("ulk_XXXXXX.tmp"); }

    static bool isOurs(const QString &fileName);
    // Removes a database file with the journals beside it.
    static void removeWithJournals(const QString &path);
    // Removes the program's temporary files left in the directory by a run
    // that was killed. Only while the register is held by this process.
    static void removeLeftovers(const QString &programDirectory);
};

} // namespace ulk
