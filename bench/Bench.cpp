// `make bench`: the register's figures at 20,000 and 200,000 generated
// clients (or the sizes given: `make bench SIZES="20000 200000 1000000"`),
// each beside an anchor (the same work done the plainest way on the same
// file, in the same run), in one table. Windows are timed on an X server when
// DISPLAY names one (`xvfb-run make bench`), else offscreen; the table says
// which.
//
// ulk-bench [CLIENTS...]     generates the registers once (kept beside the
//                            bench), then measures each size in processes
//                            of their own on fresh copies, and prints the table
// ulk-bench --measure DIR    measures the program on DIR (the worker)
// ulk-bench --first DIR GROUP
//                            measures the first run of a group's action after
//                            the start on DIR (a worker)
#include "Figures.h"
#include "ProgramFigures.h"
#include "StartUp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <cstdio>

namespace {

struct Row {
    QString anchorName;
    QString unit;
    QMap<int, std::pair<double, double>> bySize;  // program, anchor
};

// The generated register of a size, made once: generated into a directory
// of its own and renamed into place only when complete.
QString registerOf(int clients)
{
    const QString root = QStringLiteral(ULK_BENCH_REGISTERS);
    const QString dir = QStringLiteral("%1/%2").arg(root).arg(clients);
    if (QFile::exists(dir + QStringLiteral("/ulk.mdb")))
        return dir;
    const QString partial = dir + QStringLiteral(".partial");
    QDir(partial).removeRecursively();
    QDir().mkpath(root);
    std::fprintf(stderr, "generating a register of %d clients ...\n", clients);
    if (QProcess::execute(QStringLiteral(ULK_GENERATE), {partial, QString::number(clients)}) != 0
        || !QDir().rename(partial, dir))
        return {};
    return dir;
}

QString number(double v, const QString &unit)
{
    if (v < 0)
        return QStringLiteral("-");
    if (unit == QLatin1String("ms") && v >= 1000)
        return QStringLiteral("%1 s").arg(v / 1000, 0, 'f', 2);
    return QStringLiteral("%1 %2").arg(v, 0, 'f', v < 10 ? 1 : 0).arg(unit);
}

// Where the windows are drawn and timed.
QString platformText()
{
    if (qgetenv("QT_QPA_PLATFORM") == "xcb")
        return QStringLiteral("windows timed on the X server %1 until it has taken each frame")
            .arg(qEnvironmentVariable("DISPLAY"));
    return QStringLiteral("windows timed on the offscreen platform (an in-memory buffer, no X server: "
                          "run under xvfb-run or with DISPLAY set to time them on one)");
}

void printTable(const QStringList &order, const QMap<QString, Row> &rows, const QList<int> &sizes)
{
    std::printf("\n%s\n", qPrintable(platformText()));
    std::printf("\n%-66s %-34s", "figure", "anchor");
    for (int n : sizes)
        std::printf(" | %7d: %9s %9s %6s", n, "program", "anchor", "ratio");
    std::printf("\n");
    for (const QString &name : order) {
        const Row &r = rows[name];
        std::printf("%-66s %-34s", qPrintable(name), qPrintable(r.anchorName));
        for (int n : sizes) {
            const auto [program, anchor] = r.bySize.value(n, {-1, -1});
            const QString ratio = program >= 0 && anchor > 0 ? QStringLiteral("%1x").arg(program / anchor, 0, 'f', 2)
                                                             : QStringLiteral("-");
            std::printf(" | %7s  %9s %9s %6s", "", qPrintable(number(program, r.unit)),
                        qPrintable(number(anchor, r.unit)), qPrintable(ratio));
        }
        std::printf("\n");
    }
    std::fflush(stdout);
}

int measureAll(const QList<int> &sizes)
{
    QStringList order;
    QMap<QString, Row> rows;
    const auto add = [&](int size, const QString &name, const QString &anchorName, double program, double anchor,
                         const QString &unit) {
        if (!rows.contains(name))
            order << name;
        Row &r = rows[name];
        r.anchorName = anchorName;
        r.unit = unit;
        r.bySize[size] = {program, anchor};
    };
    for (int n : sizes) {
        const QString source = registerOf(n);
        if (source.isEmpty()) {
            std::fprintf(stderr, "the register of %d clients could not be generated\n", n);
            return 1;
        }
        const QString work = QStringLiteral("%1/work-%2").arg(QStringLiteral(ULK_BENCH_REGISTERS)).arg(n);
        QDir(work).removeRecursively();
        QDir().mkpath(work);
        // A copy on the disk (QFile::copy writes it out before it returns),
        // or one left to the system to write out, as a user's copy is.
        const auto fresh = [&](bool onDisk = true) {
            QFile::remove(work + QStringLiteral("/ulk.mdb"));
            const QString from = source + QStringLiteral("/ulk.mdb"), to = work + QStringLiteral("/ulk.mdb");
            return onDisk ? QFile::copy(from, to) : bench::copyAsCp(from, to);
        };
        // Each worker's figures, read from its standard output.
        const auto runWorker = [&](const QStringList &args) {
            QProcess worker;
            worker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            worker.start(QCoreApplication::applicationFilePath(), args);
            worker.waitForFinished(-1);
            for (const QByteArray &line : worker.readAllStandardOutput().split('\n')) {
                const QList<QByteArray> f = line.split('\t');
                if (f.size() == 6 && f.at(0) == "FIG")
                    add(n, QString::fromUtf8(f.at(1)), QString::fromUtf8(f.at(2)), f.at(3).toDouble(),
                        f.at(4).toDouble(), QString::fromUtf8(f.at(5)));
            }
            if (worker.exitStatus() != QProcess::NormalExit || worker.exitCode() != 0)
                std::fprintf(stderr, "the measurement of %d clients ended early\n", n);
        };
        std::fprintf(stderr, "measuring %d clients ...\n", n);
        // The first run after a start, each on a copy just made (as a
        // register copied into place just before the program starts, much of
        // it not yet on the disk), in a process of its own.
        for (const char *group : {"preview", "statement"}) {
            if (!bench::wanted(group))
                continue;
            fresh(false);
            runWorker({QStringLiteral("--first"), work, QString::fromLatin1(group)});
        }
        // Start-up: the first run may find the file outside the page cache,
        // as a user's first start of the day does; the median takes the
        // typical start.
        long peak = -1, maxPeak = -1;
        fresh();
        if (bench::wanted("startup")) {
            const double start = bench::median([&] {
                const double t = bench::startUp(QStringLiteral(ULK_PROGRAM), work, &peak);
                maxPeak = std::max(maxPeak, peak);
                return t;
            });
            add(n, QStringLiteral("start-up until the main window is painted"), QString(), start, -1,
                QStringLiteral("ms"));
            add(n, QStringLiteral("peak memory of the program at start-up"), QString(), maxPeak / 1024.0, -1,
                QStringLiteral("MB"));
        }

        runWorker({QStringLiteral("--measure"), work});
        QDir(work).removeRecursively();
    }
    printTable(order, rows, sizes);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // On an X server when there is one (DISPLAY set, as xvfb-run sets it);
    // the measuring process and the program started inherit the choice.
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool first = args.size() == 4 && args.at(1) == QLatin1String("--first");
    if (first || (args.size() == 3 && args.at(1) == QLatin1String("--measure"))) {
        // The offscreen platform warns at every dialog that it cannot size
        // windows by hints; nothing else is held back.
        static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.contains(QLatin1String("propagateSizeHints")))
                previous(type, context, message);
        });
        if (first)
            bench::measureFirstRun(args.at(2), args.at(3));
        else
            bench::measureProgram(args.at(2));
        return 0;
    }
    QList<int> sizes;
    for (int i = 1; i < args.size(); ++i)
        sizes << args.at(i).toInt();
    if (sizes.isEmpty())
        sizes = {20000, 200000};
    return measureAll(sizes);
}
