#include "data/Database.h"
#include "statement/DopUkazRecord.h"
#include "support/ProgramDir.h"

#include <QSqlQuery>
#include <QTest>

using namespace ulk;

namespace {

QList<QStringList> rows()
{
    QList<QStringList> out;
    QSqlQuery q = runSql("SELECT r_0401, r_0402, r_0403, r_0404, r_0416 FROM dop_ukaz ORDER BY rowid");
    while (q.next()) {
        QStringList r;
        for (int i = 0; i < 5; ++i)
            r << (q.value(i).isNull() ? QString("<null>") : q.value(i).toString());
        out << r;
    }
    return out;
}

DopUkazRecord::Values values(const QStringList &l)
{
    DopUkazRecord::Values v;
    for (int i = 0; i < 5; ++i)
        v[std::size_t(i)] = l.value(i);
    return v;
}

} // namespace

class DopUkazRecordTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ProgramDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<test::ProgramDir>();
        QCOMPARE(Database::open(m_dir->path()), Database::OpenResult::Ok);
    }
    void cleanup()
    {
        Database::close();
        m_dir.reset();
    }

    void emptyTableGivesANewRecordThenItIsEdited()
    {
        DopUkazRecord record(Database::connection());
        QVERIFY(record.load());
        QVERIFY(record.isNew());
        QCOMPARE(record.values(), values({}));
        QVERIFY(record.save(values({"", "", "", "", ""})));
        QCOMPARE(rows(), QList<QStringList>({{"", "", "", "", ""}}));

        DopUkazRecord again(Database::connection());
        QVERIFY(again.load());
        QVERIFY(!again.isNew());
        QVERIFY(again.save(values({"3", "1", "2", "4", "10"})));
        QCOMPARE(rows(), QList<QStringList>({{"3", "1", "2", "4", "10"}}));
    }

    void severalRowsEditTheFirstOnly()
    {
        test::sql("INSERT INTO dop_ukaz VALUES ('1','2','3','4','10')");
        test::sql("INSERT INTO dop_ukaz VALUES ('9','9','9','9','36')");
        DopUkazRecord record(Database::connection());
        QVERIFY(record.load());
        QCOMPARE(record.rowCount(), 2);
        QCOMPARE(record.values(), values({"1", "2", "3", "4", "10"}));
        QVERIFY(record.save(values({"5", "", "007", "1", "13"})));
        QCOMPARE(rows(), QList<QStringList>({{"5", "", "007", "1", "13"}, {"9", "9", "9", "9", "36"}}));
    }

    void missingValuesReadAsEmpty()
    {
        test::sql("INSERT INTO dop_ukaz (r_0401) VALUES ('4')");
        DopUkazRecord record(Database::connection());
        QVERIFY(record.load());
        QCOMPARE(record.values(), values({"4", "", "", "", ""}));
    }

    void failedSaveChangesNothing()
    {
        test::sql("INSERT INTO dop_ukaz VALUES ('1','2','3','4','10')");
        DopUkazRecord record(Database::connection());
        QVERIFY(record.load());
        test::sql("PRAGMA query_only = 1");
        QString error;
        QVERIFY(!record.save(values({"7", "7", "7", "7", "28"}), &error));
        test::sql("PRAGMA query_only = 0");
        QVERIFY(!error.isEmpty());
        QCOMPARE(rows(), QList<QStringList>({{"1", "2", "3", "4", "10"}}));
    }

    void checkSum_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("matches");
        QTest::newRow("3+1+2+4 = 10") << QStringList{"3", "1", "2", "4", "10"} << true;
        QTest::newRow("3+1+2+4 <> 9") << QStringList{"3", "1", "2", "4", "9"} << false;
        QTest::newRow("all empty") << QStringList{"", "", "", "", ""} << true;
        QTest::newRow("empty counts 0") << QStringList{"", "5", "", "", "5"} << true;
        QTest::newRow("blanks ignored") << QStringList{" 2", "2 ", "", "", "04"} << true;
        QTest::newRow("sum without check sum") << QStringList{"1", "", "", "", ""} << false;
        QTest::newRow("beyond 16 bits") << QStringList{"30000", "30000", "", "", "60000"} << true;
    }

    void checkSum()
    {
        QFETCH(QStringList, boxes);
        QFETCH(bool, matches);
        QCOMPARE(DopUkazRecord::checkSumMatches(values(boxes)), matches);
    }
};

QTEST_GUILESS_MAIN(DopUkazRecordTest)
#include "DopUkazRecordTest.moc"
