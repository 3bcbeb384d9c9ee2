#include "Figures.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace bench {

void figure(const QString &name, const QString &anchorName, double program, double anchor, const QString &unit)
{
    std::printf("FIG\t%s\t%s\t%.3f\t%.3f\t%s\n", qPrintable(name), qPrintable(anchorName), program, anchor,
                qPrintable(unit));
    std::fflush(stdout);
}

void stallFigure(const QString &action, const QList<double> &stalls)
{
    figure(QStringLiteral("longest stall: ") + action, QStringLiteral("goal 1 s"), middle(stalls), 1000);
}

double median(const std::function<double()> &work, const std::function<void()> &prepare, int runs)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        const double t = work();
        if (t < 0)
            return -1;
        times << t;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

bool wanted(const char *group)
{
    const QString only = qEnvironmentVariable("ULK_BENCH_ONLY");
    return only.isEmpty() || only.split(QLatin1Char(',')).contains(QLatin1String(group));
}

double middle(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void forgetCached(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

bool copyAsCp(const QString &from, const QString &to)
{
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    // The system copies between the two files' cached pages, as cp has it
    // do, without a sync at the end.
    for (;;) {
        const ssize_t n = ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr, size_t(1) << 30, 0);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
    }
}

long residentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

long peakResidentKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace bench
