#pragma once
#include <QString>

// Restoring the database from an archive written by the Archiver: the entry
// "ulk.mdb" is unpacked into a temporary file of the program directory and
// checked before anything is replaced, and then takes the place of ulk.mdb
// in one rename. Until then ulk.mdb stays exactly as it was. Where ulk.mdb is
// a symbolic link, the file it leads to is replaced, from a file unpacked in
// that file's own folder, and the link stays.
namespace ulk {

class WorkProgress;

class Restorer {
public:
    enum class Outcome {
        Restored,        // the archive's database is now ulk.mdb
        Skipped,         // ulk.mdb stands there and is not to be replaced: nothing done
        NoDatabase,      // the archive has no entry "ulk.mdb"
        NotExpectedData, // not a readable zip archive, or its ulk.mdb is no usable register
        Failed           // unpacking or replacing failed; ulk.mdb is as it was
    };

    static QString keptName() { return QStringLiteral("ulk_ren.mdb"); }

    // keepPrevious (the restore from the menu): the database being replaced
    // stays as ulk_ren.mdb, replacing an older one. Without it (the restore at
    // start-up, when ulk.mdb is missing) an ulk.mdb that is present is left
    // alone, and an archive without a database brings back a kept ulk_ren.mdb.
    // The unpacking and the check run off the window thread (LongWork) and
    // show their progress in the current action.
    static Outcome restore(const QString &programDirectory, const QString &archivePath, bool keepPrevious,
                           QString *error);

private:
    static Outcome restoreOnThisThread(const QString &programDirectory, const QString &archivePath,
                                       bool keepPrevious, QString *error, WorkProgress &progress);
};

} // namespace ulk
