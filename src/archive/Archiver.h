#pragma once
#include <QString>
#include <functional>

// Archiving the database: a consistent copy of ulk.mdb packed as the one
// entry "ulk.mdb" of the temporary archive arch_tmp.zip in the program
// directory, and that archive put where the user chose.
namespace ulk {

class WorkProgress;

class Archiver {
public:
    static QString tempArchiveName() { return QStringLiteral("arch_tmp.zip"); }
    static QString offeredName() { return QStringLiteral("arch_ulk.zip"); }
    static QString entryName() { return QStringLiteral("ulk.mdb"); }

    // Writes arch_tmp.zip from the program directory's ulk.mdb. The copy is
    // taken through SQLite on a connection of its own, so the program's
    // connection must be closed first. Without ulk.mdb nothing is packed and
    // nothing fails: the caller then finds no new arch_tmp.zip (or an old one).
    // The packing runs off the window thread (LongWork) and shows its
    // progress in the current action, whose "Zrušiť" stops it: then no
    // archive is left under any name and the failure is "zrušené používateľom".
    static bool pack(const QString &programDirectory, QString *error);

    // Writes what was written to a file descriptor to the disk: 0, or the
    // errno of the failure.
    using FileSync = std::function<int(int fd)>;
    static int syncToDisk(int fd);

    // Puts arch_tmp.zip at target. The program directory's arch_ulk.zip
    // (spelled exactly so) is reached by renaming the temporary archive,
    // replacing an older one; any other target gets a copy, replacing a file
    // that stands there, and arch_tmp.zip stays. ulk.mdb itself is refused.
    // Either way the archive is on the disk (sync) before it has the chosen
    // name, and a failure leaves nothing new under that name.
    static bool deliver(const QString &programDirectory, const QString &target, QString *error,
                        const FileSync &sync = syncToDisk);

private:
    static bool packOnThisThread(const QString &programDirectory, QString *error, WorkProgress &progress);
};

} // namespace ulk
