#include "client/subrecords/DossierPrintPlan.h"
#include "data/Database.h"
#include "data/SavedQueries.h"
#include "support/ProgramDir.h"

#include <QTest>

using namespace ulk;

namespace {

QString viewSql(const QString &name)
{
    return test::scalar("SELECT sql FROM sqlite_master WHERE type = 'view' AND lower(name) = lower(?)", {name})
        .toString();
}

} // namespace

class SavedQueriesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    // The key as a literal: quoted, trailing blanks of the column ignored,
    // an empty key matching nothing.
    void keyCondition_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("matching");
        QTest::newRow("plain") << "NOVAKJA00" << QStringList{"NOVAKJA00", "NOVAKJA00  "};
        QTest::newRow("blanks around the key") << " NOVAKJA00 " << QStringList{"NOVAKJA00", "NOVAKJA00  "};
        QTest::newRow("apostrophe") << "O'NEILJA00" << QStringList{"O'NEILJA00", "O'NEILJA00 "};
        QTest::newRow("empty") << "" << QStringList{};
    }

    void keyCondition()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, matching);
        test::OpenRegister dir;
        for (const QString &k : QStringList{"NOVAKJA00", "NOVAKJA00  ", "NOVAKJA001", "NOVAKJA0", "O'NEILJA00",
                                            "O'NEILJA00 ", "", " ", "NOVAKJA00!"})
            test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, '2007-01-01')", {k});
        QSqlQuery q(Database::connection());
        QVERIFY(q.exec("SELECT idkod FROM k_navstevy WHERE " + SavedQueries::keyCondition("idkod", key)
                       + " ORDER BY idkod"));
        QStringList got;
        while (q.next())
            got << q.value(0).toString();
        QCOMPARE(got, matching);
    }

    // A rewrite that fails leaves the saved query as it was.
    void failedRewriteKeepsTheOldText()
    {
        test::OpenRegister dir;
        const QString old = viewSql("vyp_memo");
        QString error;
        QVERIFY(!SavedQueries::rewrite("vyp_memo", "SELEC nonsense", &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(viewSql("vyp_memo"), old);
        QVERIFY(!SavedQueries::rewrite("vyp_memo", SavedQueries::memo("priezv", "X"), &error));
        QCOMPARE(viewSql("vyp_memo"), old);
        // Without a transaction of its own nothing is dropped.
        QVERIFY(Database::connection().transaction());
        QVERIFY(!SavedQueries::rewrite("vyp_memo", "SELEC nonsense", &error));
        QVERIFY(Database::connection().commit());
        QCOMPARE(viewSql("vyp_memo"), old);
        // A saved query stored under another letter case keeps its name.
        QCOMPARE(SavedQueries::storedName("VYP_ZAZSPC"), QString("vyp_zazSpc"));
        QCOMPARE(SavedQueries::storedName("vyp_nic"), QString());
        const std::optional<DossierTab> care = DossierPrintPlan::tab(11);
        QVERIFY(care);
        QCOMPARE(DossierPrintPlan::writeSavedQuery(*care, "NOVAKJA00"), DossierPrintPlan::Written::Ok);
        QCOMPARE(test::scalar("SELECT name FROM sqlite_master WHERE lower(name) = 'vyp_zazspc'").toString(),
                 QString("vyp_zazSpc"));
        QVERIFY(viewSql("vyp_zazspc").contains("'NOVAKJA00'"));
    }

    // Every tab has its saved query and report; only the recorded changes
    // are read for the key instead of being rewritten.
    void everyTabHasItsPlan()
    {
        test::OpenRegister dir;
        for (int tab = 0; tab < 14; ++tab) {
            const std::optional<DossierTab> t = DossierPrintPlan::tab(tab);
            QVERIFY(t);
            QCOMPARE(t->rewritten, tab != 12);
            QCOMPARE(DossierPrintPlan::sqlFor(*t, "K").isEmpty(), tab == 12);
            QCOMPARE(t->landscape, tab <= 2);
            QCOMPARE(t->memoColumn.isEmpty(), tab < 3 || tab > 8);
            QCOMPARE(DossierPrintPlan::writeSavedQuery(*t, "K"), DossierPrintPlan::Written::Ok);
        }
        QVERIFY(!DossierPrintPlan::tab(-1));
        QVERIFY(!DossierPrintPlan::tab(14));
    }
};

QTEST_GUILESS_MAIN(SavedQueriesTest)
#include "SavedQueriesTest.moc"
