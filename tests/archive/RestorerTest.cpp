#include "ArchiveFixtures.h"
#include "archive/Archiver.h"
#include "archive/Restorer.h"
#include "common/LongWork.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ulk;
using Outcome = Restorer::Outcome;

class RestorerTest : public QObject {
    Q_OBJECT

    // An archive written by the archiver from a register with one client.
    static QString makeArchive(const test::ProgramDir &source, const QString &client)
    {
        if (Database::open(source.path()) != Database::OpenResult::Ok)
            return {};
        test::addClient(client, "Eva", "Archívna", "1");
        Database::close();
        if (!Archiver::pack(source.path(), nullptr))
            return {};
        return source.file("arch_tmp.zip");
    }

private slots:
    void cleanup() { Database::close(); }

    void staleJournalsAreRemoved_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("from the menu") << true;
        QTest::newRow("at start-up") << false;
    }

    // A journal SQLite would not play back goes; a foreign one stops the restore.
    void staleJournalsAreRemoved()
    {
        QFETCH(bool, fromMenu);
        test::ProgramDir source, dir(fromMenu);
        const QString archive = makeArchive(source, "ARCHIVE00");
        const QStringList present = test::listing(dir.path());
        for (const char *suffix : {"-wal", "-shm", "-journal"}) {
            QVERIFY(test::writeAll(dir.dbPath() + suffix, QByteArray(4096, 'j')));
            QString error;
            QCOMPARE(Restorer::restore(dir.path(), archive, fromMenu, &error), Outcome::Failed);
            QVERIFY2(error.startsWith("Pri databáze ulk.mdb leží súbor ulk.mdb" + QString(suffix)), qPrintable(error));
            QCOMPARE(test::listing(dir.path()), QStringList(present) << "ulk.mdb" + QString(suffix));
            QVERIFY(QFile::remove(dir.dbPath() + suffix));
        }
        QCOMPARE(test::listing(dir.path()), present);
        QVERIFY(test::writeAll(dir.dbPath() + "-journal", QByteArray(4096, 0)));
        QCOMPARE(Restorer::restore(dir.path(), archive, fromMenu, nullptr), Outcome::Restored);
        QVERIFY(!QFile::exists(dir.dbPath() + "-journal"));
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad WHERE idkod = ?", {"ARCHIVE00"}).toInt(), 1);
    }

    // Through a link the file at its end is replaced in its folder and kept as ulk_ren.mdb.
    void restoresTheFileALinkLeadsTo()
    {
        test::ProgramDir source, dir;
        const QString archive = makeArchive(source, "ARCHIVE00");
        QTemporaryDir share;
        const QString kept = share.filePath("register.mdb");
        QVERIFY(QFile::rename(dir.dbPath(), kept) && QFile::link(kept, dir.dbPath()));
        const QByteArray before = test::readAll(kept);
        QCOMPARE(Restorer::restore(dir.path(), archive, true, nullptr), Outcome::Restored);
        QCOMPARE(QFileInfo(dir.dbPath()).symLinkTarget(), kept);
        QCOMPARE(test::readAll(dir.file("ulk_ren.mdb")), before);
        QCOMPARE(test::listing(share.path()), QStringList{"register.mdb"});
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad WHERE idkod = ?", {"ARCHIVE00"}).toInt(), 1);
    }

    // A thread that cannot start, whichever of the restore's it is, ends the
    // restore at once with that cause: the register, its folder and its lock
    // are as they were.
    void threadThatCannotStartChangesNothing()
    {
        test::ProgramDir source, dir;
        const QString archive = makeArchive(source, "ARCHIVE00");
        const QStringList present = test::listing(dir.path());
        const QByteArray before = test::readAll(dir.dbPath());
        int starts = 0;
        for (;; ++starts) {
            QVERIFY(starts < 20);
            LongWork::setStartsLeft(starts);
            QString error;
            const Outcome outcome = Restorer::restore(dir.path(), archive, true, &error);
            LongWork::setStartsLeft(-1);
            if (outcome == Outcome::Restored)
                break;
            QCOMPARE(outcome, Outcome::Failed);
            QCOMPARE(error, QString("nedostatok pamäte alebo systémových prostriedkov: vlákno programu nie je možné "
                                    "spustiť"));
            QCOMPARE(test::listing(dir.path()), present);
            QCOMPARE(test::readAll(dir.dbPath()), before);
            QVERIFY(RegisterLock(dir.path()).isHeld());
        }
        // The unpacking, its writer and the disk write beside the check.
        QCOMPARE(starts, 3);
    }

    void startUpWithoutDatabaseInArchiveBringsBackTheKeptOne()
    {
        test::ProgramDir kept, dir(false);
        QVERIFY(QFile::copy(kept.dbPath(), dir.file("ulk_ren.mdb")));
        QVERIFY(test::writeZip(dir.file("empty.zip"), {{"readme.txt", "nothing here"}}));
        QCOMPARE(Restorer::restore(dir.path(), dir.file("empty.zip"), false, nullptr), Outcome::NoDatabase);
        QCOMPARE(test::readAll(dir.dbPath()), test::readAll(kept.dbPath()));
        QVERIFY(!QFile::exists(dir.file("ulk_ren.mdb")));
    }

    void failureWhileKeepingChangesNothing()
    {
        test::ProgramDir source, dir;
        const QString archive = makeArchive(source, "ARCHIVE00");
        const QByteArray present = test::readAll(dir.dbPath());
        // A kept file that cannot be removed: the restore stops before ulk.mdb is touched.
        QVERIFY(QDir(dir.path()).mkpath("ulk_ren.mdb/inside"));
        QString error;
        QCOMPARE(Restorer::restore(dir.path(), archive, true, &error), Outcome::Failed);
        QVERIFY(error.contains("ulk_ren.mdb"));
        QCOMPARE(test::readAll(dir.dbPath()), present);
        QCOMPARE(test::listing(dir.path()), QStringList({"ulk.mdb", "ulk_ren.mdb"}));
    }

    // A register kept in WAL mode elsewhere comes back in rollback-journal
    // mode, with nothing beside it.
    void walRegisterIsStoredInJournalMode()
    {
        test::ProgramDir source, dir;
        QVERIFY(Database::open(source.path()) == Database::OpenResult::Ok);
        test::addClient("WAL00", "Eva", "Zápisová");
        Database::close();
        QVERIFY(test::putInWalMode(source.dbPath()));
        QByteArray file = test::readAll(source.dbPath());
        QCOMPARE(file.mid(18, 2), QByteArray("\2\2"));
        QVERIFY(test::writeZip(dir.file("wal.zip"), {{"ulk.mdb", file}}));
        QCOMPARE(Restorer::restore(dir.path(), dir.file("wal.zip"), true, nullptr), Outcome::Restored);
        QCOMPARE(test::readAll(dir.dbPath()).mid(18, 2), QByteArray("\1\1"));
        QCOMPARE(test::listing(dir.path()), QStringList({"ulk.mdb", "ulk_ren.mdb", "wal.zip"}));
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        QCOMPARE(test::scalar("PRAGMA journal_mode").toString(), QString("delete"));
        QCOMPARE(test::scalar("SELECT priezv FROM k_zaklad").toString(), QString("Zápisová"));
    }

    // Only a whole register of the size its pages give is unpacked.
    void entryOfAnotherSizeIsRefused_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("register followed by zeros") << 0;
        QTest::newRow("zeros only") << 1;
    }
    void entryOfAnotherSizeIsRefused()
    {
        QFETCH(int, kind);
        test::ProgramDir source, dir;
        const QByteArray registerFile = test::readAll(source.dbPath());
        const QByteArray zeros(8 << 20, '\0');
        const QByteArray entry = kind == 0 ? registerFile + zeros : zeros;
        QVERIFY(test::writeZip(dir.file("big.zip"), {{"ulk.mdb", entry}}));
        const QByteArray present = test::readAll(dir.dbPath());
        QCOMPARE(Restorer::restore(dir.path(), dir.file("big.zip"), true, nullptr), Outcome::NotExpectedData);
        QCOMPARE(test::readAll(dir.dbPath()), present);
        QCOMPARE(test::listing(dir.path()), QStringList({"big.zip", "ulk.mdb"}));
    }
};

QTEST_GUILESS_MAIN(RestorerTest)
#include "RestorerTest.moc"
