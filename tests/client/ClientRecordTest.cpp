#include "client/ClientRecord.h"
#include "client/SubRecordListModel.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace ulk;

namespace {

ClientRow typed(const QString &meno, const QString &priezv, const QString &katcis)
{
    ClientRow r;
    for (const QString &c : ClientRecord::writtenColumns())
        r.values.insert(c, QVariant());
    r.values["meno"] = meno;
    r.values["priezv"] = priezv;
    r.values["katcis"] = katcis;
    r.memo["u_dieta"] = QStringLiteral("raný vek");
    return r;
}

int count(const QString &table, const QString &key)
{
    return test::scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE idkod = ?").arg(table), {key}).toInt();
}

// One row of every sub-record table for a client.
void addSubRecords(const QString &key)
{
    test::sql("INSERT INTO k_navstevy (idkod, datum, dat_budn) VALUES (?, '2024-01-05', '2024-02-05')", {key});
    test::sql("INSERT INTO k_surodenci (idkod, meno) VALUES (?, 'Peter')", {key});
    test::sql("INSERT INTO k_vysetrenie (idkod, datum) VALUES (?, '2024-03-01')", {key});
    test::sql("INSERT INTO k_zariad (idkod, nazzar, vzar_od, vzar_do, akronym) VALUES "
              "(?, '01', '2023-09-01', '2024-06-30', 'VYCH')",
              {key});
    test::sql("INSERT INTO k_zaznam_spc (idkod, datum) VALUES (?, '2024-04-01')", {key});
    test::sql("INSERT INTO k_zaznam_zmeny (idkod, datum) VALUES (?, '2024-05-01')", {key});
}

} // namespace

class ClientRecordTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void newClientsGetTheNextCounter()
    {
        test::OpenRegister dir;
        const QStringList expected = {"KOVÁČOMÁ00", "KOVÁČOMÁ01", "KOVÁČOMÁ02"};
        for (int i = 0; i < 3; ++i) {
            const auto r = ClientRecord::save({}, typed("Mária", "Kováčová", QString::number(10 + i)),
                                              ClientRecord::KeyRule::NewClient);
            QVERIFY2(r.ok, qPrintable(r.error));
            QCOMPARE(r.key, expected[i]);
            QVERIFY(!r.keyChanged);
            QCOMPARE(count("k_zaklad", r.key), 1);
            QCOMPARE(test::scalar("SELECT u_dieta FROM k_memo WHERE idkod = ?", {r.key}).toString(),
                     QString("raný vek"));
        }
        const auto ro = ClientRecord::save({}, typed("Ján", "Ro", "20"), ClientRecord::KeyRule::NewClient);
        QCOMPARE(ro.key, QString("ROJÁ00"));
        const auto oneil = ClientRecord::save({}, typed("John", "O'Neil", "21"), ClientRecord::KeyRule::NewClient);
        QVERIFY2(oneil.ok, qPrintable(oneil.error));
        QCOMPARE(oneil.key, QString("O'NEILJO00"));
        QCOMPARE(test::scalar("SELECT priezv FROM k_zaklad WHERE idkod = ?", {oneil.key}).toString(), QString("O'Neil"));
    }

    void aKeyLeftInTheMemoTableIsNotReused()
    {
        test::OpenRegister dir;
        test::sql("INSERT INTO k_memo (idkod, poznamky) VALUES ('KOVÁČOMÁ00', 'bez klienta')");
        const auto r = ClientRecord::save({}, typed("Mária", "Kováčová", "1"), ClientRecord::KeyRule::NewClient);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.key, QString("KOVÁČOMÁ01"));
        QCOMPARE(test::scalar("SELECT poznamky FROM k_memo WHERE idkod = 'KOVÁČOMÁ00'").toString(), QString("bez klienta"));
    }

    void loadGivesBackWhatWasSaved()
    {
        test::OpenRegister dir;
        ClientRow row = typed("Mária", "Kováčová", "7");
        row.values["datnar"] = "2005-03-12";
        row.values["matvek"] = 30;
        row.values["matvla"] = 1;
        row.values["postih"] = "235";
        row.memo["poznamky"] = "riadok 1\nriadok 2";
        const auto r = ClientRecord::save({}, row, ClientRecord::KeyRule::NewClient);
        QVERIFY(r.ok);
        ClientRow back;
        QCOMPARE(ClientRecord::load(r.key, &back), ClientRecord::LoadStatus::Found);
        QCOMPARE(back.key, r.key);
        QCOMPARE(back.meno(), QString("Mária"));
        QCOMPARE(back.values["datnar"].toString(), QString("2005-03-12"));
        QCOMPARE(back.values["matvek"].toInt(), 30);
        QCOMPARE(back.values["postih"].toString(), QString("235"));
        QVERIFY(back.values["datevi"].isNull());
        QVERIFY(back.values["ulica"].isNull());
        QCOMPARE(back.memo["poznamky"].toString(), QString("riadok 1\nriadok 2"));
        QCOMPARE(back.memo["u_zhrn"].toString(), QString());
        QCOMPARE(ClientRecord::load("NIKTO00", &back), ClientRecord::LoadStatus::NotFound);
    }

    void editKeepsOrChangesTheKey_data()
    {
        QTest::addColumn<QString>("meno");
        QTest::addColumn<QString>("priezv");
        QTest::addColumn<QString>("key");
        QTest::newRow("unchanged") << "Mária" << "Kováčová" << "KOVÁČOMÁ00";
        QTest::newRow("after the sixth letter") << "Mária" << "Kováčovičová" << "KOVÁČOMÁ00";
        QTest::newRow("letter case") << "MÁria" << "kováčová" << "KOVÁČOMÁ00";
        QTest::newRow("new stem") << "Mária" << "Horváthová" << "HORVÁTMÁ00";
        QTest::newRow("taken stem") << "Eva" << "Malá" << "MALÁEV01";
    }
    void editKeepsOrChangesTheKey()
    {
        QFETCH(QString, meno);
        QFETCH(QString, priezv);
        QFETCH(QString, key);
        test::OpenRegister dir;
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        test::addClient("MALÁEV00", "Eva", "Malá", "2");
        ClientRow stored;
        QCOMPARE(ClientRecord::load("KOVÁČOMÁ00", &stored), ClientRecord::LoadStatus::Found);
        ClientRow edited = stored;
        edited.values["meno"] = meno;
        edited.values["priezv"] = priezv;
        const auto r = ClientRecord::save(stored, edited, ClientRecord::KeyRule::Edit);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.key, key);
        QCOMPARE(r.keyChanged, key != "KOVÁČOMÁ00");
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 2);
        QCOMPARE(test::scalar("SELECT priezv FROM k_zaklad WHERE idkod = ?", {key}).toString(), priezv);
        QCOMPARE(count("k_memo", key), 1);
    }

    void renameCarriesTheKeyIntoEveryTable()
    {
        test::OpenRegister dir;
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        test::addClient("NOVÁKJÁ00", "Ján", "Novák", "2");
        for (const QString &key : {QString("KOVÁČOMÁ00"), QString("NOVÁKJÁ00")}) {
            addSubRecords(key);
            test::addRowsEverywhere(key);
        }
        test::sql("UPDATE k_memo SET poznamky = 'pôvodná' WHERE idkod = 'KOVÁČOMÁ00'");
        ClientRow stored;
        QCOMPARE(ClientRecord::load("KOVÁČOMÁ00", &stored), ClientRecord::LoadStatus::Found);
        QCOMPARE(stored.memo["poznamky"].toString(), QString("pôvodná"));
        ClientRow edited = stored;
        edited.values["priezv"] = "O'Neilová";
        const auto r = ClientRecord::save(stored, edited, ClientRecord::KeyRule::Edit);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.key, QString("O'NEILMÁ00"));
        QVERIFY(r.keyChanged);
        QCOMPARE(test::scalar("SELECT poznamky FROM k_memo WHERE idkod = ?", {r.key}).toString(), QString("pôvodná"));
        // No table of the register keeps the old key; the client's rows stand
        // where the other client's do, every table with a client key.
        QCOMPARE(test::placesHolding("KOVÁČOMÁ00"), QStringList());
        QCOMPARE(test::placesHolding("NOVÁKJÁ00").size(), test::tablesWithColumn("idkod").size() - 1);
        QCOMPARE(test::placesHolding(r.key), test::placesHolding("NOVÁKJÁ00"));
        for (const QString &t : test::tablesWithColumn("idkod").filter("k_"))
            QCOMPARE(count(t, r.key), count(t, "NOVÁKJÁ00"));
    }

    void renameAfterTheFirstSaveOfANewClient()
    {
        test::OpenRegister dir;
        ClientRow row = typed("Mária", "Kováčová", "1");
        const auto first = ClientRecord::save({}, row, ClientRecord::KeyRule::NewClient);
        QVERIFY(first.ok);
        // Rows stored on the sub-record tabs meanwhile.
        addSubRecords(first.key);
        ClientRow stored = row;
        stored.key = first.key;
        // Saved again without a change: the key stays.
        const auto same = ClientRecord::save(stored, row, ClientRecord::KeyRule::NewClient);
        QCOMPARE(same.key, first.key);
        QVERIFY(!same.keyChanged);
        row.values["meno"] = "Zuzana";
        const auto second = ClientRecord::save(stored, row, ClientRecord::KeyRule::NewClient);
        QVERIFY2(second.ok, qPrintable(second.error));
        QCOMPARE(second.key, QString("KOVÁČOZU00"));
        QVERIFY(second.keyChanged);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 1);
        QCOMPARE(count("k_memo", second.key), 1);
        QCOMPARE(test::placesHolding(first.key), QStringList());
        for (const QString &t : test::tablesWithColumn("idkod").filter("k_"))
            QCOMPARE(count(t, second.key), 1);
    }

    void aClientWithoutMemoGetsOne()
    {
        test::OpenRegister dir;
        test::sql("INSERT INTO k_zaklad (idkod, meno, priezv, katcis) VALUES ('BEZMEMJA00', 'Ján', 'Bezmemo', '5')");
        ClientRow stored;
        QCOMPARE(ClientRecord::load("BEZMEMJA00", &stored), ClientRecord::LoadStatus::Found);
        QCOMPARE(stored.memo.size(), 6);
        ClientRow edited = stored;
        edited.memo["u_ziak"] = "žiak";
        QVERIFY(ClientRecord::save(stored, edited, ClientRecord::KeyRule::Edit).ok);
        QCOMPARE(test::scalar("SELECT u_ziak FROM k_memo WHERE idkod = 'BEZMEMJA00'").toString(), QString("žiak"));
    }

    void aFailedSaveWritesNothing()
    {
        test::OpenRegister dir;
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        addSubRecords("KOVÁČOMÁ00");
        // The last table of the cascade refuses the change.
        test::sql("CREATE TRIGGER refuse BEFORE UPDATE ON k_zaznam_zmeny BEGIN SELECT RAISE(ABORT, 'refused'); END");
        ClientRow stored;
        QCOMPARE(ClientRecord::load("KOVÁČOMÁ00", &stored), ClientRecord::LoadStatus::Found);
        ClientRow edited = stored;
        edited.values["priezv"] = "Horváthová";
        const auto r = ClientRecord::save(stored, edited, ClientRecord::KeyRule::Edit);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, QString("databáza zápis odmietla (kód 1811)"));
        QCOMPARE(test::scalar("SELECT priezv FROM k_zaklad WHERE idkod = 'KOVÁČOMÁ00'").toString(), QString("Kováčová"));
        QCOMPARE(count("k_memo", "KOVÁČOMÁ00"), 1);
        for (const QString &t : test::tablesWithColumn("idkod").filter("k_"))
            QCOMPARE(count(t, "KOVÁČOMÁ00"), 1);
        QCOMPARE(count("k_zaklad", "HORVÁTMÁ00"), 0);
    }

    // A disk that fills at the commit (the new pages are written then): the
    // save is told as the disk's failure, and nothing of it stays.
    void aCommitThatFailsOnTheDiskIsToldAsSuch()
    {
        const test::ProgramDir made;
        QTemporaryDir tiny;
        const qint64 room = QFileInfo(made.dbPath()).size() + 96 * 1024;
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", QString("size=%1").arg(room), "tmpfs", tiny.path()}) != 0)
            QSKIP("no file system can be mounted here");
        const auto unmount = qScopeGuard([&] {
            Database::close();
            QProcess::execute("umount", {tiny.path()});
        });
        QVERIFY(QFile::copy(made.dbPath(), tiny.filePath("ulk.mdb")));
        QCOMPARE(Database::open(tiny.path()), Database::OpenResult::Ok);
        ClientRow big = typed("Mária", "Kováčová", "1");
        big.memo["poznamky"] = QString(300 * 1024, QLatin1Char('x'));
        const auto r = ClientRecord::save(ClientRow(), big, ClientRecord::KeyRule::NewClient);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, QString("na disku nie je miesto"));
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 0);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_memo").toInt(), 0);
    }

    void anEditOfAVanishedClientFails()
    {
        test::OpenRegister dir;
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        ClientRow stored;
        QCOMPARE(ClientRecord::load("KOVÁČOMÁ00", &stored), ClientRecord::LoadStatus::Found);
        test::sql("DELETE FROM k_zaklad");
        const auto r = ClientRecord::save(stored, stored, ClientRecord::KeyRule::Edit);
        QVERIFY(!r.ok);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 0);
    }

    void subRecordListsShowTheirLines()
    {
        test::OpenRegister dir;
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        addSubRecords("KOVÁČOMÁ00");
        test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES ('KOVÁČOMÁ00', '2023-12-24')");
        test::sql("INSERT INTO k_surodenci (idkod, meno) VALUES ('KOVÁČOMÁ00', 'Anna')");
        test::sql("INSERT INTO k_zariad (idkod, vzar_od, akronym) VALUES ('KOVÁČOMÁ00', '2022-09-01', 'VYCH')");
        test::sql("INSERT INTO k_zariad (idkod, vzar_od, akronym) VALUES ('KOVÁČOMÁ00', '2021-09-01', 'ULK')");
        using K = SubRecordListModel::Kind;
        auto lines = [](K kind, const QString &key) {
            SubRecordListModel m(kind);
            m.reload(key);
            QStringList l;
            for (int i = 0; i < m.rowCount(); ++i)
                l << m.lineAt(i);
            return l;
        };
        QCOMPARE(lines(K::Visits, "KOVÁČOMÁ00"), QStringList({"24.12.2023", "05.01.2024"}));
        QCOMPARE(lines(K::Siblings, "KOVÁČOMÁ00"), QStringList({"Anna", "Peter"}));
        QCOMPARE(lines(K::Facilities, "KOVÁČOMÁ00"), QStringList({"01.09.2022 - ", "01.09.2023 - 30.06.2024"}));
        QCOMPARE(lines(K::ChangeRecords, "KOVÁČOMÁ00"), QStringList({"01.05.2024"}));
        QCOMPARE(lines(K::Examinations, ""), QStringList());
    }
};

QTEST_GUILESS_MAIN(ClientRecordTest)
#include "ClientRecordTest.moc"
