#include "data/Compactor.h"
#include "data/Database.h"
#include "support/Files.h"
#include "support/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace ulk;

namespace {

// Fills the register and deletes most of it again, so that the file holds
// free space; a few rows of every kind stay.
void fillAndThin(const QString &dir)
{
    QCOMPARE(Database::open(dir), Database::OpenResult::Ok);
    const QString longText(2000, QLatin1Char('x'));
    {
        Transaction t;
        for (int i = 0; i < 400; ++i) {
            const QString key = QStringLiteral("KLIENT%1").arg(i, 3, 10, QLatin1Char('0'));
            test::addClient(key, QStringLiteral("Ján"), QStringLiteral("O'Kováč"), QString::number(i));
            test::sql("UPDATE k_memo SET poznamky = ? WHERE idkod = ?", {longText, key});
            test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, '2024-03-01')", {key});
            test::sql("INSERT INTO k_vysetrenie (idkod, idkod_p, popis) VALUES (?, 'NOVAJA00', ?)", {key, longText});
        }
        test::addEmployee("NOVAJA00", "Jana", "Nová");
        QVERIFY(t.commit());
    }
    test::sql("DELETE FROM k_memo WHERE idkod > 'KLIENT010'");
    test::sql("DELETE FROM k_vysetrenie WHERE idkod > 'KLIENT010'");
    test::sql("DELETE FROM k_zaklad WHERE idkod > 'KLIENT010'");
    Database::close();
}

} // namespace

class CompactorTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void keepsEveryRowAndShrinksTheFile()
    {
        test::ProgramDir dir;
        fillAndThin(dir.path());
        Compactor::Contents before;
        QString error;
        QVERIFY(Compactor::readContents(dir.dbPath(), &before, &error));
        const qint64 sizeBefore = QFileInfo(dir.dbPath()).size();

        QVERIFY2(Compactor::compact(dir.path(), &error), qPrintable(error));

        QVERIFY(!QFileInfo::exists(dir.file("tmp.mdb")));
        QVERIFY(QFileInfo(dir.dbPath()).size() < sizeBefore / 2);
        Compactor::Contents after;
        QVERIFY(Compactor::readContents(dir.dbPath(), &after, &error));
        QCOMPARE(after.rowCounts, before.rowCounts);
        QCOMPARE(after.schema, before.schema);
        QCOMPARE(after.rowCounts.at(0), qint64(11)); // k_zaklad
        QCOMPARE(after.rowCounts.at(7), qint64(400)); // k_navstevy keeps its rows
        // The compacted file is the program's register, views and texts included.
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        QCOMPARE(test::scalar("SELECT priezv FROM k_zaklad WHERE idkod = 'KLIENT003'").toString(), QString("O'Kováč"));
        QCOMPARE(test::scalar("SELECT count(*) FROM sqlite_master WHERE type = 'view'").toInt(), 9);
        QCOMPARE(test::scalar("PRAGMA journal_mode").toString(), QString("delete"));
    }

    void staleTemporaryFileIsRemovedFirst()
    {
        test::ProgramDir dir;
        QVERIFY(test::writeAll(dir.file("tmp.mdb"), "left over from an earlier exit"));
        QString error;
        QVERIFY2(Compactor::compact(dir.path(), &error), qPrintable(error));
        QVERIFY(!QFileInfo::exists(dir.file("tmp.mdb")));
        QVERIFY(Database::isUsableFile(dir.dbPath()));
    }

    // Through a link the file at its end is compacted in its folder; a link to nothing is left.
    void compactsTheFileALinkLeadsTo()
    {
        test::ProgramDir dir;
        QTemporaryDir share;
        const QString kept = share.filePath("register.mdb");
        QVERIFY(QFile::rename(dir.dbPath(), kept) && QFile::link(kept, dir.dbPath()));
        fillAndThin(dir.path());
        Compactor::Contents before, after;
        QString error;
        const qint64 sizeBefore = QFileInfo(kept).size();
        QVERIFY(Compactor::readContents(kept, &before, &error) && Compactor::compact(dir.path(), &error));
        QVERIFY(Compactor::readContents(kept, &after, &error) && after == before);
        QVERIFY(QFileInfo(kept).size() < sizeBefore / 2 && QFileInfo(dir.dbPath()).symLinkTarget() == kept);
        const auto names = [&] {
            const auto flags = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
            return QDir(share.path()).entryList(flags) + QDir(dir.path()).entryList(flags);
        };
        QCOMPARE(names(), QStringList({"register.mdb", "ulk.mdb"}));
        QVERIFY(QFile::remove(kept) && !Compactor::compact(dir.path(), &error));
        QCOMPARE(error, "ulk.mdb je symbolický odkaz na súbor, ktorý neexistuje (" + kept
                            + "); odkaz ani súbor sa nezmenili");
        QCOMPARE(names(), QStringList{"ulk.mdb"});
    }

    void failureLeavesTheDatabaseAsItWas_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");
        QTest::newRow("tmp.mdb cannot be removed") << "tmpdir" << "tmp.mdb";
        QTest::newRow("connection still open") << "open" << "otvorený";
        QTest::newRow("journal beside the file") << "journal" << "ulk.mdb-journal";
        QTest::newRow("not a database") << "garbage" << "";
        QTest::newRow("register held by another program") << "held" << "iný spustený program";
    }
    void failureLeavesTheDatabaseAsItWas()
    {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        test::ProgramDir dir;
        int lockedElsewhere = -1;
        const auto unlock = qScopeGuard([&] { ::close(lockedElsewhere); });
        if (setup == "tmpdir") {
            QVERIFY(QDir(dir.path()).mkpath("tmp.mdb/inside"));
        } else if (setup == "open") {
            QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        } else if (setup == "journal") {
            // A journal that SQLite does not take as hot is left in place by the
            // connection; it must not end up beside the new file.
            QVERIFY(test::writeAll(dir.file("ulk.mdb-journal"), QByteArray()));
        } else if (setup == "held") {
            // A lock of its own on the lock file, as another process takes it.
            lockedElsewhere = ::open(QFile::encodeName(dir.file("ulk.lck")).constData(), O_RDWR | O_CREAT, 0644);
            QCOMPARE(::flock(lockedElsewhere, LOCK_EX | LOCK_NB), 0);
        } else {
            QVERIFY(QFile::remove(dir.dbPath()));
            QVERIFY(test::writeAll(dir.dbPath(), QByteArray(4096, 'u')));
        }
        const QByteArray before = test::readAll(dir.dbPath());
        QString error;
        QVERIFY(!Compactor::compact(dir.path(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(test::readAll(dir.dbPath()), before);
        if (setup != "tmpdir")
            QVERIFY(!QFileInfo::exists(dir.file("tmp.mdb")));
    }

    void missingDatabaseIsReported()
    {
        test::ProgramDir dir(false);
        QString error;
        QVERIFY(!Compactor::compact(dir.path(), &error));
        QVERIFY(error.contains("ulk.mdb"));
        QVERIFY(!QFileInfo::exists(dir.dbPath()));
        QVERIFY(!QFileInfo::exists(dir.file("tmp.mdb")));
    }
};

QTEST_GUILESS_MAIN(CompactorTest)
#include "CompactorTest.moc"
