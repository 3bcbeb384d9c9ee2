#pragma once
#include <QString>

namespace ulk {

// The temporary files the program makes, named so that it knows them again.
// In its directory: a copy being archived (arch_XXXXXX.tmp), the archive
// libzip is writing (arch_tmp.zip.XXXXXX), the compacted copy (tmp.mdb) and
// its journal. Beside the register, in the directory or in the folder that
// ulk.mdb links to: a database being restored, or compacted through the link
// (ulk_XXXXXX.tmp). Each copy with the journals SQLite may put beside it.
class TempFiles {
public:
    static QString archiveCopyTemplate() { return QStringLiteral("arch_XXXXXX.tmp"); }
    static QString restoreTemplate() { return QStringLiteral("ulk_XXXXXX.tmp"); }

    // Removes a database file with the journals beside it.
    static void removeWithJournals(const QString &path);
    // Removes the program's temporary files that a killed run left, in the
    // directory and in the folder ulk.mdb links to; tmp.mdb only while
    // ulk.mdb stands. Only while the register is held by this process.
    static void removeLeftovers(const QString &programDirectory);
};

} // namespace ulk
