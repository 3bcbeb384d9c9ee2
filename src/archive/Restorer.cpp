#include "archive/Restorer.h"

#include "archive/Archiver.h"
#include "archive/ZipEntryReader.h"
#include "common/FailureText.h"
#include "common/LongWork.h"
#include "data/Database.h"
#include "data/LinkedFile.h"
#include "data/RegisterCheck.h"
#include "data/RegisterLock.h"
#include "data/SideFiles.h"
#include "data/SqliteHeader.h"
#include "data/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <fcntl.h>
#include <limits>
#include <mutex>
#include <optional>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

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

// Makes the rename into the directory last, where the file system can.
void syncDirectory(const QString &directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Journal files that SQLite would otherwise apply to the new ulk.mdb.
bool removeStaleJournals(const QString &database, QString *error)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QString f = database + QLatin1String(suffix);
        if (QFileInfo::exists(f) && ::unlink(QFile::encodeName(f).constData()) != 0) {
            if (error)
                *error = QStringLiteral("Súbor %1 nie je možné odstrániť.\n").arg(QFileInfo(f).fileName())
                    + systemCause(errno);
            return false;
        }
    }
    return true;
}

const QString kUnpacking = QStringLiteral("Rozbaľuje sa archív …");

// Room left free on the disk of the program directory when unpacking.
constexpr qint64 kSpareMargin = 64 * 1024 * 1024;

// Asks the system to drop the cached pages of a file that is read no more
// (the archive once unpacked, the register being replaced), so that the
// unpacked file stays in memory for its check instead of being read back from
// the disk. Only the cache is touched, never the file.
void forgetCached(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

// Pieces of the unpacked file on their way to the disk: the entry is inflated
// on one thread while the pieces before are written on another. What is
// written stays mapped into memory until the writer goes (up to half of the
// computer's memory), so that the check after the unpacking reads the file
// from memory: the system keeps mapped pages of a file rather than dropping
// them and reading them back from the disk. (They are the file's own pages
// in the system's cache, no copy; a process monitor counts them as the
// program's while they are mapped.)
class PieceWriter {
public:
    explicit PieceWriter(int fd)
        : m_fd(fd), m_thread([this] {
              writeAll();
              return QString();
          })
    {
    }
    ~PieceWriter()
    {
        finish();
        for (const auto &[address, length] : m_held)
            ::munmap(address, length);
    }
    PieceWriter(const PieceWriter &) = delete;
    PieceWriter &operator=(const PieceWriter &) = delete;

    // Whether the writer runs; a writer whose thread could not start takes
    // no piece, and finish() tells why.
    bool started() const { return m_thread.started(); }
    // False once a write has failed: the rest need not be inflated.
    bool put(QByteArray piece)
    {
        if (!started())
            return false;
        std::unique_lock lock(m_mutex);
        m_room.wait(lock, [&] { return m_pieces.size() < kQueued || m_cause != 0; });
        if (m_cause != 0)
            return false;
        m_pieces.push_back(std::move(piece));
        m_ready.notify_one();
        return true;
    }
    // Waits for the pieces put; empty, or the cause of the first failed write.
    QString finish()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
            m_ready.notify_one();
        }
        const QString notStarted = m_thread.wait();
        return m_cause != 0 ? systemCause(m_cause) : notStarted;
    }

private:
    static constexpr std::size_t kQueued = 8;
    static constexpr qint64 kHeldStep = 64 << 20;

    // Maps the file from the end of what is mapped (a page boundary) to end.
    void hold(qint64 end)
    {
        static const qint64 limit = qint64(::sysconf(_SC_PHYS_PAGES)) * ::sysconf(_SC_PAGESIZE) / 2;
        if (end <= m_heldTo || end > limit)
            return;
        const std::size_t length = std::size_t(end - m_heldTo);
        void *address = ::mmap(nullptr, length, PROT_READ, MAP_SHARED | MAP_POPULATE, m_fd, off_t(m_heldTo));
        if (address != MAP_FAILED)
            m_held.emplace_back(address, length);
        m_heldTo = end;
    }

    bool writePiece(const QByteArray &piece)
    {
        const char *data = piece.constData();
        qint64 left = piece.size();
        while (left > 0) {
            const ssize_t n = ::write(m_fd, data, size_t(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                const std::lock_guard lock(m_mutex);
                m_cause = errno;
                m_pieces.clear();
                m_room.notify_all();
                return false;
            }
            data += n;
            left -= n;
        }
        m_written += piece.size();
        static const qint64 page = ::sysconf(_SC_PAGESIZE);
        if (m_written - m_heldTo >= kHeldStep)
            hold(m_written / page * page);
        return true;
    }

    void writeAll()
    {
        for (;;) {
            QByteArray piece;
            {
                std::unique_lock lock(m_mutex);
                m_ready.wait(lock, [&] { return !m_pieces.empty() || m_done; });
                if (m_pieces.empty())
                    break;
                piece = std::move(m_pieces.front());
                m_pieces.pop_front();
                m_room.notify_one();
            }
            if (!writePiece(piece))
                return;
        }
        hold(m_written);
    }

    int m_fd;
    std::mutex m_mutex;
    std::condition_variable m_ready, m_room;
    std::deque<QByteArray> m_pieces;
    bool m_done = false;
    int m_cause = 0;
    qint64 m_written = 0;
    qint64 m_heldTo = 0;
    std::vector<std::pair<void *, std::size_t>> m_held;
    LongWork::Thread m_thread;
};

// Unpacks the archive's database into the file open as fd, stopping as soon
// as it is not a whole register of its own size: a header of an SQLite file,
// and exactly the bytes its page count gives, which also the archive must
// declare. A database in WAL mode is stored in rollback-journal mode like
// every other (the archive holds no WAL file, so the main file is the whole
// database).
Restorer::Outcome unpack(const QString &archivePath, PieceWriter &writer, qint64 spare, QString *error,
                         WorkProgress &progress)
{
    using Outcome = Restorer::Outcome;
    if (!writer.started())
        return failWith(Outcome::Failed, error, writer.finish());
    ZipEntryReader reader;
    switch (reader.open(archivePath, Archiver::entryName(), error)) {
    case ZipArchive::ReadResult::Ok: break;
    case ZipArchive::ReadResult::NoEntry: return Outcome::NoDatabase;
    case ZipArchive::ReadResult::ReadFailed: return Outcome::Failed;
    default: return Outcome::NotExpectedData;
    }
    const qint64 declared = reader.declaredSize();
    if (declared > spare)
        return failWith(Outcome::Failed, error, systemCause(ENOSPC));
    static constexpr qint64 kPiece = 4 << 20;
    static constexpr qint64 kForgetStep = 256 << 20;
    qint64 read = 0;
    qint64 forgottenAt = 0;
    bool headerChecked = false;
    QByteArray piece;
    for (;;) {
        if (piece.isEmpty())
            piece.resize(kPiece);
        const qint64 at = headerChecked ? 0 : read;
        const qint64 n = reader.read(piece.data() + at, kPiece - at, error);
        if (n == ZipEntryReader::kFailed)
            return Outcome::Failed;
        if (n < 0)
            return Outcome::NotExpectedData;
        read += n;
        progress.advance(read, declared);
        if (read > declared)
            return failWith(Outcome::NotExpectedData, error, QStringLiteral("položka je dlhšia, ako archív uvádza"));
        const bool end = n == 0;
        if (!headerChecked) {
            // The header is held back until it is whole and checked.
            if (read < SqliteHeader::size() && !end)
                continue;
            if (read < SqliteHeader::size())
                break;
            QByteArray header = piece.left(SqliteHeader::size());
            if (SqliteHeader::fileSize(header) != declared)
                return failWith(Outcome::NotExpectedData, error,
                                QStringLiteral("súbor nie je celá databáza svojej veľkosti"));
            SqliteHeader::setRollbackMode(header);
            piece.replace(0, header.size(), header);
            headerChecked = true;
            piece.resize(read);
        } else {
            piece.resize(n);
        }
        if (!piece.isEmpty() && !writer.put(std::move(piece)))
            break;
        piece = QByteArray();
        if (end)
            break;
        if (read - forgottenAt >= kForgetStep) {
            forgetCached(archivePath);
            forgottenAt = read;
        }
    }
    forgetCached(archivePath);
    if (const QString notWritten = writer.finish(); !notWritten.isEmpty())
        return failWith(Outcome::Failed, error, notWritten);
    if (read != declared || !headerChecked)
        return failWith(Outcome::NotExpectedData, error, QStringLiteral("položka je kratšia, ako archív uvádza"));
    return Outcome::Restored;
}

// Checks the unpacked file as a register of the program (its pages too)
// while it is written to the disk.
Restorer::Outcome checkUnpacked(const QString &file, int fd, QString *error)
{
    using Outcome = Restorer::Outcome;
    int syncCause = 0;
    LongWork::Thread sync([&] {
        syncCause = ::fsync(fd) == 0 ? 0 : errno;
        return QString();
    });
    if (!sync.started())
        return failWith(Outcome::Failed, error, sync.wait());
    RegisterCheck::Result checked;
    const QString name = QStringLiteral("ulk-restore-check");
    {
        QString why;
        QSqlDatabase db = Database::openExtra(file, name, true, &why);
        checked = db.isOpen() ? RegisterCheck::run(db, true)
                              : RegisterCheck::Result{RegisterCheck::Verdict::Failed, failureCause(why)};
    }
    Database::closeExtra(name);
    const QString notSynced = sync.wait();
    if (!notSynced.isEmpty())
        return failWith(Outcome::Failed, error, notSynced);
    if (syncCause != 0)
        return failWith(Outcome::Failed, error, systemCause(syncCause));
    switch (checked.verdict) {
    case RegisterCheck::Verdict::Usable: return Outcome::Restored;
    case RegisterCheck::Verdict::NotARegister: return failWith(Outcome::NotExpectedData, error, checked.cause);
    case RegisterCheck::Verdict::Failed: break;
    }
    return failWith(Outcome::Failed, error, checked.cause);
}

// Keeps the current database as ulk_ren.mdb without ever taking ulk.mdb away:
// a second name for the same file where the file system allows it, a copy
// otherwise.
bool keepAs(const QString &database, const QString &kept, QString *error)
{
    if (QFileInfo::exists(kept) && ::unlink(QFile::encodeName(kept).constData()) != 0) {
        if (error)
            *error = QStringLiteral("Súbor ulk_ren.mdb nie je možné odstrániť.\n") + systemCause(errno);
        return false;
    }
    if (::link(QFile::encodeName(database).constData(), QFile::encodeName(kept).constData()) == 0)
        return true;
    QFile copy(database);
    if (copy.copy(kept))
        return true;
    if (error)
        *error = failureMessage(QStringLiteral("Súbor ulk.mdb nie je možné uschovať ako ulk_ren.mdb."), copy);
    return false;
}
} // namespace

Restorer::Outcome Restorer::restore(const QString &programDirectory, const QString &archivePath,
                                    bool keepPrevious, QString *error)
{
    if (!keepPrevious && QFileInfo::exists(Database::pathIn(programDirectory)))
        return Outcome::Skipped;
    // Unpacked and checked off the window thread, which shows the progress.
    Outcome outcome = Outcome::Failed;
    const QString failure = LongWork::run(kUnpacking, [&](WorkProgress &progress) {
        outcome = restoreOnThisThread(programDirectory, archivePath, keepPrevious, error, progress);
        return QString();
    });
    return failure.isEmpty() ? outcome : failWith(Outcome::Failed, error, failure);
}

Restorer::Outcome Restorer::restoreOnThisThread(const QString &programDirectory, const QString &archivePath,
                                                bool keepPrevious, QString *error, WorkProgress &progress)
{
    const QDir dir(programDirectory);
    const QString kept = dir.filePath(keptName());

    // ulk.mdb is replaced only while no other program works on it.
    const RegisterLock lock(programDirectory);
    if (!lock.isHeld())
        return failWith(Outcome::Failed, error,
                        lock.heldElsewhere() ? QStringLiteral("register práve používa iný spustený program")
                                             : lock.error());

    // Where ulk.mdb is a link, the file at its end is replaced, from a file
    // unpacked in its own folder; the link stays.
    QString linkWhy;
    const QString database = LinkedFile::resolve(Database::pathIn(programDirectory), &linkWhy);
    if (database.isEmpty())
        return failWith(Outcome::Failed, error, linkWhy);
    const QDir databaseDir = QFileInfo(database).absoluteDir();
    // A journal left beside the register is never played into the restored file.
    const SideFiles::Finding side = SideFiles::check(database);
    if (!side.clear())
        return failWith(Outcome::Failed, error, SideFiles::refusal(side, database));

    QTemporaryFile unpacked(databaseDir.filePath(TempFiles::restoreTemplate()));
    if (!unpacked.open())
        return failWith(Outcome::Failed, error,
                        failureMessage(QStringLiteral("Dočasný súbor nie je možné vytvoriť."), unpacked));
    // Whatever SQLite put beside the unpacked file goes with it.
    const QString unpackedName = unpacked.fileName();
    const auto removeLeft = qScopeGuard([&] { TempFiles::removeWithJournals(unpackedName); });

    QString why;
    const qint64 available = QStorageInfo(databaseDir.absolutePath()).bytesAvailable();
    const qint64 spare = available < 0 ? std::numeric_limits<qint64>::max() : available - kSpareMargin;
    std::optional<PieceWriter> writer(std::in_place, unpacked.handle());
    Outcome outcome = unpack(archivePath, *writer, spare, &why, progress);
    if (outcome == Outcome::NoDatabase) {
        // With no database in the archive, a database kept by an earlier
        // restore comes back when there is no ulk.mdb.
        if (!keepPrevious && !QFileInfo::exists(database) && QFileInfo::exists(kept)
            && removeStaleJournals(database, nullptr))
            renameFile(kept, database);
        return failWith(Outcome::NoDatabase, error, why);
    }
    if (outcome == Outcome::Restored) {
        // The register that is to be replaced is read no more either.
        if (keepPrevious)
            forgetCached(database);
        progress.say(QStringLiteral("Kontroluje sa obnovený register …"));
        progress.advance(0, 0);
        outcome = checkUnpacked(unpackedName, unpacked.handle(), &why);
    }
    writer.reset();
    if (outcome != Outcome::Restored)
        return failWith(outcome, error, why);
    unpacked.close();

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
    if (!renameFile(unpackedName, database))
        return failWith(Outcome::Failed, error,
                        QStringLiteral("Obnovený súbor nie je možné premenovať na ulk.mdb.\n") + systemCause(errno));
    unpacked.setAutoRemove(false);
    syncDirectory(databaseDir.absolutePath());
    return Outcome::Restored;
}

} // namespace ulk
