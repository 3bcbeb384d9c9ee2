#include "data/ClientListQuery.h"
#include "data/DataEnvironment.h"
#include "data/Database.h"
#include "data/Parts.h"
#include "data/SavedQueries.h"
#include "support/ProgramDir.h"

#include <QTest>

using namespace ulk;

class DataEnvironmentTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        DataEnvironment::denUlk().unload();
        Database::close();
    }

    void fifteenCommandsInStoredOrder()
    {
        const QList<std::pair<QString, QString>> expected = {
            {"cmdVek", "z_vek"},
            {"cmdVzd", "z_vzdelavanie"},
            {"cmdSurodenci", "vyp_surodenci"},
            {"cmdNavstevy", "vyp_navstevy"},
            {"cmdVysetrenie", "vyp_vysetrenie"},
            {"cmdZazZmeny", "vyp_zazZmeny"},
            {"cmdDemo", "vyp_memo"},
            {"cmdUdajVV", "vyp_zariad"},
            {"cmdZazSpc", "vyp_zazSpc"},
            {"cmdZaklad", "vyp_zaklad"},
            {"cmdRodicia", "vyp_rodicia"},
            {"cmdZam", "z_zam"},
            {"cmdDopUkaz", "dop_ukaz"},
            {"CmdOdbStar", "odbstar"},
            {"cmdZozKlient", "vyp_zoz_klient"},
        };
        const QList<DataCommand> &got = DataEnvironment::commands();
        QCOMPARE(got.size(), expected.size());
        for (int i = 0; i < got.size(); ++i) {
            QCOMPARE(got[i].name, expected[i].first);
            QCOMPARE(got[i].source, expected[i].second);
        }
        QCOMPARE(DataEnvironment::command("cmdodbstar")->source, QString("odbstar"));
        QVERIFY(!DataEnvironment::command("cmdNic"));
    }

    void everyCommandReadsItsSource()
    {
        test::OpenRegister dir;
        QCOMPARE(ClientListQuery::ensure(Database::connection()), ClientListQuery::Result::Created);
        DataEnvironment &den = DataEnvironment::denUlk();
        den.load();
        den.setDatabaseFile(dir.dbPath());
        for (const DataCommand &c : DataEnvironment::commands()) {
            QString error;
            const std::optional<RowSet> rows = den.read(c.name, &error);
            QVERIFY2(rows, qPrintable(c.name + ": " + error));
        }
        QCOMPARE(den.read("cmdZozKlient")->columns(),
                 QStringList({"meno", "priezv", "rodcis", "katcis", "datnar", "ulica", "obec", "psc"}));
        QVERIFY(den.read("cmdZaklad")->hasColumn("c_zdrpoi.nazov"));
        QVERIFY(den.read("cmdRodicia")->hasColumn("retaz9O"));
    }

    // A large source is made into values in batches side by side: the rows
    // come whole, in the source's order, nulls as nulls.
    void manyRowsComeInTheirOrder()
    {
        test::OpenRegister dir;
        test::sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000) "
                  "INSERT INTO z_vek (stlpec, c_riad) SELECT 'riadok ' || i, CASE WHEN i % 7 THEN i END FROM n");
        DataEnvironment &den = DataEnvironment::denUlk();
        den.load();
        den.setDatabaseFile(dir.dbPath());
        QString error;
        const std::optional<RowSet> rows = den.read("cmdVek", &error);
        QVERIFY2(rows, qPrintable(error));
        QCOMPARE(rows->size(), 50000);
        for (int r = 0; r < rows->size(); ++r) {
            const int i = r + 1;
            if (rows->value(r, "stlpec").toString() != QStringLiteral("riadok %1").arg(i))
                QFAIL(qPrintable(QStringLiteral("row %1: %2").arg(r).arg(rows->value(r, "stlpec").toString())));
            const QVariant code = rows->value(r, "c_riad");
            QCOMPARE(code.isNull(), i % 7 == 0);
            if (!code.isNull())
                QCOMPARE(code.toString(), QString::number(i));
        }
    }

    // The client list of a register whose rows lie far apart is read in
    // parts side by side (one of them empty); it comes in the same Slovak
    // order as when it is read at once (while the program's connection
    // holds a transaction): a row without a first name first, "ch" after
    // "h", names equal but for letter case by their bytes, and equal names
    // in different parts in the order of the table. The saved query not
    // created yet reads as the program creates it.
    void clientListInPartsKeepsItsOrder()
    {
        test::ProgramDir dir;
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        const QList<std::tuple<int, QString, QString>> clients = {
            {1, "Oto", "hudák"},       {30000, "Oto", "Hudák"},    {60000, "Peter", "Chrapko"},
            {95000, "Ján", "Cibuľa"},  {120000, QString(), "Zeman"}, {150000, "Eva", "Čierny"},
            {180000, "Oto", "Hudák"},  {200000, "Adam", "Horváth"}, {210000, "Ábel", "Horváth"},
            {240000, "Ali", "Žiak"},
        };
        for (const auto &[rowid, meno, priezv] : clients)
            test::sql("INSERT INTO k_zaklad (rowid, idkod, meno, priezv, katcis) VALUES (?, ?, ?, ?, ?)",
                      {rowid, QStringLiteral("K%1").arg(rowid), meno, priezv, QString::number(rowid)});
        const QStringList expected = {"120000", "95000", "150000", "210000", "200000",
                                      "30000",  "180000", "1",     "60000",  "240000"};
        const auto catalogueNumbers = [](const RowSet &rows) {
            QStringList out;
            for (int r = 0; r < rows.size(); ++r)
                out << rows.value(r, "katcis").toString();
            return out;
        };
        if (Parts::ofRegister() > 1) {
            QString why;
            const std::optional<RowSet> inParts = ClientListQuery::readInParts(&why);
            QVERIFY2(inParts, qPrintable(why));
            QCOMPARE(catalogueNumbers(*inParts), expected);
        }
        DataEnvironment &den = DataEnvironment::denUlk();
        den.load();
        den.setDatabaseFile(dir.dbPath());
        QString error;
        QVERIFY2(den.read("cmdZozKlient", &error), qPrintable(error));
        QCOMPARE(catalogueNumbers(*den.read("cmdZozKlient")), expected);
        QCOMPARE(den.read("cmdZozKlient")->value(0, "meno"), QVariant());

        den.unload();
        test::sql("BEGIN");
        QCOMPARE(Parts::ofRegister(), 1);
        den.load();
        den.setDatabaseFile(dir.dbPath());
        QCOMPARE(catalogueNumbers(*den.read("cmdZozKlient")), expected);
        test::sql("ROLLBACK");
    }

    void rowsAreReadAfreshAfterReload()
    {
        test::OpenRegister dir;
        DataEnvironment &den = DataEnvironment::denUlk();
        den.load();
        QVERIFY(den.isLoaded());
        QVERIFY(!den.isConnected());
        den.setDatabaseFile(dir.dbPath());
        QCOMPARE(den.read("cmdDopUkaz")->size(), 0);
        QVERIFY(den.isConnected());
        QVERIFY(QSqlDatabase::contains(DataEnvironment::connectionName()));

        test::sql("INSERT INTO dop_ukaz (r_0401, r_0402) VALUES ('3', '1')");
        // One report reads its command once: what it read stays for that show.
        QCOMPARE(den.read("cmdDopUkaz")->size(), 0);

        den.unload();
        QVERIFY(!den.isLoaded());
        QVERIFY(!QSqlDatabase::contains(DataEnvironment::connectionName()));
        den.load();
        den.setDatabaseFile(dir.dbPath());
        const std::optional<RowSet> rows = den.read("cmdDopUkaz");
        QCOMPARE(rows->size(), 1);
        QCOMPARE(rows->value(0, "R_0401").toString(), QString("3"));

        // A rewritten saved query is read with its new SQL by the next report.
        den.unload();
        QVERIFY(SavedQueries::rewrite("vyp_memo", "SELECT 'nový text' AS u_ziak"));
        den.load();
        den.setDatabaseFile(dir.dbPath());
        QCOMPARE(den.read("cmdDemo")->value(0, "u_ziak").toString(), QString("nový text"));
    }

    void failuresAreReturned_data()
    {
        QTest::addColumn<int>("situation");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("errorStart");
        QTest::newRow("not loaded") << 0 << "cmdZozKlient" << "údajové prostredie nie je zavedené";
        QTest::newRow("unknown command") << 1 << "cmdNic" << "neznámy príkaz cmdNic";
        QTest::newRow("no file") << 2 << "cmdDopUkaz" << "súbor ";
        QTest::newRow("broken view") << 3 << "cmdZazZmeny" << "vyp_zazZmeny: ";
    }

    void failuresAreReturned()
    {
        QFETCH(int, situation);
        QFETCH(QString, command);
        QFETCH(QString, errorStart);
        test::OpenRegister dir;
        if (situation == 3)
            QVERIFY(SavedQueries::rewrite("vyp_zazZmeny", "SELECT nosuch FROM k_zaznam_zmeny"));
        DataEnvironment &den = DataEnvironment::denUlk();
        if (situation != 0)
            den.load();
        den.setDatabaseFile(situation == 2 ? dir.file("nie.mdb") : dir.dbPath());
        QString error;
        QVERIFY(!den.read(command, &error));
        QVERIFY2(error.startsWith(errorStart), qPrintable(error));
        den.unload();
        QVERIFY(!QSqlDatabase::contains(DataEnvironment::connectionName()));
    }

    void clientListQueryIsCreatedOnlyOnce()
    {
        test::OpenRegister dir;
        QString error;
        QCOMPARE(ClientListQuery::ensure(Database::connection(), &error), ClientListQuery::Result::Created);
        QCOMPARE(test::scalar("SELECT sql FROM sqlite_master WHERE name = 'vyp_zoz_klient'").toString(),
                 "CREATE VIEW \"vyp_zoz_klient\" AS SELECT k_zaklad.meno,k_zaklad.priezv,k_zaklad.rodcis,"
                 "k_zaklad.katcis,k_zaklad.datnar,k_zaklad.ulica,k_zaklad.obec,k_zaklad.psc FROM k_zaklad  "
                 "ORDER BY k_zaklad.priezv||k_zaklad.meno");
        QCOMPARE(ClientListQuery::ensure(Database::connection(), &error), ClientListQuery::Result::Existed);

        // Another letter case is the same saved query, and it keeps its SQL.
        test::sql("DROP VIEW vyp_zoz_klient");
        test::sql("CREATE VIEW VYP_ZOZ_KLIENT AS SELECT meno FROM k_zaklad");
        QCOMPARE(ClientListQuery::ensure(Database::connection(), &error), ClientListQuery::Result::Existed);
        QCOMPARE(test::scalar("SELECT sql FROM sqlite_master WHERE lower(name) = 'vyp_zoz_klient'").toString(),
                 QString("CREATE VIEW VYP_ZOZ_KLIENT AS SELECT meno FROM k_zaklad"));
    }

    void clientListQueryReportsOtherFailures()
    {
        test::OpenRegister dir;
        test::sql("PRAGMA query_only = 1");
        QString error;
        QCOMPARE(ClientListQuery::ensure(Database::connection(), &error), ClientListQuery::Result::Failed);
        QVERIFY(!error.isEmpty());
        test::sql("PRAGMA query_only = 0");
        Database::close();
        error.clear();
        QCOMPARE(ClientListQuery::ensure(Database::connection(), &error), ClientListQuery::Result::Failed);
        QCOMPARE(error, QString("databáza nie je otvorená"));
    }
};

QTEST_GUILESS_MAIN(DataEnvironmentTest)
#include "DataEnvironmentTest.moc"
