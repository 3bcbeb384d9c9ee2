#include "data/RegisterLock.h"

#include "common/FailureText.h"
#include "data/Database.h"
#include "data/LinkedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <mutex>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ulk {

namespace {
struct Held {
    int fd = -1;
    int holders = 0;
    QString path;
};

QHash<QString, Held> &held()
{
    static QHash<QString, Held> h;
    return h;
}

// The holders of a process may be on any of its threads.
std::mutex &heldMutex()
{
    static std::mutex m;
    return m;
}

// What the holder writes into the lock file when the program is ending.
constexpr char kEnding[] = "ending\n";

QString keyOf(const QString &programDirectory)
{
    const QFileInfo fi(programDirectory);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : c;
}

// Locks the file at path; -1 with errno EWOULDBLOCK when another process
// holds it. The lock stays in its folder: a symbolic link in its
// place is not followed (ELOOP), and anything but a plain file is refused
// (EISDIR for a directory, EINVAL otherwise) and left as it is.
int lockFile(const QByteArray &path)
{
    for (;;) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
        if (fd < 0)
            return -1;
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            const int cause = S_ISDIR(opened.st_mode) ? EISDIR : EINVAL;
            ::close(fd);
            errno = cause;
            return -1;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int cause = errno;
            ::close(fd);
            errno = cause;
            return -1;
        }
        // The holder before may have removed the file between our open and
        // our lock: a lock on a removed file guards nothing, so start again.
        struct stat named {};
        if (::lstat(path.constData(), &named) == 0 && opened.st_ino == named.st_ino
            && opened.st_dev == named.st_dev)
            return fd;
        ::close(fd);
    }
}
} // namespace

RegisterLock::RegisterLock(const QString &programDirectory)
{
    if (!take(keyOf(programDirectory)))
        return;
    const QString linked = linkedFolder(programDirectory);
    if (!linked.isEmpty() && !take(linked)) {
        m_failedFolder = linked;
        release();
        return;
    }
    m_held = true;
}

RegisterLock::~RegisterLock() { release(); }

bool RegisterLock::take(const QString &key)
{
    const std::lock_guard guard(heldMutex());
    auto it = held().find(key);
    if (it != held().end()) {
        ++it->holders;
        m_keys << key;
        return true;
    }
    const QString path = QDir(key).filePath(fileName());
    const int fd = lockFile(QFile::encodeName(path));
    if (fd < 0) {
        const int cause = errno;
        m_elsewhere = cause == EWOULDBLOCK;
        m_error = systemCause(cause);
        if (m_elsewhere) {
            QFile file(path);
            m_holderEnding = file.open(QIODevice::ReadOnly) && file.read(64) == kEnding;
        }
        return false;
    }
    // A file taken over from a run killed while it was ending still says so.
    (void)::ftruncate(fd, 0);
    held().insert(key, Held{fd, 1, path});
    m_keys << key;
    return true;
}

void RegisterLock::release()
{
    const std::lock_guard guard(heldMutex());
    for (const QString &key : std::as_const(m_keys)) {
        auto it = held().find(key);
        if (it == held().end() || --it->holders > 0)
            continue;
        // Removed while still locked, so no other process can lock this file
        // after we let it go.
        ::unlink(QFile::encodeName(it->path).constData());
        ::close(it->fd);
        held().erase(it);
    }
    m_keys.clear();
}

QString RegisterLock::linkedFolder(const QString &programDirectory)
{
    const QString file = LinkedFile::resolve(Database::pathIn(programDirectory));
    if (file.isEmpty())
        return QString();
    const QString folder = keyOf(QFileInfo(file).absolutePath());
    return folder == keyOf(programDirectory) ? QString() : folder;
}

bool RegisterLock::heldByThisProcess(const QString &programDirectory)
{
    const QString key = keyOf(programDirectory);
    const QString linked = linkedFolder(programDirectory);
    const std::lock_guard guard(heldMutex());
    return held().contains(key) && (linked.isEmpty() || held().contains(linked));
}

void RegisterLock::markEnding(const QString &programDirectory)
{
    const QStringList keys = {keyOf(programDirectory), linkedFolder(programDirectory)};
    const std::lock_guard guard(heldMutex());
    for (const QString &key : keys) {
        const auto it = held().constFind(key);
        if (key.isEmpty() || it == held().constEnd())
            continue;
        // Only a hint for a second start: a failed write changes nothing else.
        if (::ftruncate(it->fd, 0) == 0)
            (void)::pwrite(it->fd, kEnding, sizeof kEnding - 1, 0);
    }
}

} // namespace ulk
