#include "data/Database.h"
#include "data/PersonListModel.h"
#include "support/ProgramDir.h"

#include <QCollator>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

using namespace ulk;

namespace {
QStringList keys(const PersonListModel &m)
{
    QStringList k;
    for (int r = 0; r < m.rowCount(); ++r)
        k << m.row(r).idkod;
    return k;
}
} // namespace

// The lists read only what changed after their first reading; whatever was
// changed, the rows and their order must be those of a list read afresh.
class PersonListModelTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void refreshEqualsAFreshReading_data()
    {
        QTest::addColumn<int>("order");
        QTest::newRow("by name") << int(PersonListModel::Order::ByName);
        QTest::newRow("by catalogue") << int(PersonListModel::Order::ByCatalogue);
    }

    void refreshEqualsAFreshReading()
    {
        QFETCH(int, order);
        test::OpenRegister dir;
        const char *names[][2] = {{"Hudák", "Peter"}, {"Chrapko", "Ján"}, {"Čierny", "Anna"}, {"Cibuľa", "Eva"},
                                  {"cibuľa", "Adam"}, {"Novák", "Jana"}, {"Nováková", "Jana"}, {"Hudák", "Peter"}};
        int n = 0;
        for (const auto &p : names) {
            ++n;
            test::addClient(QStringLiteral("K%1").arg(n), QString::fromUtf8(p[1]), QString::fromUtf8(p[0]),
                            QString::number((n * 37) % 11));
        }
        PersonListModel live(PersonListModel::Kind::Clients);
        live.setOrder(PersonListModel::Order(order));
        QVERIFY(live.refresh());
        QCOMPARE(live.rowCount(), 8);
        // Insert, rename, renumber, delete, and a change rolled back.
        test::addClient("K9", "Zuzana", "Adamová", "3");
        test::sql("UPDATE k_zaklad SET priezv = 'Ďurica', idkod = 'K2X' WHERE idkod = 'K2'");
        test::sql("UPDATE k_zaklad SET katcis = '100' WHERE idkod = 'K5'");
        test::sql("DELETE FROM k_zaklad WHERE idkod = 'K6'");
        {
            Transaction t;
            test::sql("UPDATE k_zaklad SET priezv = 'Zrušený' WHERE idkod = 'K1'");
            test::sql("INSERT INTO k_zaklad (idkod, priezv) VALUES ('K10', 'Nikdy')");
        }
        QVERIFY(live.refresh());
        PersonListModel fresh(PersonListModel::Kind::Clients);
        fresh.setOrder(PersonListModel::Order(order));
        QVERIFY(fresh.reload());
        QCOMPARE(keys(live), keys(fresh));
        QCOMPARE(live.rowCount(), 8);
        QVERIFY(live.rowOfKey("K2X") >= 0);
        QCOMPARE(live.rowOfKey("K6"), -1);
        QCOMPARE(live.rowOfKey("K10"), -1);
        // A change of order sorts in memory the same way.
        live.setOrder(order == 0 ? PersonListModel::Order::ByCatalogue : PersonListModel::Order::ByName);
        fresh.setOrder(live.order());
        QVERIFY(fresh.reload());
        QCOMPARE(keys(live), keys(fresh));
    }

    // The order of the sort keys is the SK collation's; a change of a column
    // the list does not show leaves it as it was; a change of many rows at
    // once gives the list of a fresh reading.
    void manyRowsChanged()
    {
        test::OpenRegister dir;
        const char *names[] = {"Šťastný", "sedliak", "Sedlák", "Chovan", "Hruška", "Čech", "Cyprich", "Ďurica", "Dudek"};
        int n = 0;
        for (const char *name : names) {
            ++n;
            test::addClient(QStringLiteral("K%1").arg(n), QStringLiteral("Eva"), QString::fromUtf8(name),
                            QString::number(10 - n));
        }
        for (int i = 0; i < 40; ++i)
            test::addClient(QStringLiteral("X%1").arg(i), QStringLiteral("Ján"), QStringLiteral("Novák%1").arg(i % 7));
        PersonListModel live(PersonListModel::Kind::Clients);
        QVERIFY(live.refresh());
        QStringList bySql;
        QSqlQuery q(Database::connection());
        QVERIFY(q.exec("SELECT idkod FROM k_zaklad ORDER BY priezv COLLATE SK, meno COLLATE SK, rowid"));
        while (q.next())
            bySql << q.value(0).toString();
        QCOMPARE(keys(live), bySql);

        QSignalSpy reset(&live, &QAbstractItemModel::modelReset);
        test::sql("UPDATE k_zaklad SET vek = 7");
        QVERIFY(live.refresh());
        QCOMPARE(reset.count(), 0);

        test::sql("UPDATE k_zaklad SET priezv = 'A' || priezv WHERE rowid % 3 = 0");
        test::sql("UPDATE k_zaklad SET meno = NULL WHERE rowid = 2");
        QVERIFY(live.refresh());
        QCOMPARE(reset.count(), 1);
        test::sql("UPDATE k_zaklad SET katcis = rowid, priezv = 'Z' || priezv WHERE rowid BETWEEN 3 AND 22");
        QVERIFY(live.refresh());
        PersonListModel fresh(PersonListModel::Kind::Clients);
        QVERIFY(fresh.reload());
        QCOMPARE(keys(live), keys(fresh));
        QCOMPARE(live.rowCount(), 49);
        QVERIFY(live.row(live.rowOfKey("K2")).meno.isNull());
        // The birth date column: a stored day, and a text that is no day.
        test::sql("UPDATE k_zaklad SET datnar = CASE rowid WHEN 1 THEN '2003-05-07' ELSE '2003-02-30' END");
        QVERIFY(live.refresh());
        QCOMPARE(live.data(live.index(live.rowOfKey("K1"), 2)).toString(), QString("7.5.2003"));
        QCOMPARE(live.data(live.index(live.rowOfKey("K2"), 2)).toString(), QString());
    }

    // A large list is read in parts side by side: every row comes once, in
    // the order of the whole, whatever the gaps between the rowids; a change
    // not yet committed is in it too.
    void largeListReadInParts()
    {
        test::OpenRegister dir;
        test::sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60000) "
                  "INSERT INTO k_zaklad (rowid, idkod, meno, priezv, katcis) SELECT "
                  "CASE WHEN i > 59990 THEN i * 3 ELSE i END, 'K' || i, "
                  "substr('AnnaEva Ján ', 1 + (i % 3) * 4, 4), "
                  "CASE i % 5 WHEN 0 THEN 'Chovan' WHEN 1 THEN 'Hudák' WHEN 2 THEN 'Čierny' WHEN 3 THEN 'cibuľa' "
                  "ELSE 'Cyprich' END, i % 97 FROM n");
        for (const auto order : {PersonListModel::Order::ByName, PersonListModel::Order::ByCatalogue}) {
            PersonListModel list(PersonListModel::Kind::Clients);
            list.setOrder(order);
            QVERIFY(list.reload());
            QCOMPARE(list.rowCount(), 60000);
            const QStringList all = keys(list);
            QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), 60000);
            QCollator sk(QLocale(QLocale::Slovak, QLocale::Slovakia));
            sk.setCaseSensitivity(Qt::CaseInsensitive);
            for (int r = 1; r < list.rowCount(); ++r) {
                const PersonListModel::Row &a = list.row(r - 1), &b = list.row(r);
                int c = order == PersonListModel::Order::ByCatalogue ? int(a.catalogue > b.catalogue) - int(a.catalogue < b.catalogue)
                                                                     : sk.compare(a.priezv, b.priezv);
                if (c == 0 && order == PersonListModel::Order::ByName)
                    c = sk.compare(a.meno, b.meno);
                QVERIFY2(c < 0 || (c == 0 && a.rowid < b.rowid), qPrintable(a.idkod + " " + b.idkod));
            }
        }
        Transaction t;
        test::addClient("NEW", "Eva", "Adamová");
        PersonListModel list(PersonListModel::Kind::Clients);
        QVERIFY(list.reload());
        QCOMPARE(list.rowCount(), 60001);
        QCOMPARE(list.row(0).idkod, QString("NEW"));
    }

    void employeesFollowTheirJobFunction()
    {
        test::OpenRegister dir;
        test::addEmployee("A00", "Ana", "Bová", 2);
        test::addEmployee("B00", "Bea", "Aová", 99);
        PersonListModel live(PersonListModel::Kind::Employees);
        QVERIFY(live.refresh());
        QCOMPARE(keys(live), QStringList({"A00"}));
        test::sql("UPDATE zamestnanci SET prac_zar = 4 WHERE idkod = 'B00'");
        QVERIFY(live.refresh());
        QCOMPARE(keys(live), QStringList({"B00", "A00"}));
        QCOMPARE(live.row(0).funkcia, QString("Psychológ"));
    }
};

QTEST_GUILESS_MAIN(PersonListModelTest)
#include "PersonListModelTest.moc"
