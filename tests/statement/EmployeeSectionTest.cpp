#include "data/Database.h"
#include "statement/EmployeeSection.h"
#include "statement/WorkTable.h"
#include "StatementFixtures.h"

#include <QTest>

using namespace ulk;
using statement::EmployeeSection;

namespace {

const QStringList kCaptions = {"Riaditeľ",         "Špeciálny pedagóg",        "Školský špeciálny pedagóg",
                               "Psychológ",        "Liečebný pedagóg",         "Zdravotnícky zamestnanec",
                               "Sociálny zamestnanec", "Iní",                  "Spolu (0301 až 0308)"};
const QStringList kCodes = {"0301", "0302", "0303", "0304", "0305", "0306", "0307", "0308", "0316"};
const QString x = QStringLiteral("   x");

// The nine lines with no employee counted.
QList<QStringList> emptyLines()
{
    QList<QStringList> lines;
    for (int i = 0; i < 9; ++i) {
        const QString e = i == 0 ? x : QString("");
        lines << QStringList{kCaptions[i], kCodes[i], "", "", "", e, e, e};
    }
    return lines;
}

struct Employee {
    QVariant pracZar;
    QString pohlavie, intExt, kvalifikacia;
};

} // namespace

class EmployeeSectionTest : public QObject {
    Q_OBJECT

    void addEmployees(const QList<Employee> &employees)
    {
        int n = 0;
        for (const Employee &e : employees)
            test::sql("INSERT INTO zamestnanci (idkod, meno, priezv, prac_zar, pohlavie, \"int-ext\", kvalifikacia) "
                      "VALUES (?,?,?,?,?,?,?)",
                      {QStringLiteral("ZAM%1").arg(n++, 2, 10, QLatin1Char('0')), "Meno", "Priezvisko", e.pracZar,
                       e.pohlavie, e.intExt, e.kvalifikacia});
    }

private slots:
    void cleanup() { Database::close(); }

    void noEmployeesGiveNineBlankLines()
    {
        test::OpenRegister dir;
        QString error;
        const auto lines = EmployeeSection::compute(&error);
        QVERIFY2(lines, qPrintable(error));
        QCOMPARE(*lines, emptyLines());
    }

    // Each case: the employees, then the changes to the blank lines as
    // (line index, column index, text).
    void counting_data()
    {
        QTest::addColumn<QList<Employee>>("employees");
        QTest::addColumn<QList<QList<QVariant>>>("cells");
        QTest::newRow("external director counts only in the total")
            << QList<Employee>{{1, "z", "e", "a"}}
            << QList<QList<QVariant>>{{8, 5, "1"}, {8, 6, "1"}, {8, 7, "1"}};
        QTest::newRow("internal director")
            << QList<Employee>{{1, "m", "i", "a"}} << QList<QList<QVariant>>{{0, 2, "1"}, {0, 4, "1"}, {8, 2, "1"}, {8, 4, "1"}};
        QTest::newRow("woman without qualification")
            << QList<Employee>{{4, "z", "i", "n"}, {6, "z", "e", "n"}}
            << QList<QList<QVariant>>{{3, 2, "1"}, {3, 3, "1"}, {5, 5, "1"}, {5, 6, "1"},
                                      {8, 2, "1"}, {8, 3, "1"}, {8, 5, "1"}, {8, 6, "1"}};
        QTest::newRow("kind of employment neither i nor e")
            << QList<Employee>{{2, "z", "x", "a"}, {2, "z", "", "a"}, {2, "z", "ie", "a"}} << QList<QList<QVariant>>{};
        QTest::newRow("function outside 1 to 8")
            << QList<Employee>{{0, "z", "i", "a"}, {9, "z", "i", "a"}, {-1, "z", "e", "a"}, {QVariant(), "z", "i", "a"},
                               {"x", "z", "i", "a"}}
            << QList<QList<QVariant>>{};
        QTest::newRow("letters in either case")
            << QList<Employee>{{8, "Z", "I", "A"}, {8, "m", "E", "A"}}
            << QList<QList<QVariant>>{{7, 2, "1"}, {7, 3, "1"}, {7, 4, "1"}, {7, 5, "1"}, {7, 7, "1"},
                                      {8, 2, "1"}, {8, 3, "1"}, {8, 4, "1"}, {8, 5, "1"}, {8, 7, "1"}};
        QTest::newRow("several of one function")
            << QList<Employee>{{2, "z", "i", "a"}, {2, "z", "i", "n"}, {2, "m", "i", "a"}, {3, "m", "i", "n"}}
            << QList<QList<QVariant>>{{1, 2, "3"}, {1, 3, "2"}, {1, 4, "2"}, {2, 2, "1"},
                                      {8, 2, "4"}, {8, 3, "2"}, {8, 4, "2"}};
    }

    void counting()
    {
        QFETCH(QList<Employee>, employees);
        QFETCH(QList<QList<QVariant>>, cells);
        test::OpenRegister dir;
        addEmployees(employees);
        QList<QStringList> expected = emptyLines();
        for (const QList<QVariant> &c : cells)
            expected[c[0].toInt()][c[1].toInt()] = c[2].toString();
        QString error;
        const auto lines = EmployeeSection::compute(&error);
        QVERIFY2(lines, qPrintable(error));
        QCOMPARE(*lines, expected);
    }

    void countsBeyondSixteenBits()
    {
        test::OpenRegister dir;
        {
            Transaction t;
            for (int i = 0; i < 33000; ++i)
                test::sql("INSERT INTO zamestnanci (idkod, prac_zar, pohlavie, \"int-ext\", kvalifikacia) "
                          "VALUES (?, 5, 'z', 'i', 'a')",
                          {QStringLiteral("Z%1").arg(i)});
            QVERIFY(t.commit());
        }
        QString error;
        const auto lines = EmployeeSection::compute(&error);
        QVERIFY2(lines, qPrintable(error));
        QCOMPARE(lines->at(4).mid(2, 3), QStringList({"33000", "33000", "33000"}));
        QCOMPARE(lines->at(8).mid(2, 3), QStringList({"33000", "33000", "33000"}));
    }

    void linesStoredAsTextNeverNull()
    {
        test::OpenRegister dir;
        test::addEmployee("PSYCH00", "Eva", "Malá", 4, "z", "i", "a");
        QString error;
        const auto lines = EmployeeSection::compute(&error);
        QVERIFY(lines);
        QVERIFY2(statement::WorkTable::employees().fill(*lines, &error), qPrintable(error));
        QCOMPARE(test::tableRows("z_zam"), *lines);
        QCOMPARE(test::scalar("SELECT count(*) FROM z_zam WHERE i_zeny IS NULL OR e_spolu IS NULL").toInt(), 0);
        QCOMPARE(test::scalar("SELECT typeof(i_kval) || typeof(e_kval) FROM z_zam WHERE cria = '0302'").toString(),
                 QString("texttext"));
        // Filling again replaces the rows; clearing empties the table.
        QVERIFY(statement::WorkTable::employees().fill(*lines, &error));
        QCOMPARE(test::rowCount("z_zam"), 9);
        QVERIFY(statement::WorkTable::employees().clear(&error));
        QCOMPARE(test::rowCount("z_zam"), 0);
    }
};

QTEST_GUILESS_MAIN(EmployeeSectionTest)
#include "EmployeeSectionTest.moc"
