#include "archive/Restorer.h"

#include "archive/Archiver.h"
#include "archive/ZipArchive.h"
#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace ulk {

namespace {
Restorer::Outcome failWith(Restorer::Outcome outcome, QString *error, const QString &why)
{
    if (error)
        *error = why;
    return outcome;
}

bool renameFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Journal files that SQLite would otherwise apply to the new ulk.mdb.
bool removeStaleJournals(const QString &database, QString *error)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QString f = database + QLatin1String(suffix);
        if (QFileInfo::exists(f) && !QFile::remove(f)) {
            if (error)
                *error = QStringLiteral("súbor %1 nie je možné odstrániť").arg(f);
            return false;
        }
    }
    return true;
}

// Keeps the current database as ulk_ren.mdb without ever taking ulk.mdb away:
// a second name for the same file where the file system allows it, a copy
// otherwise.
bool keepAs(const QString &database, const QString &kept, QString *error)
{
    if (QFileInfo::exists(kept) && !QFile::remove(kept)) {
        if (error)
            *error = QStringLiteral("súbor %1 nie je možné odstrániť").arg(kept);
        return false;
    }
    if (::link(QFile::encodeName(database).constData(), QFile::encodeName(kept).constData()) == 0)
        return true;
    if (QFile::copy(database, kept))
        return true;
    if (error)
        *error = QStringLiteral("súbor %1 nie je možné uschovať ako %2").arg(database, kept);
    return false;
}
} // namespace

Restorer::Outcome Restorer::restore(const QString &programDirectory, const QString &archivePath,
                                    bool keepPrevious, QString *error)
{
    const QDir dir(programDirectory);
    const QString database = Database::pathIn(programDirectory);
    const QString kept = dir.filePath(keptName());
    if (!keepPrevious && QFileInfo::exists(database))
        return Outcome::Skipped;

    QTemporaryFile unpacked(dir.filePath(QStringLiteral("ulk_XXXXXX.tmp")));
    if (!unpacked.open())
        return failWith(Outcome::Failed, error,
                        QStringLiteral("dočasný súbor nie je možné vytvoriť: ") + unpacked.errorString());

    QString why;
    switch (ZipArchive::readEntry(archivePath, Archiver::entryName(), unpacked, &why)) {
    case ZipArchive::ReadResult::Ok: break;
    case ZipArchive::ReadResult::NoEntry:
        // With no database in the archive, a database kept by an earlier
        // restore comes back when there is no ulk.mdb.
        if (!keepPrevious && !QFileInfo::exists(database) && QFileInfo::exists(kept)
            && removeStaleJournals(database, nullptr))
            renameFile(kept, database);
        return failWith(Outcome::NoDatabase, error, why);
    case ZipArchive::ReadResult::NotAnArchive:
    case ZipArchive::ReadResult::DamagedEntry: return failWith(Outcome::NotExpectedData, error, why);
    case ZipArchive::ReadResult::WriteFailed: return failWith(Outcome::Failed, error, why);
    }
    if (::fsync(unpacked.handle()) != 0)
        return failWith(Outcome::Failed, error, qt_error_string(errno));
    unpacked.close();
    if (!Database::isUsableFile(unpacked.fileName(), &why))
        return failWith(Outcome::NotExpectedData, error, why);

    // The restored file gets the access rights of the one it replaces.
    unpacked.setPermissions(QFileInfo::exists(database)
                                ? QFile::permissions(database)
                                : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                                      | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (keepPrevious && QFileInfo::exists(database) && !keepAs(database, kept, &why))
        return failWith(Outcome::Failed, error, why);
    if (!removeStaleJournals(database, &why))
        return failWith(Outcome::Failed, error, why);
    // One rename replaces ulk.mdb: it is either the old file or the new one.
    if (!renameFile(unpacked.fileName(), database)) {
        const int cause = errno;
        return failWith(Outcome::Failed, error,
                        QStringLiteral("súbor %1 nie je možné premenovať na ulk.mdb: %2")
                            .arg(unpacked.fileName(), qt_error_string(cause)));
    }
    unpacked.setAutoRemove(false);
    return Outcome::Restored;
}

} // namespace ulk
