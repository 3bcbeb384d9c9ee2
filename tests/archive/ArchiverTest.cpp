#include "ArchiveFixtures.h"
#include "archive/Archiver.h"
#include "data/Database.h"
#include "data/SqliteHeader.h"
#include "support/ProgramDir.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace ulk;

class ArchiverTest : public QObject {
    Q_OBJECT

    static void fillRegister(const test::ProgramDir &dir)
    {
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        test::addClient("NOVAKJ00", "Ján", "Novák", "12", "2015-03-04");
        test::addClient("ONEILP00", "Patrick", "O'Neil", "7");
        test::addEmployee("HRASKOMA00", "Mária", "Hrašková");
        test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, ?)", {"NOVAKJ00", "2024-10-01"});
        Database::close();
    }

private slots:
    void cleanup() { Database::close(); }

    void packReplacesAnOlderTemporaryArchive()
    {
        test::ProgramDir dir;
        QVERIFY(test::writeAll(dir.file("arch_tmp.zip"), "left over, not even a zip"));
        fillRegister(dir);
        QString error;
        QVERIFY2(Archiver::pack(dir.path(), &error), qPrintable(error));
        const test::ZipEntries entries = test::readZip(dir.file("arch_tmp.zip"));
        QCOMPARE(entries.size(), 1);
        QTemporaryDir out;
        QVERIFY(test::writeAll(out.filePath("copy.mdb"), entries.first().second));
        QCOMPARE(test::dumpDatabase(out.filePath("copy.mdb")), test::dumpDatabase(dir.dbPath()));
    }

    // Packed as it stands, or copied first where the file alone is not the
    // whole database (WAL mode, with rows still in the -wal file).
    void packHoldsEveryCommittedRow_data()
    {
        QTest::addColumn<bool>("wal");
        QTest::newRow("rollback journal") << false;
        QTest::newRow("WAL") << true;
    }
    void packHoldsEveryCommittedRow()
    {
        QFETCH(bool, wal);
        test::ProgramDir dir;
        fillRegister(dir);
        if (wal) {
            // Kept in WAL mode by another program: brought to a rollback journal at opening.
            QVERIFY(test::putInWalMode(dir.dbPath()));
            QVERIFY(SqliteHeader::isWal(SqliteHeader::read(dir.dbPath())));
        }
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        test::addClient("KRALMA00", "Marek", "Kráľ", "13");
        const QStringList rows = test::dumpDatabase(dir.dbPath());
        QString error;
        QVERIFY2(Archiver::pack(dir.path(), &error), qPrintable(error));
        QVERIFY(!QFileInfo::exists(dir.dbPath() + "-wal"));
        QVERIFY(!SqliteHeader::isWal(SqliteHeader::read(dir.dbPath())));
        Database::close();
        QTemporaryDir out;
        QVERIFY(test::writeAll(out.filePath("copy.mdb"), test::readZip(dir.file("arch_tmp.zip")).value(0).second));
        QCOMPARE(test::dumpDatabase(out.filePath("copy.mdb")), rows);
        QCOMPARE(test::listing(dir.path()), QStringList({"arch_tmp.zip", "ulk.mdb"}));
    }

    void packWithoutDatabasePacksNothing()
    {
        test::ProgramDir dir(false);
        QString error;
        QVERIFY(Archiver::pack(dir.path(), &error));
        QVERIFY(!QFile::exists(dir.file("arch_tmp.zip")));
    }

    void deliverRefusesTheDatabaseItself_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("ulk.mdb") << false;
        QTest::newRow("a link to ulk.mdb") << true;
    }

    void deliverRefusesTheDatabaseItself()
    {
        QFETCH(bool, throughLink);
        test::ProgramDir dir;
        QTemporaryDir other;
        fillRegister(dir);
        QVERIFY(Archiver::pack(dir.path(), nullptr));
        const QByteArray dbBytes = test::readAll(dir.dbPath());
        QString target = dir.dbPath();
        if (throughLink) {
            target = other.filePath("ulk-link.zip");
            QVERIFY(QFile::link(dir.dbPath(), target));
        }
        QString error;
        QVERIFY(!Archiver::deliver(dir.path(), target, &error));
        QVERIFY(error.contains("ulk.mdb"));
        QCOMPARE(test::readAll(dir.dbPath()), dbBytes);
        QVERIFY(QFile::exists(dir.file("arch_tmp.zip")));
    }

    void deliverOntoTheTemporaryArchiveKeepsIt()
    {
        test::ProgramDir dir;
        fillRegister(dir);
        QVERIFY(Archiver::pack(dir.path(), nullptr));
        const QByteArray archive = test::readAll(dir.file("arch_tmp.zip"));
        QString error;
        QVERIFY2(Archiver::deliver(dir.path(), dir.file("arch_tmp.zip"), &error), qPrintable(error));
        QCOMPARE(test::readAll(dir.file("arch_tmp.zip")), archive);
    }
};

QTEST_GUILESS_MAIN(ArchiverTest)
#include "ArchiverTest.moc"
