// The write of the sub-record tabs without a window: the picker lists, what
// refuses a save (with nothing written), the values and columns a save
// writes, the employee a row gets, duplicates and the delete question.
#include "client/subrecords/SubRecordCodeLists.h"
#include "client/subrecords/SubRecordRows.h"
#include "client/subrecords/SubRecordWrite.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QTest>
#include <memory>

using namespace ulk;
using K = SubRecordKind;

namespace {

const QString kKey = QStringLiteral("KOVÁČJA00");

SubRecordEntry entry(const QStringList &boxes, const QString &clientKey = kKey)
{
    SubRecordEntry e;
    e.boxes = boxes;
    e.clientKey = clientKey;
    e.facilityKind = QStringLiteral("VYCH");
    e.pickedEmployee = QString(10, QLatin1Char(' '));
    return e;
}

QString row(const QString &sql) { return test::scalar(sql).toString(); }

} // namespace

class SubRecordWriteTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::OpenRegister> m_dir;
    std::unique_ptr<SubRecordCodeLists> m_lists;

private slots:
    void init()
    {
        m_dir = std::make_unique<test::OpenRegister>();
        test::addEmployee("NOVÁJA00", "Jana", "Nová");
        test::addEmployee("CHUDÁAD00", "Ada", "Chudá");
        test::addEmployee("ČIERNEV00", "Eva", "Čierna");
        m_lists = std::make_unique<SubRecordCodeLists>();
        QVERIFY(m_lists->load());
    }
    void cleanup()
    {
        m_lists.reset();
        Database::close();
        m_dir.reset();
    }

    void pickerListsInTheirOrder()
    {
        QCOMPARE(m_lists->employees().lines(),
                 QStringList({"ČIERNEV00|Čierna  Eva", "CHUDÁAD00|Chudá  Ada", "NOVÁJA00 |Nová  Jana"}));
        QCOMPARE(m_lists->employees().name(2), QString("Nová Jana"));
        QCOMPARE(m_lists->facilities().line(0), QString("01  |  Materská škola"));
        QVERIFY(m_lists->chooseFacilityKind("ULK"));
        QCOMPARE(m_lists->facilityKind(), QString("ULK"));
        QCOMPARE(m_lists->facilities().size(), 7);
        QCOMPARE(m_lists->facilities().line(0), QString("30  |  Špeciálnopedagogická poradňa"));
    }

    void refusalsSayWhyAndWriteNothing_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("clientKey");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        QTest::newRow("no date") << QStringList{" ", "NOVÁJA00"} << kKey << "Dátum je povinný údaj !" << 0;
        QTest::newRow("no employee") << QStringList{"5.1.2024", ""} << kKey << "Meno psychológa je povinný údaj !" << 1;
        QTest::newRow("unknown employee") << QStringList{"5.1.2024", "NIKTO00"} << kKey
                                          << "Meno psychológa je povinný údaj !" << 1;
        QTest::newRow("client never stored")
            << QStringList{"5.1.2024", "NOVÁJA00"} << QString()
            << "Záznam nie je možné zapísať, základné údaje klienta ešte nie sú zapísané." << int(SubRecordWrite::noFocus);
        QTest::newRow("no date to store") << QStringList{"32.1.2024", "NOVÁJA00"} << kKey
                                          << "Chybný dátum, zadaj v tvare dd.mm.rrrr!" << 0;
    }
    void refusalsSayWhyAndWriteNothing()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QString, clientKey);
        QFETCH(QString, message);
        QFETCH(int, focus);
        SubRecordRows rows(K::Examinations);
        rows.setState(SubRecordRows::State::Adding);
        const SubRecordWrite::Outcome out = SubRecordWrite::save(rows, entry(boxes, clientKey), m_lists->employees());
        QVERIFY(!out.written);
        QCOMPARE(out.message, message);
        QCOMPARE(out.focusBox, focus);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_vysetrenie").toInt(), 0);
    }

    void aRefusedStatementIsTold()
    {
        test::sql("CREATE TRIGGER full BEFORE INSERT ON k_navstevy BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        SubRecordRows rows(K::Visits);
        rows.setState(SubRecordRows::State::Adding);
        const SubRecordWrite::Outcome out =
            SubRecordWrite::save(rows, entry({"5.1.2024", "5.2.2024"}), m_lists->employees());
        QVERIFY(!out.written);
        QCOMPARE(out.message, QString("Záznam sa nepodarilo zapísať, v databáze zostal bez zmeny.\n"
                                      "databáza zápis odmietla (kód 1811)"));
        QCOMPARE(out.focusBox, int(SubRecordWrite::noFocus));
    }

    void newRowsGetTheirClientEmployeeAndOwnColumns()
    {
        SubRecordRows examinations(K::Examinations);
        examinations.setState(SubRecordRows::State::Adding);
        SubRecordEntry e = entry({"5.1.2024", "novája00 "});
        e.longText = "Priebeh";
        const SubRecordWrite::Outcome out = SubRecordWrite::save(examinations, e, m_lists->employees());
        QVERIFY2(out.written, qPrintable(out.message));
        QVERIFY(out.added);
        QCOMPARE(row("SELECT idkod || '|' || datum || '|' || idkod_p || '|' || popis FROM k_vysetrenie"),
                 QString("KOVÁČJA00|2024-01-05|NOVÁJA00|Priebeh"));
        // The employee found by the box is the current one of the list.
        QCOMPARE(m_lists->employees().current(), 2);

        SubRecordRows facilities(K::Facilities);
        facilities.setState(SubRecordRows::State::Adding);
        SubRecordEntry f = entry({"30", "Hlavná 1", "1.9.2023", ""});
        f.facilityKind = "ULK";
        QVERIFY(SubRecordWrite::save(facilities, f, m_lists->employees()).written);
        QCOMPARE(row("SELECT nazzar || '|' || adresa || '|' || vzar_od || '|' || coalesce(vzar_do, 'nič') || '|' "
                     "|| akronym FROM k_zariad"),
                 QString("30|Hlavná 1|2023-09-01|nič|ULK"));

        SubRecordRows siblings(K::Siblings);
        siblings.setState(SubRecordRows::State::Adding);
        SubRecordEntry s = entry({"Eva", "2015", "Z", "", "3", "1"});
        s.siblingCodes = "31";
        QVERIFY(SubRecordWrite::save(siblings, s, m_lists->employees()).written);
        QCOMPARE(row("SELECT meno || '|' || roknar || '|' || postih || '|' || coalesce(choroby, 'nič') FROM k_surodenci"),
                 QString("Eva|2015|31|nič"));
    }

    void anEditedRowKeepsThePickedEmployee()
    {
        test::sql("INSERT INTO k_zaznam_zmeny (idkod, datum, idkod_P, zmeny) VALUES (?, '2024-01-05', 'NOVÁJA00', 'a')",
                  {kKey});
        test::sql("INSERT INTO k_zaznam_zmeny (idkod, datum, idkod_P, zmeny) VALUES (?, '2024-02-05', 'NOVÁJA00', 'b')",
                  {kKey});
        SubRecordRows rows(K::ChangeRecords);
        QVERIFY(rows.read(kKey, QString()));
        rows.setCurrent(1);
        rows.setState(SubRecordRows::State::Editing);
        SubRecordEntry e = entry({"6.2.2024", "NOVÁJA00"});
        e.pickedEmployee = "CHUDÁAD00 ";
        const SubRecordWrite::Outcome out = SubRecordWrite::save(rows, e, m_lists->employees());
        QVERIFY2(out.written, qPrintable(out.message));
        QVERIFY(!out.added);
        // Recorded changes are read again from their first row.
        QCOMPARE(out.rowAfter, 0);
        QCOMPARE(test::scalar("SELECT group_concat(datum || ':' || idkod_P || ':' || coalesce(zmeny, ''), ',') FROM "
                              "(SELECT * FROM k_zaznam_zmeny ORDER BY datum)")
                     .toString(),
                 QString("2024-01-05:NOVÁJA00:a,2024-02-06:CHUDÁAD00:"));
    }

    void duplicatesAndTheDeleteQuestion()
    {
        test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, '2024-01-05')", {kKey});
        SubRecordRows visits(K::Visits);
        QVERIFY(visits.read(kKey, QString()));
        visits.setState(SubRecordRows::State::Adding);
        QVERIFY(SubRecordWrite::duplicateDate(visits, "5.1.2024"));
        QVERIFY(!SubRecordWrite::duplicateDate(visits, "6.1.2024"));
        QVERIFY(!SubRecordWrite::duplicateDate(visits, "5.13.2024"));
        visits.setState(SubRecordRows::State::Editing);
        QVERIFY(!SubRecordWrite::duplicateDate(visits, "5.1.2024"));

        test::sql("INSERT INTO k_surodenci (idkod, meno) VALUES (?, 'Eva')", {kKey});
        SubRecordRows siblings(K::Siblings);
        QVERIFY(siblings.read(kKey, QString()));
        siblings.setState(SubRecordRows::State::Adding);
        QVERIFY(SubRecordWrite::duplicateSibling(siblings, "eva"));
        QVERIFY(!SubRecordWrite::duplicateSibling(siblings, "Ema"));

        test::sql("INSERT INTO k_zariad (idkod, nazzar, vzar_od, akronym) VALUES (?, '01', '2020-09-01', 'VYCH')", {kKey});
        test::sql("INSERT INTO k_zariad (idkod, nazzar, vzar_od, akronym) VALUES (?, '99', '2021-09-01', 'VYCH')", {kKey});
        SubRecordRows facilities(K::Facilities);
        QVERIFY(facilities.read(kKey, "VYCH"));
        const CodeList &list = m_lists->facilities();
        QCOMPARE(SubRecordWrite::deletePrompt(facilities, 0, list, "Ján", "Kováč"),
                 QString("Naozaj chceš vymazať zariadenie : Materská škola  1.9.2020 -  ?"));
        QCOMPARE(SubRecordWrite::deletePrompt(facilities, 1, list, "Ján", "Kováč"),
                 QString("Naozaj chceš vymazať zariadenie : 99  1.9.2021 -  ?"));
    }
};

QTEST_GUILESS_MAIN(SubRecordWriteTest)
#include "SubRecordWriteTest.moc"
