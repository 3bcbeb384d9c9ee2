// The built program as a process, driven by the robot plugin (tests/robot).
#include "support/ProgramDir.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace ulk;

namespace {

// A program directory with the program in it, and a place for the robot's log.
struct Installed {
    test::ProgramDir dir;
    QTemporaryDir logs;
    Installed()
    {
        const QByteArray program = QFile::encodeName(dir.file("ulk"));
        if (::link(ULK_PROGRAM, program.constData()) != 0)
            QFile::copy(QStringLiteral(ULK_PROGRAM), dir.file("ulk"));
    }
    void start(QProcess &run, const QString &name, const QString &task)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_PLUGIN_PATH", ULK_ROBOT_PLUGINS);
        env.insert("QT_QPA_GENERIC_PLUGINS", "ulkrobot:" + task);
        env.insert("ULK_ROBOT_LOG", logs.filePath(name));
        env.insert("HOME", logs.path());
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(dir.file("ulk"), {});
    }
    QStringList log(const QString &name) const
    {
        QFile f(logs.filePath(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }
    // Every name in the directory with its size, time and contents.
    QStringList snapshot() const
    {
        QStringList out;
        for (const QFileInfo &fi : QDir(dir.path()).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile f(fi.filePath());
            f.open(QIODevice::ReadOnly);
            out << fi.fileName() + ' ' + fi.lastModified().toString(Qt::ISODateWithMs) + ' '
                    + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        }
        return out;
    }
};

void writeFile(const QString &path, const QByteArray &data = "left over")
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

void endsWithZero(QProcess &run)
{
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);
}

} // namespace

class ProgramProcessTest : public QObject {
    Q_OBJECT
private slots:
    void koniecEndsTheProgramAndRemovesWhatAKilledRunLeft()
    {
        Installed p;
        const QStringList leftovers = {"arch_ab12CD.tmp", "arch_ab12CD.tmp-journal", "arch_tmp.zip.Xy12ab",
                                       "ulk_QW12er.tmp",  "ulk_QW12er.tmp-wal",      "ulk_QW12er.tmp-shm",
                                       "tmp.mdb-journal", "ulk.lck"};
        for (const QString &name : leftovers + QStringList{"arch_poznamky.tmp", "ulk_ren.mdb"})
            writeFile(p.dir.file(name));
        QProcess run;
        p.start(run, "run", "koniec");
        endsWithZero(run);
        QCOMPARE(p.log("run"), QStringList{"shown"});
        QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"arch_poznamky.tmp", "ulk", "ulk.mdb", "ulk_ren.mdb"}));
    }

    void koniecEndsTheProgramAfterItsWindowsWereOpen()
    {
        Installed p;
        QProcess run;
        p.start(run, "run", "windows");
        endsWithZero(run);
        QCOMPARE(p.log("run"), QStringList({"shown", "window|frmKlientUdaj", "window|rptZozKlient"}));
        QVERIFY(!QFileInfo::exists(p.dir.file("ulk.lck")));
    }

    void secondCopyOpensNothingAndAKilledOneBlocksNothing()
    {
        Installed p;
        QProcess first;
        p.start(first, "first", "stay");
        QTRY_COMPARE_WITH_TIMEOUT(p.log("first"), QStringList{"shown"}, 30000);
        const QStringList before = p.snapshot();

        QProcess second;
        p.start(second, "second", "koniec");
        endsWithZero(second);
        QCOMPARE(p.log("second"),
                 QStringList{"message|Upozornenie|Program už beží nad týmto registrom (ulk.mdb). Ďalšiu kópiu "
                             "programu nie je možné spustiť, pokračujte v spustenom programe."});
        QCOMPARE(p.snapshot(), before);

        first.kill();
        QVERIFY(first.waitForFinished(30000));
        QProcess third;
        p.start(third, "third", "koniec");
        endsWithZero(third);
        QCOMPARE(p.log("third"), QStringList{"shown"});
        QVERIFY(!QFileInfo::exists(p.dir.file("ulk.lck")));
    }
};

QTEST_GUILESS_MAIN(ProgramProcessTest)
#include "ProgramProcessTest.moc"
