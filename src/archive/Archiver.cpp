#include "archive/Archiver.h"

#include "archive/ZipArchive.h"
#include "common/FailureText.h"
#include "common/LongWork.h"
#include "data/Database.h"
#include "data/Parts.h"
#include "data/SqliteHeader.h"
#include "data/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace ulk {

namespace {
bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// Whether two existing paths name the same file (also through links).
bool sameFile(const QString &a, const QString &b)
{
    std::error_code ec;
    const bool same = std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
                                                  std::filesystem::path(QFile::encodeName(b).toStdString()), ec);
    return !ec && same;
}

// Whatever a system call failed with, told in Slovak.
bool failSystem(QString *error, int cause) { return fail(error, systemCause(cause)); }

// Writes all of length bytes to fd: 0, or the errno of the failure.
int writeAll(int fd, const char *data, qint64 length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, size_t(length));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        length -= n;
    }
    return 0;
}

// Makes a rename in a directory last: 0, or the errno of the failure. A file
// system that cannot sync a directory (EINVAL) keeps its renames anyway.
int syncDirectory(const QString &directory, const Archiver::FileSync &sync)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int cause = sync(fd);
    ::close(fd);
    return cause == EINVAL ? 0 : cause;
}

// Copies from to a file written beside to, synced, and renamed to to only
// when all of it is on the disk: to is never a part of an archive.
bool copyInto(const QString &from, const QString &to, const Archiver::FileSync &sync, QString *error)
{
    const int source = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return failSystem(error, errno);
    const auto closeSource = qScopeGuard([&] { ::close(source); });
    // A new file beside the target, with the rights a new file gets here.
    QByteArray temp;
    int target = -1;
    do {
        temp = QFile::encodeName(to) + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        target = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (target < 0 && errno == EEXIST);
    if (target < 0)
        return failSystem(error, errno);
    bool written = false;
    const auto removeTemp = qScopeGuard([&] {
        if (!written)
            ::unlink(temp.constData());
    });
    int cause = 0;
    {
        const auto closeTarget = qScopeGuard([&] {
            if (::close(target) != 0 && cause == 0)
                cause = errno;
        });
        // The copy keeps the access rights of an archive it replaces.
        struct stat replaced {};
        if (::stat(QFile::encodeName(to).constData(), &replaced) == 0 && S_ISREG(replaced.st_mode))
            ::fchmod(target, replaced.st_mode & 07777);
        static constexpr qint64 kChunk = 1 << 20;
        QByteArray buffer(kChunk, Qt::Uninitialized);
        for (;;) {
            const ssize_t n = ::read(source, buffer.data(), size_t(kChunk));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                cause = errno;
                break;
            }
            if (n == 0)
                break;
            if ((cause = writeAll(target, buffer.constData(), n)) != 0)
                break;
        }
        if (cause == 0)
            cause = sync(target);
    }
    if (cause != 0)
        return failSystem(error, cause);
    if (std::rename(temp.constData(), QFile::encodeName(to).constData()) != 0)
        return failSystem(error, errno);
    written = true;
    if (const int e = syncDirectory(QFileInfo(to).absolutePath(), sync))
        return failSystem(error, e);
    return true;
}
} // namespace

namespace {
// Packs a consistent copy of the database made by SQLite (VACUUM INTO), for a
// file that cannot be packed as it stands.
bool packCopy(const QDir &dir, QSqlDatabase db, const QString &zipPath, QString *error, WorkProgress &progress)
{
    QTemporaryFile copy(dir.filePath(TempFiles::archiveCopyTemplate()));
    if (!copy.open())
        return fail(error, failureMessage(QStringLiteral("Dočasný súbor nie je možné vytvoriť."), copy));
    copy.close();
    // The copy and whatever SQLite put beside it go, packed or not.
    const QString copyName = copy.fileName();
    const auto removeCopy = qScopeGuard([&] { TempFiles::removeWithJournals(copyName); });
    QSqlQuery q(db);
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(QDir::toNativeSeparators(copyName));
    if (!q.exec())
        return fail(error, failureMessage(QStringLiteral("Kópiu databázy nie je možné vytvoriť."), q.lastError()));
    QString why;
    if (!Database::isUsableFile(copyName, &why))
        return fail(error, failureMessage(QStringLiteral("Kópia databázy nie je v poriadku."), why));
    return ZipArchive::writeSingleEntry(zipPath, Archiver::entryName(), copyName, error, &progress);
}

// Packs the database file as it stands. The caller's read transaction keeps
// every writer out meanwhile; the file is checked while it is packed, and a
// file that fails the check leaves no archive.
bool packFile(const QString &database, const QString &zipPath, QString *error, WorkProgress &progress)
{
    QString why;
    bool tried = false, packed = false;
    const QString unusable = Parts::run(1, [&](int) { return Database::isUsableFile(database, &why) ? QString() : why; },
                                        [&] {
                                            tried = true;
                                            packed = ZipArchive::writeSingleEntry(zipPath, Archiver::entryName(),
                                                                                  database, error, &progress);
                                        })
                                 .constFirst();
    if (!tried)
        return fail(error, unusable);
    const bool usable = unusable.isEmpty();
    if (packed && !usable) {
        QFile::remove(zipPath);
        return fail(error, QStringLiteral("databáza nie je v poriadku\n") + why);
    }
    return packed;
}
} // namespace

bool Archiver::pack(const QString &programDirectory, QString *error)
{
    if (!QFileInfo::exists(Database::pathIn(programDirectory)))
        return true;
    // Packed off the window thread, which shows the progress meanwhile.
    bool ok = false;
    const QString failure =
        LongWork::run(QStringLiteral("Balí sa databáza ulk.mdb …"), [&](WorkProgress &progress) {
            ok = packOnThisThread(programDirectory, error, progress);
            return QString();
        });
    return failure.isEmpty() ? ok : fail(error, failure);
}

bool Archiver::packOnThisThread(const QString &programDirectory, QString *error, WorkProgress &progress)
{
    const QDir dir(programDirectory);
    const QString database = Database::pathIn(programDirectory);
    const QString zipPath = dir.filePath(tempArchiveName());

    // One read transaction on a connection of its own: what is packed is the
    // database as one commit left it. The connection may write, so that a
    // journal left by a crash is rolled back before anything is read.
    const QString name = QStringLiteral("ulk-archive");
    bool ok = false;
    {
        QString why;
        QSqlDatabase db = Database::openExtra(database, name, false, &why);
        QSqlQuery q(db);
        if (!db.isOpen() || !db.transaction() || !q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            if (why.isEmpty())
                why = sqliteCause(db.isOpen() && !db.lastError().isValid() ? q.lastError() : db.lastError());
            ok = fail(error, failureMessage(QStringLiteral("Databázu nie je možné čítať."), why));
        } else {
            q.finish();
            // The file itself holds the whole database unless it is kept in
            // WAL mode or its header does not give its size; only then is a
            // copy made first.
            const QByteArray header = SqliteHeader::read(database);
            const bool whole = !SqliteHeader::isWal(header)
                && SqliteHeader::fileSize(header) == QFileInfo(database).size();
            if (whole) {
                ok = packFile(database, zipPath, error, progress);
                db.rollback();
            } else {
                // VACUUM INTO takes its own read transaction.
                db.rollback();
                ok = packCopy(dir, db, zipPath, error, progress);
            }
        }
    }
    Database::closeExtra(name);
    return ok;
}

int Archiver::syncToDisk(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

bool Archiver::deliver(const QString &programDirectory, const QString &target, QString *error,
                       const FileSync &sync)
{
    const QDir dir(programDirectory);
    const QString temp = dir.filePath(tempArchiveName());
    if (target.isEmpty())
        return fail(error, QStringLiteral("nie je zvolený súbor archívu"));
    const QString chosen = QDir::cleanPath(dir.absoluteFilePath(target));
    if (sameFile(chosen, Database::pathIn(programDirectory)))
        return fail(error, QStringLiteral("archív nemôže prepísať samotnú databázu ulk.mdb"));

    if (chosen == QDir::cleanPath(dir.absoluteFilePath(offeredName()))) {
        // The archive reaches the disk before it takes the name, and
        // rename(2) then replaces an older arch_ulk.zip in the same step.
        const int fd = ::open(QFile::encodeName(temp).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return failSystem(error, errno);
        const int cause = sync(fd);
        ::close(fd);
        if (cause != 0)
            return failSystem(error, cause);
        if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(chosen).constData()) != 0)
            return failSystem(error, errno);
        if (const int e = syncDirectory(dir.absolutePath(), sync))
            return failSystem(error, e);
        return true;
    }
    if (sameFile(chosen, temp))
        return true; // the archive already stands there
    // A link chosen as the target: the archive goes where it points.
    const QFileInfo chosenInfo(chosen);
    const QString to = chosenInfo.isSymLink() && chosenInfo.exists() ? chosenInfo.canonicalFilePath() : chosen;
    return copyInto(temp, to, sync, error);
}

} // namespace ulk
