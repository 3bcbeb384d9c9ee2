#include "data/Database.h"
#include "statement/DopUkazRecord.h"
#include "support/ProgramDir.h"

#include <QTest>

using namespace ulk;

namespace {

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

    std::unique_ptr<test::OpenRegister> m_dir;

private slots:
    void init() { m_dir = std::make_unique<test::OpenRegister>(); }
    void cleanup() { m_dir.reset(); }

    void missingValuesReadAsEmpty()
    {
        test::sql("INSERT INTO dop_ukaz (r_0401) VALUES ('4')");
        DopUkazRecord record(Database::connection());
        QVERIFY(record.load());
        QCOMPARE(record.values(), values({"4", "", "", "", ""}));
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
