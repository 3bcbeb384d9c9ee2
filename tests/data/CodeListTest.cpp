#include "data/CodeList.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QTest>

using namespace ulk;

class CodeListTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<test::OpenRegister>(); }
    void cleanup() { m_dir.reset(); }

    void wholeTableInCodeOrder()
    {
        CodeList list("c_zdrpoi", "kod", "nazov");
        QString error;
        QVERIFY2(list.load({}, {}, &error), qPrintable(error));
        QCOMPARE(list.size(), 3);
        QCOMPARE(list.code(0), QString("24"));
        QCOMPARE(list.name(1), QString("Všeobecná zdravotná poisťovňa, a. s."));
        QCOMPARE(list.line(1), list.name(1)); // no display line: the name
        QCOMPARE(list.current(), -1);
        QCOMPARE(list.code(3), QString());
        QCOMPARE(list.code(-1), QString());
    }

    void displayLineFromTheQuery()
    {
        CodeList list("c_narodn", "kod", "nazov");
        QVERIFY(list.load("SELECT kod, nazov, kod || '  |  ' || nazov AS roleta FROM c_narodn ORDER BY kod"));
        QCOMPARE(list.line(0), QString("01  |  slovenská"));
        QCOMPARE(list.lines().size(), list.size());
        QCOMPARE(list.lines().at(1), QString("02  |  maďarská"));
    }

    void boundValuesAndComputedName()
    {
        test::addEmployee("KOVACJA00", "Jana", "Kovac");
        test::addEmployee("O'NEILJI00", "Jim", "O'Neil", 4);
        CodeList list("zamestnanci", "idkod", "spolu");
        QVERIFY(list.load("SELECT idkod, priezv || '  ' || meno AS spolu FROM zamestnanci WHERE prac_zar = ?", {4}));
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.name(0), QString("O'Neil  Jim"));
        QCOMPARE(list.findCode("O'NEILJI00"), 0);
    }

    void findCode_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<QString>("found"); // the code found, empty for none
        QTest::newRow("exact") << "SK" << false << "SK";
        QTest::newRow("blanks trimmed") << " SK " << false << "SK";
        QTest::newRow("case counts") << "sk" << false << "";
        QTest::newRow("case ignored") << "sk" << true << "SK";
        QTest::newRow("not in the list") << "XX" << false << "";
        QTest::newRow("a quote") << "S'" << false << "";
        QTest::newRow("part of a code") << "S" << false << "";
        QTest::newRow("empty") << "" << false << "";
    }
    void findCode()
    {
        QFETCH(QString, key);
        QFETCH(bool, ignoreCase);
        QFETCH(QString, found);
        CodeList list("c_iczeme", "kod", "nazov");
        QVERIFY(list.load());
        const int row = list.findCode(key, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
        QCOMPARE(list.code(row), found);
        QCOMPARE(row >= 0, !found.isEmpty());
        QCOMPARE(list.current(), -1); // finding does not move
    }

    void storedCodeWithTrailingBlanks()
    {
        test::sql("INSERT INTO c_jazyk (kod, nazov) VALUES ('7 ', 'iný kód')");
        CodeList list("c_jazyk", "kod", "nazov");
        QVERIFY(list.load());
        QCOMPARE(list.name(list.findCode("7")), QString("iný kód"));
    }

    void findName()
    {
        CodeList list("c_iczuj", "kod", "nazov");
        QVERIFY(list.load("SELECT kod, nazov FROM c_iczuj ORDER BY nazov"));
        QCOMPARE(list.name(list.findName("Nitra")), QString("Nitra"));
        QCOMPARE(list.name(list.findName("nitra")), QString("Nitra"));
        QCOMPARE(list.findName("nitra", Qt::CaseSensitive), -1);
        QCOMPARE(list.findName("Nitra "), -1);
        QCOMPARE(list.findName("O'Neil"), -1);
    }

    void current()
    {
        CodeList list("c_zdrpoi", "kod", "nazov");
        QVERIFY(list.load());
        list.setCurrent(2);
        QCOMPARE(list.current(), 2);
        list.setCurrent(3);
        QCOMPARE(list.current(), -1);
        list.setCurrent(1);
        QVERIFY(list.load());
        QCOMPARE(list.current(), -1); // a fresh read has no current row
    }

    void failuresLeaveTheListEmpty()
    {
        CodeList list("c_zdrpoi", "kod", "nazov");
        QVERIFY(list.load());
        QString error;
        QVERIFY(!list.load("SELECT nothing FROM nowhere", {}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(list.size(), 0);
        error.clear();
        QVERIFY(!list.load("SELECT kod FROM c_zdrpoi", {}, &error)); // no name column
        QVERIFY(!error.isEmpty());
        QCOMPARE(list.size(), 0);
    }

private:
    std::unique_ptr<test::OpenRegister> m_dir;
};

QTEST_GUILESS_MAIN(CodeListTest)
#include "CodeListTest.moc"
