#include "common/RecordKey.h"
#include "data/Database.h"
#include "data/RecordKeyLookup.h"
#include "support/ProgramDir.h"

#include <QTest>

using namespace ulk;

class RecordKeyTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void stem_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("stem");
        QTest::newRow("diacritics upper-cased") << "Šťastná" << "Žofia" << "ŠŤASTNŽO";
        QTest::newRow("lower case typed") << "kováčová" << "mária" << "KOVÁČOMÁ";
        QTest::newRow("short names") << "Ro" << "Ján" << "ROJÁ";
        QTest::newRow("4 and 1 letters") << "Kiss" << "J" << "KISSJ";
        QTest::newRow("blank as sixth character") << "De La Cruz" << "Ana" << "DE LAAN";
        QTest::newRow("blank inside stays") << "Di Mar" << "Ema" << "DI MAREM";
        QTest::newRow("blank counts toward the 2") << "Novák" << " Eva" << "NOVÁKE";
        QTest::newRow("apostrophe") << "O'Neil" << "Jim" << "O'NEILJI";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("emoji left out") << "Kováč😀ová" << "Jana" << "KOVÁČOJA";
        QTest::newRow("emoji sequence left out") << "👩‍👩‍👧Nová" << "👍🏽Eva" << "NOVÁEV";
        QTest::newRow("joiners between letters") << "Ko\u200Dvá\u200Dčie" << "V\u200Dera" << "KOVÁČIVE";
        QTest::newRow("invisible marks") << "\u200BNo\u2060vák\u00AD" << "\uFEFFJa\u200Ena" << "NOVÁKJA";
        QTest::newRow("combining caron") << "Kova\u0301c\u030Cova\u0301" << "S\u030Ca" << "KOVÁČOŠA";
    }
    void stem()
    {
        QFETCH(QString, surname);
        QFETCH(QString, firstName);
        QFETCH(QString, stem);
        QCOMPARE(RecordKey::stem(surname, firstName), stem);
        QVERIFY(RecordKey::stem(surname, firstName).size() <= 8);
    }

    void firstKeyOfANewName()
    {
        QCOMPARE(RecordKey::stem("Šťastná", "Žofia") + RecordKey::counterText(0), QString("ŠŤASTNŽO00"));
        QCOMPARE(RecordKey::stem("Ro", "Ján") + RecordKey::counterText(0), QString("ROJÁ00"));
    }

    void counter_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "00";
        QTest::newRow("1") << 1 << "01";
        QTest::newRow("9") << 9 << "09";
        QTest::newRow("10") << 10 << "10";
        QTest::newRow("99") << 99 << "99";
        QTest::newRow("100") << 100 << "100";
        QTest::newRow("101") << 101 << "101";
    }
    void counter()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(RecordKey::counterText(n), text);
    }

    void stemOfKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stem");
        QTest::newRow("two-digit counter") << "NOVÁKJA00" << "NOVÁKJA";
        QTest::newRow("three-digit counter") << "KOVACJA100" << "KOVACJA";
        QTest::newRow("short stem") << "ROJÁ05" << "ROJÁ";
        QTest::newRow("trailing blanks") << "ROJÁ05  " << "ROJÁ";
        QTest::newRow("no counter") << "ABC" << "ABC";
        QTest::newRow("empty") << "" << "";
    }
    void stemOfKey()
    {
        QFETCH(QString, key);
        QFETCH(QString, stem);
        QCOMPARE(RecordKey::stemOfKey(key), stem);
    }

    void editKeepsKey_data()
    {
        QTest::addColumn<QString>("storedKey");
        QTest::addColumn<QString>("storedFirst");
        QTest::addColumn<QString>("storedSurname");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<bool>("keeps");
        QTest::newRow("unchanged") << "NOVÁKJA00" << "Jana" << "Nováková" << "Jana" << "Nováková" << true;
        QTest::newRow("unchanged but blanks") << "NOVÁKJA00" << "Jana " << "Nováková" << " Jana" << "Nováková " << true;
        QTest::newRow("letters after the sixth") << "NOVÁKOJA03" << "Jana" << "Nováková" << "Jana" << "Novákovová" << true;
        QTest::newRow("letters after the second") << "NOVÁKOJA03" << "Jana" << "Nováková" << "Janka" << "Nováková" << true;
        QTest::newRow("case of a later letter") << "NOVÁKOJA03" << "Jana" << "Nováková" << "JAna" << "Nováková" << true;
        QTest::newRow("counter of three digits") << "KOVACJA100" << "Jana" << "Kovac" << "Janka" << "Kovac" << true;
        QTest::newRow("surname start changed") << "NOVÁKOJA03" << "Jana" << "Nováková" << "Jana" << "Horváthová" << false;
        QTest::newRow("first name start changed") << "NOVÁKOJA03" << "Jana" << "Nováková" << "Eva" << "Nováková" << false;
    }
    void editKeepsKey()
    {
        QFETCH(QString, storedKey);
        QFETCH(QString, storedFirst);
        QFETCH(QString, storedSurname);
        QFETCH(QString, firstName);
        QFETCH(QString, surname);
        QFETCH(bool, keeps);
        QCOMPARE(RecordKey::editKeepsKey(storedKey, storedFirst, storedSurname, firstName, surname), keeps);
    }

    void namesakesGetTheNextCounters()
    {
        test::OpenRegister dir;
        const QString s = RecordKey::stem("Nováková", "Jana");
        QStringList keys;
        for (int i = 0; i < 3; ++i) {
            QString error;
            const QString key = RecordKey::firstFreeKey(Database::connection(), "k_zaklad", s, {}, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            test::addClient(key, "Jana", "Nováková");
            keys << key;
        }
        QCOMPARE(keys, QStringList({"NOVÁKOJA00", "NOVÁKOJA01", "NOVÁKOJA02"}));
    }

    void firstFreeKey_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("ownKey");
        QTest::addColumn<QString>("key");
        QTest::newRow("none") << QStringList() << "KOVACJA" << "" << "KOVACJA00";
        QTest::newRow("a gap is filled") << QStringList{"KOVACJA00", "KOVACJA02"} << "KOVACJA" << "" << "KOVACJA01";
        QTest::newRow("own key counts as free") << QStringList{"KOVACJA00", "KOVACJA01"} << "KOVACJA" << "KOVACJA01" << "KOVACJA01";
        QTest::newRow("longer stem not confused") << QStringList{"KOVACJA00"} << "KOVACJ" << "" << "KOVACJ00";
        QTest::newRow("shorter stem not confused") << QStringList{"KOVACJ00"} << "KOVACJA" << "" << "KOVACJA00";
        QTest::newRow("stored with a trailing blank") << QStringList{"KOVACJA00 "} << "KOVACJA" << "" << "KOVACJA01";
        QTest::newRow("apostrophe") << QStringList{"O'NEILJI00"} << "O'NEILJI" << "" << "O'NEILJI01";
        QTest::newRow("case counts") << QStringList{"kovacja00"} << "KOVACJA" << "" << "KOVACJA00";
        QStringList hundred;
        for (int i = 0; i < 100; ++i)
            hundred << "KOVACJA" + RecordKey::counterText(i);
        QTest::newRow("00 to 99 taken gives 100") << hundred << "KOVACJA" << "" << "KOVACJA100";
        QTest::newRow("100 taken too") << (QStringList(hundred) << "KOVACJA100") << "KOVACJA" << "" << "KOVACJA101";
    }
    void firstFreeKey()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, stem);
        QFETCH(QString, ownKey);
        QFETCH(QString, key);
        test::OpenRegister dir;
        for (const QString &k : existing)
            test::addEmployee(k, "Jana", "Kovac");
        QString error;
        QCOMPARE(RecordKey::firstFreeKey(Database::connection(), "zamestnanci", stem, ownKey, &error), key);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void keyMustBeFreeInEveryTable()
    {
        test::OpenRegister dir;
        test::addClient("KISSJ00", "J", "Kiss");
        test::sql("INSERT INTO k_memo (idkod) VALUES ('KISSJ01')"); // a memo row left without its client
        QString error;
        QCOMPARE(RecordKey::firstFreeKey(Database::connection(), "k_zaklad", "KISSJ", {}, &error), QString("KISSJ01"));
        QCOMPARE(RecordKey::firstFreeKey(Database::connection(), QStringList{"k_zaklad", "k_memo"}, "KISSJ", {}, &error),
                 QString("KISSJ02"));
        QVERIFY(error.isEmpty());
    }

    void unreadableTableIsAnError()
    {
        test::OpenRegister dir;
        QString error;
        QCOMPARE(RecordKey::firstFreeKey(Database::connection(), "no_such_table", "ABC", {}, &error), QString());
        QVERIFY(!error.isEmpty());
    }

    void keyChangeIsCascaded()
    {
        test::OpenRegister dir;
        test::addEmployee("KOVACJA00", "Jana", "Kovac");
        test::addEmployee("HORVAEV00", "Eva", "Horváth");
        test::sql("INSERT INTO k_vysetrenie (idkod, idkod_p) VALUES ('KLIENT00', 'KOVACJA00')");
        test::sql("INSERT INTO k_vysetrenie (idkod, idkod_p) VALUES ('KLIENT00', 'KOVACJA00 ')");
        test::sql("INSERT INTO k_vysetrenie (idkod, idkod_p) VALUES ('KLIENT00', 'HORVAEV00')");
        test::sql("INSERT INTO k_zaznam_spc (idkod, idkod_P) VALUES ('KLIENT00', 'KOVACJA00')");
        const QList<RecordKey::KeyReference> refs = {
            {"zamestnanci", "idkod"}, {"k_vysetrenie", "idkod_p"}, {"k_zaznam_spc", "idkod_P"}};
        {
            Transaction t;
            QString error;
            QVERIFY2(RecordKey::cascadeKeyChange(Database::connection(), refs, "KOVACJA00", "KOVAJA00", &error),
                     qPrintable(error));
            QVERIFY(t.commit());
        }
        QCOMPARE(test::scalar("SELECT count(*) FROM zamestnanci WHERE idkod='KOVAJA00'").toInt(), 1);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_vysetrenie WHERE idkod_p='KOVAJA00'").toInt(), 2);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_vysetrenie WHERE idkod_p='HORVAEV00'").toInt(), 1);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaznam_spc WHERE idkod_P='KOVAJA00'").toInt(), 1);
    }

    void failedCascadeChangesNothing()
    {
        test::OpenRegister dir;
        test::addEmployee("KOVACJA00", "Jana", "Kovac");
        test::sql("INSERT INTO k_vysetrenie (idkod, idkod_p) VALUES ('KLIENT00', 'KOVACJA00')");
        const QList<RecordKey::KeyReference> refs = {{"k_vysetrenie", "idkod_p"}, {"k_vysetrenie", "no_column"}};
        {
            Transaction t;
            QString error;
            QVERIFY(!RecordKey::cascadeKeyChange(Database::connection(), refs, "KOVACJA00", "KOVAJA00", &error));
            QVERIFY(!error.isEmpty());
        } // not committed: rolled back
        QCOMPARE(test::scalar("SELECT idkod_p FROM k_vysetrenie").toString(), QString("KOVACJA00"));
    }

    void cascadeOntoATakenKeyFails()
    {
        test::OpenRegister dir;
        test::addEmployee("KOVACJA00", "Jana", "Kovac");
        test::addEmployee("KOVAJA00", "Jana", "Kova");
        QString error;
        QVERIFY(!RecordKey::cascadeKeyChange(Database::connection(), {{"zamestnanci", "idkod"}}, "KOVACJA00",
                                             "KOVAJA00", &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(test::scalar("SELECT count(*) FROM zamestnanci").toInt(), 2);
    }
};

QTEST_GUILESS_MAIN(RecordKeyTest)
#include "RecordKeyTest.moc"
