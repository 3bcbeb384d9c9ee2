// The lock ulk.lck stays in the program folder: whatever stands in its place
// and is not a plain file is refused at start-up and left as it is.
#include "app/ui/MainWindow.h"
#include "data/Database.h"
#include "support/Files.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace ulk;

class RegisterLockTest : public QObject {
    Q_OBJECT
private slots:
    void whatIsNoPlainFileIsRefusedUntouched_data()
    {
        QTest::addColumn<QString>("inPlace");
        QTest::addColumn<QString>("cause");
        QTest::newRow("link to no file") << "link" << "na mieste súboru je symbolický odkaz";
        QTest::newRow("link to a file") << "link to file" << "na mieste súboru je symbolický odkaz";
        QTest::newRow("directory") << "directory" << "na mieste súboru je adresár";
    }

    void whatIsNoPlainFileIsRefusedUntouched()
    {
        QFETCH(QString, inPlace);
        QFETCH(QString, cause);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath("ulk.lck");
        if (inPlace == "directory") {
            QVERIFY(QDir().mkdir(dir.file("ulk.lck")));
        } else {
            if (inPlace == "link to file") {
                QFile f(target);
                QVERIFY(f.open(QIODevice::WriteOnly) && f.write("kept") == 4);
            }
            QVERIFY(QFile::link(target, dir.file("ulk.lck")));
        }

        p.answer(PromptAnswer::Ok);
        {
            QVERIFY(!w.load());
        }
        QCOMPARE(p.texts(), QStringList{"Program nemôže pracovať, v adresári programu nie je možné vytvoriť súbor "
                                        "ulk.lck.\n" + cause});
        QVERIFY(!Database::isOpen());
        const QFileInfo lock(dir.file("ulk.lck"));
        if (inPlace == "directory") {
            QVERIFY(lock.isDir() && QDir(lock.filePath()).isEmpty());
        } else {
            QCOMPARE(lock.symLinkTarget(), target);
            QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden),
                     inPlace == "link to file" ? QStringList{"ulk.lck"} : QStringList());
            if (inPlace == "link to file") {
                QFile f(target);
                QVERIFY(f.open(QIODevice::ReadOnly));
                QCOMPARE(f.readAll(), QByteArray("kept"));
            }
        }
    }

    // What a killed run left goes at the next start: beside the register that
    // ulk.mdb links to only the program's copies of it, and tmp.mdb.
    void leftoversGoWhereTheProgramMadeThem()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QTemporaryDir share;
        const QString shared = share.filePath("register.mdb");
        QVERIFY(QFile::rename(dir.dbPath(), shared) && QFile::link(shared, dir.dbPath()));
        for (const QString name : {"arch_ab12CD.tmp", "tmp.mdb", "ulk_ren.mdb", "ulk_xy.tmp", "ulk_QW12er.tmp", "ulk_QW12er.tmp-wal"})
            QVERIFY(test::writeAll(share.filePath(name), "left over"));
        QVERIFY(test::writeAll(dir.file("tmp.mdb"), "left over"));
        QVERIFY(w.load());
        QCOMPARE(QDir(share.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"arch_ab12CD.tmp", "register.mdb", "tmp.mdb", "ulk.lck", "ulk_ren.mdb", "ulk_xy.tmp"}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList({"ulk.lck", "ulk.mdb"}));
    }
};

QTEST_MAIN(RegisterLockTest)
#include "RegisterLockTest.moc"
