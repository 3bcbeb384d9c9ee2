#include "ArchiveFixtures.h"
#include "archive/Archiver.h"
#include "archive/Restorer.h"
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

    void staleJournalsAreRemoved()
    {
        QFETCH(bool, fromMenu);
        test::ProgramDir source, dir(fromMenu);
        const QString archive = makeArchive(source, "ARCHIVE00");
        for (const char *suffix : {"-journal", "-wal", "-shm"})
            QVERIFY(test::writeAll(dir.dbPath() + suffix, QByteArray(4096, 'j')));
        QCOMPARE(Restorer::restore(dir.path(), archive, fromMenu, nullptr), Outcome::Restored);
        for (const char *suffix : {"-journal", "-wal", "-shm"})
            QVERIFY(!QFile::exists(dir.dbPath() + suffix));
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad WHERE idkod = ?", {"ARCHIVE00"}).toInt(), 1);
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
};

QTEST_GUILESS_MAIN(RestorerTest)
#include "RestorerTest.moc"
