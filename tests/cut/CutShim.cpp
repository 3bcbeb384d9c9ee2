// Cuts the program short at one write of its register, as a crash or a power
// cut would: loaded with LD_PRELOAD, it counts every write, sync, truncate
// and removal that SQLite makes of ULK_CUT_DIR/ulk.mdb, of its journal and of
// the folder (pwrite64, fdatasync, ftruncate64, unlink), and
// kills the process with SIGKILL just before the one numbered ULK_CUT (1 the
// first; 0 only counts). ULK_CUT_LOG gets a line for each ("write ulk.mdb").
// Before the journal is removed a link to it is kept as
// ulk.mdb-journal.cut, for the test of a power cut that loses the removal.
// With ULK_CUT_FAIL_READ set, every read of the journal fails with EIO.
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/types.h>
#include <unistd.h>

namespace {

struct Settings {
    std::string dir, database, journal, log;
    long cut = -1;
    bool failRead = false;
    Settings()
    {
        const char *d = std::getenv("ULK_CUT_DIR");
        if (!d)
            return;
        dir = d;
        database = dir + "/ulk.mdb";
        journal = database + "-journal";
        const char *c = std::getenv("ULK_CUT");
        cut = c ? std::atol(c) : -1;
        const char *l = std::getenv("ULK_CUT_LOG");
        log = l ? l : "";
        failRead = std::getenv("ULK_CUT_FAIL_READ") != nullptr;
    }
};

const Settings &settings()
{
    static const Settings s;
    return s;
}

template <typename F> F real(const char *name) { return reinterpret_cast<F>(dlsym(RTLD_NEXT, name)); }

std::string pathOf(int fd)
{
    char link[64], path[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, path, sizeof path - 1);
    return n > 0 ? std::string(path, std::size_t(n)) : std::string();
}

bool watched(const std::string &path)
{
    const Settings &s = settings();
    return !s.dir.empty() && (path == s.database || path == s.journal || path == s.dir);
}

// One operation on a watched file: logged, and the process killed before
// the one to cut at.
void step(const char *op, const std::string &path)
{
    static long count = 0;
    const Settings &s = settings();
    ++count;
    if (!s.log.empty()) {
        const std::string line = std::string(op) + ' ' + path.substr(path.rfind('/') + 1) + '\n';
        const int fd = ::open(s.log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0) {
            (void)::write(fd, line.data(), line.size());
            ::close(fd);
        }
    }
    if (count == s.cut)
        ::raise(SIGKILL);
}

void stepFd(const char *op, int fd)
{
    if (settings().dir.empty())
        return;
    const std::string path = pathOf(fd);
    if (watched(path))
        step(op, path);
}

bool failsRead(int fd)
{
    if (!settings().failRead || pathOf(fd) != settings().journal)
        return false;
    errno = EIO;
    return true;
}

} // namespace

extern "C" {



ssize_t pwrite64(int fd, const void *buf, size_t n, off64_t offset)
{
    static auto fn = real<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64");
    stepFd("write", fd);
    return fn(fd, buf, n, offset);
}


int fdatasync(int fd)
{
    static auto fn = real<int (*)(int)>("fdatasync");
    stepFd("sync", fd);
    return fn(fd);
}


int ftruncate64(int fd, off64_t length)
{
    static auto fn = real<int (*)(int, off64_t)>("ftruncate64");
    stepFd("truncate", fd);
    return fn(fd, length);
}

int unlink(const char *path)
{
    static auto fn = real<int (*)(const char *)>("unlink");
    if (watched(path)) {
        const std::string kept = std::string(path) + ".cut";
        ::link(path, kept.c_str());
        step("unlink", path);
    }
    return fn(path);
}

ssize_t read(int fd, void *buf, size_t n)
{
    static auto fn = real<ssize_t (*)(int, void *, size_t)>("read");
    return failsRead(fd) ? -1 : fn(fd, buf, n);
}


} // extern "C"
