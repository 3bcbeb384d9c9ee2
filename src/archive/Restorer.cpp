#include "archive/Restorer.h"

#include "archive/Archiver.h"
#include "archive/ZipEntryReader.h"
#include "data/Database.h"
#include "data/RegisterLock.h"
#include "data/SqliteHeader.h"
#include "data/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <limits>
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

// Room left free on the disk of the program directory when unpacking.
constexpr qint64 kSpareMargin = 64 * 1024 * 1024;
// Unpacks the archive's database into target, stopping as soon as it is not
// a whole register of its own size: a header of an SQLite file, and exactly
// the bytes its page count gives, which also the archive must declare.
// A database in WAL mode is stored in rollback-journal mode like every other
// (the archive holds no WAL file, so the main file is the whole database).
Restorer::Outcome unpack(const QString &archivePath, QFile &target, qint64 spare, QString *error)
{
    using Outcome = Restorer::Outcome;
    ZipEntryReader reader;
    switch (reader.open(archivePath, Archiver::entryName(), error)) {
    case ZipArchive::ReadResult::Ok: break;
    case ZipArchive::ReadResult::NoEntry: return Outcome::NoDatabase;
    default: return Outcome::NotExpectedData;
    }
    const qint64 declared = reader.declaredSize();
    if (declared > spare)
        return failWith(Outcome::Failed, error, QStringLiteral("na disku nie je dosť miesta"));
    QByteArray header; // held back until it is whole and checked
    qint64 read = 0;
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = reader.read(buffer, sizeof buffer, error);
        if (n < 0)
            return Outcome::NotExpectedData;
        if (n == 0)
            break;
        read += n;
        if (read > declared)
            return failWith(Outcome::NotExpectedData, error, QStringLiteral("položka je dlhšia, ako archív uvádza"));
        const char *data = buffer;
        qint64 length = n;
        if (header.size() < SqliteHeader::size()) {
            const qint64 take = qMin<qint64>(n, SqliteHeader::size() - header.size());
            header.append(buffer, take);
            data += take;
            length -= take;
            if (header.size() < SqliteHeader::size())
                continue;
            if (SqliteHeader::fileSize(header) != declared)
                return failWith(Outcome::NotExpectedData, error,
                                QStringLiteral("súbor nie je celá databáza svojej veľkosti"));
            SqliteHeader::setRollbackMode(header);
            if (target.write(header) != header.size())
                return failWith(Outcome::Failed, error, target.errorString());
        }
        if (length > 0 && target.write(data, length) != length)
            return failWith(Outcome::Failed, error, target.errorString());
    }
    if (read != declared || header.size() < SqliteHeader::size())
        return failWith(Outcome::NotExpectedData, error, QStringLiteral("položka je kratšia, ako archív uvádza"));
    if (!target.flush() || ::fsync(target.handle()) != 0)
        return failWith(Outcome::Failed, error, target.errorString());
    return Outcome::Restored;
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

    // ulk.mdb is replaced only while no other program works on it.
    const RegisterLock lock(programDirectory);
    if (!lock.isHeld())
        return failWith(Outcome::Failed, error, QStringLiteral("register práve používa iný spustený program"));

    QTemporaryFile unpacked(dir.filePath(TempFiles::restoreTemplate()));
    if (!unpacked.open())
        return failWith(Outcome::Failed, error,
                        QStringLiteral("dočasný súbor nie je možné vytvoriť: ") + unpacked.errorString());
    // Whatever SQLite put beside the unpacked file goes with it.
    const QString unpackedName = unpacked.fileName();
    const auto removeLeft = qScopeGuard([&] { TempFiles::removeWithJournals(unpackedName); });

    QString why;
    const qint64 available = QStorageInfo(programDirectory).bytesAvailable();
    const qint64 spare = available < 0 ? std::numeric_limits<qint64>::max() : available - kSpareMargin;
    const Outcome outcome = unpack(archivePath, unpacked, spare, &why);
    if (outcome == Outcome::NoDatabase) {
        // With no database in the archive, a database kept by an earlier
        // restore comes back when there is no ulk.mdb.
        if (!keepPrevious && !QFileInfo::exists(database) && QFileInfo::exists(kept)
            && removeStaleJournals(database, nullptr))
            renameFile(kept, database);
        return failWith(Outcome::NoDatabase, error, why);
    }
    if (outcome != Outcome::Restored)
        return failWith(outcome, error, why);
    unpacked.close();
    if (!Database::isUsableFile(unpackedName, &why))
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
