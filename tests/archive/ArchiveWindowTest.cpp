#include "ArchiveFixtures.h"
#include "app/ui/MainWindow.h"
#include "archive/ui/ArchiveWindow.h"
#include "common/Clock.h"
#include "data/Database.h"
#include "support/GeneratedRegister.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace ulk;

namespace {
const QString kSaveDialog = "save|Kde bude archív|arch_ulk.zip|Všechny soubory *.* (*.*);záloha (zaloha)|1|confirm overwrite";
const QString kDone = "message|Archivácia bola úspešne ukončená||information|ok";
const QString kFailure = "Vyskytla sa chyba pri archivácii :";
} // namespace

class ArchiveWindowTest : public QObject {
    Q_OBJECT

    static void fill()
    {
        test::addClient("NOVAKJ00", "Ján", "Novák", "12", "2015-03-04");
        test::addClient("ONEILP00", "Patrick", "O'Neil", "7");
        test::addEmployee("HRASKOMA00", "Mária", "Hrašková");
    }

    static void archive(MainWindow &w)
    {
        QAction *item = w.findChild<QAction *>("mniArchiv");
        QVERIFY(item && item->isEnabled());
        QCOMPARE(item->text(), QString("Archivácia dát"));
        item->trigger();
    }

    // After every road the main window is back, on ulk.mdb opened anew, with no list chosen.
    static void checkShownAgain(MainWindow &w)
    {
        QVERIFY(w.isVisible());
        QVERIFY(Database::isOpen());
        QCOMPARE(w.listMode(), 0);
        QVERIFY(!w.findChild<QTableView *>("dbgKlient")->isVisible());
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 2);
        QCOMPARE(w.schoolYear(), QString("2024/2025"));
    }

private slots:
    void init() { Clock::setToday(QDate(2024, 11, 5)); }

    // The archive window shows the packing's progress; "Zrušiť" stops it
    // and no archive is left under any name.
    void stoppedPackingLeavesNoArchive()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(test::putGeneratedRegister(dir.path(), 3000));
        QVERIFY(w.load());
        Database::close(); // so that the file on disk is complete for the comparison
        const QByteArray before = test::readAll(dir.dbPath());
        QVERIFY(w.load());
        w.show();
        QString title;
        QTimer stop;
        stop.setInterval(5);
        connect(&stop, &QTimer::timeout, [&] {
            auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            auto *button = window ? window->findChild<QPushButton *>("cmdZrusit") : nullptr;
            if (title.isEmpty() && button && button->isVisible() && button->text() == "Zrušiť") {
                title = window->windowTitle();
                QVERIFY(window->findChild<QProgressBar *>("prgPriebeh")->isVisible());
                QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        stop.start();
        p.answer(PromptAnswer::Ok);
        archive(w);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(title, QString("Vytváranie zálohy"));
        QCOMPARE(test::conversation(p),
                 QStringList{"message|Archivácia bola zrušená, archív sa nevytvoril.||information|ok"});
        QCOMPARE(test::listing(dir.path()), QStringList{"ulk.mdb"});
        QVERIFY(Database::isOpen());
        Database::close();
        QCOMPARE(test::readAll(dir.dbPath()), before);
    }
    void cleanup()
    {
        Database::close();
        Clock::setToday(QDate());
    }

    void archivesToTheChosenPlace_data()
    {
        QTest::addColumn<bool>("inProgramDir");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("tempStays");
        QTest::newRow("elsewhere") << false << "zaloha jun.zip" << true;
        QTest::newRow("arch_ulk.zip in the program directory") << true << "arch_ulk.zip" << false;
        QTest::newRow("ARCH_ULK.ZIP in the program directory") << true << "ARCH_ULK.ZIP" << true;
    }

    void archivesToTheChosenPlace()
    {
        QFETCH(bool, inProgramDir);
        QFETCH(QString, name);
        QFETCH(bool, tempStays);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QTemporaryDir other;
        QVERIFY(w.load());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        fill();
        w.setClientMode();
        const QStringList before = test::dumpDatabase(dir.dbPath());
        const QString target = QDir(inProgramDir ? dir.path() : other.path()).filePath(name);
        QVERIFY(test::writeAll(target, "an older archive"));

        // A school year set by hand is derived anew when the window comes back.
        p.type("2030/2031");
        w.changeSchoolYear();
        QCOMPARE(w.schoolYear(), QString("2030/2031"));
        p.clear();
        // While the archive is made the main window is hidden and its connection closed.
        bool aside = false;
        p.chooseFile("  " + target + " ").answer(PromptAnswer::Ok).onMessage([&](const test::Prompt &) {
            aside = !w.isVisible() && !Database::isOpen();
        });
        archive(w);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(test::conversation(p), QStringList({kSaveDialog, kDone}));
        QVERIFY(aside);

        const test::ZipEntries entries = test::readZip(target);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first().first, QString("ulk.mdb"));
        QVERIFY(test::writeAll(other.filePath("unpacked.mdb"), entries.first().second));
        QCOMPARE(test::dumpDatabase(other.filePath("unpacked.mdb")), before);
        QCOMPARE(QFile::exists(dir.file("arch_tmp.zip")), tempStays);
        // ulk.mdb was only read, and no temporary file is left behind.
        if (!inProgramDir)
            QCOMPARE(test::listing(dir.path()), QStringList({"arch_tmp.zip", "ulk.mdb"}));
        checkShownAgain(w);
    }

    void cancelInTheSaveDialog()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        w.show();
        fill();
        p.cancelFile().answer(PromptAnswer::Ok);
        archive(w);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(test::conversation(p),
                 QStringList({kSaveDialog, "message|" + kFailure + "\nzrušené používateľom||information|ok"}));
        // The temporary archive stays until the exit.
        QCOMPARE(test::readZip(dir.file("arch_tmp.zip")).size(), 1);
        checkShownAgain(w);
    }

    // An archive that did not reach the disk is told as a failure, and
    // nothing new stands under the chosen name.
    void aFailedSyncIsTold_data()
    {
        QTest::addColumn<bool>("inProgramDir");
        QTest::addColumn<bool>("olderThere");
        QTest::newRow("copy elsewhere") << false << false;
        QTest::newRow("copy over an older archive") << false << true;
        QTest::newRow("rename to arch_ulk.zip") << true << true;
    }

    void aFailedSyncIsTold()
    {
        QFETCH(bool, inProgramDir);
        QFETCH(bool, olderThere);
        test::ProgramDir dir;
        QTemporaryDir other;
        const QString target = QDir(inProgramDir ? dir.path() : other.path()).filePath("arch_ulk.zip");
        if (olderThere)
            QVERIFY(test::writeAll(target, "an older archive"));
        const QStringList elsewhere = test::listing(other.path());
        test::ScriptedPrompter p;
        p.chooseFile(target).answer(PromptAnswer::Ok);
        int syncs = 0;
        ArchiveWindow window(dir.path());
        window.setFileSync([&](int) {
            ++syncs;
            return EIO;
        });
        window.exec();
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(test::conversation(p),
                 QStringList({kSaveDialog, "message|" + kFailure + "\ndisk sa nepodarilo čítať alebo zapísať||information|ok"}));
        QCOMPARE(syncs, 1);
        QCOMPARE(test::readAll(target), olderThere ? QByteArray("an older archive") : QByteArray());
        QCOMPARE(test::listing(other.path()), elsewhere);
        // The temporary archive stays until the exit.
        QCOMPARE(test::listing(dir.path()), inProgramDir ? QStringList({"arch_tmp.zip", "arch_ulk.zip", "ulk.mdb"})
                                                         : QStringList({"arch_tmp.zip", "ulk.mdb"}));
    }

    void theDatabaseItselfIsRefusedAsTarget()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        w.show();
        fill();
        const QStringList before = test::dumpDatabase(dir.dbPath());
        p.chooseFile(dir.dbPath()).answer(PromptAnswer::Ok);
        archive(w);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(p.prompts.size(), 2);
        const test::Prompt &m = p.prompts.at(1);
        QVERIFY(m.text.startsWith(kFailure));
        QVERIFY(m.text.size() > kFailure.size()); // the cause follows
        QVERIFY(m.text.contains("ulk.mdb"));
        QVERIFY(m.title.isEmpty());
        QVERIFY(Database::isUsableFile(dir.dbPath()));
        QCOMPARE(test::dumpDatabase(dir.dbPath()), before);
        checkShownAgain(w);
    }
};

QTEST_MAIN(ArchiveWindowTest)
#include "ArchiveWindowTest.moc"
