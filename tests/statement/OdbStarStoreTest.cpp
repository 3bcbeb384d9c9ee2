#include "data/Database.h"
#include "statement/OdbStarStore.h"

#include "OdbStarSeed.h"

#include <QTest>

using namespace ulk;
using test::Cells;
using test::gridOf;
using test::odbStarRows;
using test::seedOdbStar;

class OdbStarStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::OpenRegister> m_dir;

    static QList<qint64> rowids()
    {
        QList<qint64> ids;
        for (const QVariantList &r : odbStarRows())
            ids << r[0].toLongLong();
        return ids;
    }

private slots:
    void init() { m_dir = std::make_unique<test::OpenRegister>(); }
    void cleanup() { m_dir.reset(); }

    void storedTextsShowAsTheyAre_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("savedBack");
        QTest::newRow("blank") << " " << "0" << " ";
        QTest::newRow("empty") << "" << "0" << " ";
        QTest::newRow("zero") << "0" << "0" << " ";
        QTest::newRow("zeros") << "000" << "0" << " ";
        QTest::newRow("007") << "007" << "007" << "007";
        QTest::newRow("12") << "12" << "12" << "12";
        QTest::newRow("leading blank") << " 5" << " 5" << " 5";
        QTest::newRow("letters") << "abc" << "0" << " ";
    }

    void storedTextsShowAsTheyAre()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, savedBack);
        seedOdbStar({{{4, 9}, stored}});
        OdbStarStore store(Database::connection());
        QVERIFY(store.load());
        QCOMPARE(store.state(), OdbStarStore::State::Filled);
        QCOMPARE(store.texts()[9][3], shown);
        QVERIFY(store.save(store.texts()));
        QCOMPARE(odbStarRows()[9][3 + 4].toString(), savedBack);
    }

    void laterSavesEditInPlace()
    {
        OdbStarStore first(Database::connection());
        QVERIFY(first.load());
        QVERIFY(first.save(gridOf({})));
        const QList<qint64> ids = rowids();
        // Markers, names and codes are written once: a later save leaves them.
        test::sql("UPDATE odbstar SET naz_ria = ?, v_tom = ?, c_ria = ? WHERE rowid = ?", {"zmenené", "x", "9999", ids[3]});
        OdbStarStore second(Database::connection());
        QVERIFY(second.load());
        QCOMPARE(second.state(), OdbStarStore::State::Filled);
        QVERIFY(second.save(gridOf({{{2, 3}, "5"}})));
        QCOMPARE(rowids(), ids);
        const QList<QVariantList> rows = odbStarRows();
        QCOMPARE(rows[3][1].toString(), QString("x"));
        QCOMPARE(rows[3][2].toString(), QString("zmenené"));
        QCOMPARE(rows[3][3].toString(), QString("9999"));
        QCOMPARE(rows[3][5].toString(), QString("5"));
        QCOMPARE(rows[4][2].toString(), QString("       iná"));
    }

    void unusableTableIsNotTouched_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("swap");
        QTest::newRow("29 rows") << 29 << false;
        QTest::newRow("56 rows") << 56 << false;
        QTest::newRow("ten rows out of order") << 10 << true;
    }

    void unusableTableIsNotTouched()
    {
        QFETCH(int, count);
        QFETCH(bool, swap);
        seedOdbStar({{{1, 0}, "3"}});
        if (count > 28)
            seedOdbStar({}, count - 28);
        if (count < 28)
            test::sql("DELETE FROM odbstar WHERE rowid > ?", {count});
        if (swap)
            test::sql("UPDATE odbstar SET c_ria = '0599' WHERE rowid = 2");
        const QList<QVariantList> before = odbStarRows();
        OdbStarStore store(Database::connection());
        QVERIFY(store.load());
        QCOMPARE(store.state(), OdbStarStore::State::Unusable);
        QCOMPARE(store.rowCount(), count);
        QString error;
        QVERIFY(!store.save(gridOf({}), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(odbStarRows(), before);
    }

    void failedSaveWritesNothing_data()
    {
        QTest::addColumn<bool>("filled");
        QTest::newRow("first save") << false;
        QTest::newRow("later save") << true;
    }

    void failedSaveWritesNothing()
    {
        QFETCH(bool, filled);
        if (filled)
            seedOdbStar({{{1, 0}, "1"}});
        const QList<QVariantList> before = odbStarRows();
        // Row 0515 cannot be written: the rows before it must not stay either.
        test::sql(filled ? "CREATE TRIGGER refuse BEFORE UPDATE ON odbstar WHEN OLD.c_ria = '0515' "
                           "BEGIN SELECT RAISE(ABORT, 'zamietnuté'); END"
                         : "CREATE TRIGGER refuse BEFORE INSERT ON odbstar WHEN NEW.c_ria = '0515' "
                           "BEGIN SELECT RAISE(ABORT, 'zamietnuté'); END");
        OdbStarStore store(Database::connection());
        QVERIFY(store.load());
        QString error;
        QVERIFY(!store.save(gridOf({{{1, 0}, "2"}, {{2, 20}, "3"}}), &error));
        QCOMPARE(error, QString("databáza zápis odmietla (kód 1811)"));
        QCOMPARE(odbStarRows(), before);
        // Once the obstacle is gone the same store saves.
        test::sql("DROP TRIGGER refuse");
        QVERIFY(store.save(gridOf({{{1, 0}, "2"}})));
        QCOMPARE(odbStarRows().size(), 28);
        QCOMPARE(odbStarRows()[0][4].toString(), QString("2"));
    }

    void missingColumnIsAReadFailure()
    {
        test::sql("DROP TABLE odbstar");
        test::sql("CREATE TABLE odbstar (v_tom TEXT, naz_ria TEXT, c_ria TEXT, s_1 TEXT)");
        OdbStarStore store(Database::connection());
        QString error;
        QVERIFY(!store.load(&error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(OdbStarStoreTest)
#include "OdbStarStoreTest.moc"
