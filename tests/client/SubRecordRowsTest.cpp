// The row sets of the sub-record tabs and their rules, without windows:
// what is read for a client in which order, rows written by their id with
// bound values, failures reported with nothing written.
#include "client/subrecords/SubRecordRows.h"
#include "client/subrecords/SubRecordRules.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QTest>
#include <memory>

using namespace ulk;
using K = SubRecordKind;

namespace {

const QString kKey = QStringLiteral("O'NEILMA00");

QStringList linesOf(const SubRecordRows &rows)
{
    QStringList l;
    for (int r = 0; r < rows.size(); ++r)
        l << rows.line(r);
    return l;
}

} // namespace

class SubRecordRowsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<test::OpenRegister>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void theClientsRowsInTheListsOrder()
    {
        for (const char *name : {"Čaba", "Cyril", "adam", "Hana", "Chrasť"})
            test::sql("INSERT INTO k_surodenci (idkod, meno) VALUES (?, ?)", {kKey, QString::fromUtf8(name)});
        // Another client's row, and the client's key stored with a trailing blank.
        test::sql("INSERT INTO k_surodenci (idkod, meno) VALUES ('NOVÁKJA00', 'Iný')");
        test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, '2024-03-01')", {kKey + "  "});
        test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, '2023-12-24')", {kKey});
        test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, NULL)", {kKey});
        test::sql("INSERT INTO k_zariad (idkod, vzar_od, vzar_do, akronym) VALUES (?, '2022-09-01', NULL, 'VYCH')", {kKey});
        test::sql("INSERT INTO k_zariad (idkod, vzar_od, vzar_do, akronym) VALUES (?, '2020-09-01', '2021-06-30', 'VYCH')", {kKey});
        test::sql("INSERT INTO k_zariad (idkod, vzar_od, akronym) VALUES (?, '2021-01-01', 'ULK')", {kKey});

        SubRecordRows siblings(K::Siblings);
        QVERIFY(siblings.read(kKey, QString()));
        QCOMPARE(linesOf(siblings), QStringList({"adam", "Cyril", "Čaba", "Hana", "Chrasť"}));
        QCOMPARE(siblings.current(), 0);
        QCOMPARE(siblings.state(), SubRecordRows::State::Idle);

        SubRecordRows visits(K::Visits);
        QVERIFY(visits.read(kKey + " ", QString()));
        QCOMPARE(linesOf(visits), QStringList({"", "24.12.2023", "01.03.2024"}));

        SubRecordRows facilities(K::Facilities);
        QVERIFY(facilities.read(kKey, "VYCH"));
        QCOMPARE(linesOf(facilities), QStringList({"01.09.2020 - 30.06.2021", "01.09.2022 - "}));
        QVERIFY(facilities.read(kKey, "ULK"));
        QCOMPARE(linesOf(facilities), QStringList({"01.01.2021 - "}));
        QVERIFY(facilities.reread());
        QCOMPARE(facilities.facilityKind(), QString("ULK"));

        SubRecordRows none(K::Examinations);
        QVERIFY(none.read(QString(), QString()));
        QVERIFY(none.atEnd());
        QCOMPARE(none.current(), -1);
    }

    void rowsAreWrittenByTheirId()
    {
        SubRecordRows rows(K::Siblings);
        QVERIFY(rows.insert({{"idkod", kKey}, {"meno", "O'Brien"}, {"postih", "3"}, {"roknar", "0"}}));
        QVERIFY(rows.insert({{"idkod", kKey}, {"meno", "Anna"}}));
        QVERIFY(rows.read(kKey, QString()));
        QCOMPARE(linesOf(rows), QStringList({"Anna", "O'Brien"}));
        QCOMPARE(rows.value(1, "postih").toString(), QString("3"));
        // Only the columns given change, only in that row.
        QVERIFY(rows.update(1, {{"meno", "D'Artagnan"}, {"choroby", QVariant()}}));
        QVERIFY(rows.reread());
        QCOMPARE(linesOf(rows), QStringList({"Anna", "D'Artagnan"}));
        QCOMPARE(rows.value(1, "postih").toString(), QString("3"));
        QVERIFY(rows.value(0, "postih").isNull());
        QVERIFY(rows.remove(0));
        QVERIFY(rows.reread());
        QCOMPARE(linesOf(rows), QStringList({"D'Artagnan"}));
        QCOMPARE(test::scalar("SELECT idkod FROM k_surodenci").toString(), kKey);
        // A column that is not the family's never reaches the statement.
        QVERIFY(rows.update(0, {{"idkod", "X"}, {"meno; DROP TABLE k_surodenci", "x"}}));
        QCOMPARE(test::scalar("SELECT idkod FROM k_surodenci").toString(), kKey);
    }

    void failuresSayWhyAndWriteNothing()
    {
        SubRecordRows rows(K::Visits);
        QVERIFY(rows.insert({{"idkod", kKey}, {"datum", "2024-01-05"}}));
        QVERIFY(rows.read(kKey, QString()));
        test::sql("CREATE TRIGGER full BEFORE INSERT ON k_navstevy BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        QString error;
        QVERIFY(!rows.insert({{"idkod", kKey}, {"datum", "2024-02-05"}}, &error));
        QCOMPARE(error, QString("databáza zápis odmietla (kód 1811)"));
        // A row that another hand deleted is not written as if it were there.
        test::sql("DELETE FROM k_navstevy");
        error.clear();
        QVERIFY(!rows.update(0, {{"datum", "2024-03-05"}}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!rows.update(5, {{"datum", "2024-03-05"}}, &error));
        QVERIFY(!rows.remove(-1, &error));
        QCOMPARE(test::scalar("SELECT count(*) FROM k_navstevy").toInt(), 0);
        test::sql("DROP TABLE k_navstevy");
        QVERIFY(!rows.reread(&error));
        QVERIFY(rows.isEmpty());
    }

    void searchesLeaveTheCurrentRow()
    {
        test::sql("INSERT INTO k_vysetrenie (idkod, datum) VALUES (?, '2024-01-10')", {kKey});
        test::sql("INSERT INTO k_vysetrenie (idkod, datum) VALUES (?, '2024-02-10')", {kKey});
        test::sql("INSERT INTO k_vysetrenie (idkod, datum) VALUES (?, '2024-02-10')", {kKey});
        SubRecordRows rows(K::Examinations);
        QVERIFY(rows.read(kKey, QString()));
        rows.setCurrent(2);
        QCOMPARE(rows.findDate("datum", QDate(2024, 2, 10)), 1);
        QCOMPARE(rows.findDate("datum", QDate(2024, 3, 10)), -1);
        QCOMPARE(rows.findDate("datum", QDate()), -1);
        QCOMPARE(rows.current(), 2);
        rows.setCurrent(3);
        QVERIFY(rows.atEnd());

        test::sql("INSERT INTO k_surodenci (idkod, meno) VALUES (?, 'Ľubo')", {kKey});
        SubRecordRows siblings(K::Siblings);
        QVERIFY(siblings.read(kKey, QString()));
        QCOMPARE(siblings.findText("meno", "ľUBO"), 0);
        QCOMPARE(siblings.findText("meno", "Ľubo "), -1);
    }

    void valuesBetweenBoxesAndColumns()
    {
        using V = SubRecordValue;
        bool ok = false;
        QCOMPARE(SubRecordRules::storedValue(V::Date, "5.1.2024", &ok), QVariant("2024-01-05"));
        QVERIFY(ok);
        QCOMPARE(SubRecordRules::storedValue(V::Date, "5.1.24", &ok), QVariant("2024-01-05"));
        QCOMPARE(SubRecordRules::storedValue(V::Date, "", &ok), QVariant());
        QVERIFY(ok);
        QCOMPARE(SubRecordRules::storedValue(V::Date, "31.2.2024", &ok), QVariant());
        QVERIFY(!ok);
        QCOMPARE(SubRecordRules::storedValue(V::Text, "", &ok), QVariant());
        QCOMPARE(SubRecordRules::storedValue(V::Text, " a ", &ok), QVariant(" a "));
        QCOMPARE(SubRecordRules::shownText(V::Date, "2024-01-05"), QString("5.1.2024"));
        QCOMPARE(SubRecordRules::shownText(V::Date, QVariant()), QString());
        QCOMPARE(SubRecordRules::paddedEmployeeKey("AB00"), QString("AB00      "));
        QCOMPARE(SubRecordRules::paddedEmployeeKey("ABCDEFGH0123"), QString("ABCDEFGH01"));
        QCOMPARE(SubRecordRules::hour("0830"), QString("08"));
        QCOMPARE(SubRecordRules::hour("8"), QString("8"));
    }

    void deleteQuestions()
    {
        test::sql("INSERT INTO k_zariad (idkod, nazzar, vzar_od, akronym) VALUES (?, '01', '2020-09-01', 'VYCH')", {kKey});
        SubRecordRows facilities(K::Facilities);
        QVERIFY(facilities.read(kKey, "VYCH"));
        const SubRecordFamilyDef &zar = SubRecordFamilies::of(K::Facilities);
        QCOMPARE(SubRecordRules::deletePrompt(zar, facilities, 0, " Materská škola ", {}, {}),
                 QString("Naozaj chceš vymazať zariadenie : Materská škola  1.9.2020 -  ?"));
        QCOMPARE(SubRecordRules::deleteTitle(zar, "X : A  B"), QString("Výmaz zariadenia klientaX : A  B"));
        QCOMPARE(SubRecordRules::deleteTitle(SubRecordFamilies::of(K::Siblings), "X : A  B"), QString());
        QCOMPARE(SubRecordRules::deleteTitle(SubRecordFamilies::of(K::Visits), ""), QString("Výmaz zápisu návštevy "));
        QCOMPARE(SubRecordRules::duplicateDateMessage(" 1.2.2024 "), QString("Našiel sa záznam s rovnakým dátumom :1.2.2024"));
        QCOMPARE(SubRecordRules::duplicateSiblingMessage("Eva "), QString("Súrodenec s rovnakým menom :Eva už je zapísaný"));
    }

    void everyFamilyIsDescribed()
    {
        QCOMPARE(SubRecordFamilies::all().size(), 6);
        QCOMPARE(SubRecordFamilies::onTab(11)->letters, "Zsc");
        QVERIFY(!SubRecordFamilies::onTab(3));
        QCOMPARE(SubRecordFamilies::columns(SubRecordFamilies::of(K::ActivityRecords)),
                 QStringList({"datum", "hod_od", "hod_do", "idkod_P", "cinnost"}));
        QCOMPARE(SubRecordFamilies::columns(SubRecordFamilies::of(K::Siblings)),
                 QStringList({"meno", "roknar", "pohlavie", "choroby", "postih"}));
        // Every column a family reads is a column of its table.
        for (const SubRecordFamilyDef &f : SubRecordFamilies::all()) {
            SubRecordRows rows(f.kind);
            QString error;
            QVERIFY2(rows.read(kKey, QString(), &error), qPrintable(error));
        }
    }

private:
    std::unique_ptr<test::OpenRegister> m_dir;
};

QTEST_GUILESS_MAIN(SubRecordRowsTest)
#include "SubRecordRowsTest.moc"
