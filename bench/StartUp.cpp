#include "StartUp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

namespace bench {

// How the end of the start-up is seen: Qt's widget painting reports through
// its logging category qt.widgets.painting, enabled from outside with
// QT_LOGGING_RULES, each region it hands to the platform ("Flushing ... of
// <widget>"). The first flush of the main window (object name FrmUvod) is
// the moment its first complete frame reaches the screen. The program runs
// unchanged (no switch of its own); the clock is the
// bench's, from just before the process is started, and the log lines reach
// it through a pipe as they are written. The program runs on the bench's
// platform (an X server or offscreen), which it inherits.
double startUp(const QString &program, const QString &dir, long *peakKb)
{
    const QString copy = QDir(dir).filePath(QStringLiteral("ulk"));
    QFile::remove(copy);
    if (!QFile::copy(program, copy))
        return -1;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.widgets.painting=true"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(dir);
    QElapsedTimer t;
    t.start();
    p.start(copy, {});
    double shown = -1;
    QByteArray pending;
    while (shown < 0 && t.elapsed() < 120000 && p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(100);
        pending += p.readAllStandardOutput();
        qsizetype end;
        while (shown < 0 && (end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (line.contains("Flushing") && line.contains("name=\"FrmUvod\""))
                shown = t.nsecsElapsed() / 1e6;
        }
    }
    *peakKb = -1;
    QFile status(QStringLiteral("/proc/%1/status").arg(p.processId()));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                *peakKb = line.mid(6).trimmed().split(' ').value(0).toLong();
    // The program has only read the register: stopping it loses nothing.
    p.kill();
    p.waitForFinished();
    QFile::remove(copy);
    return shown;
}

} // namespace bench
