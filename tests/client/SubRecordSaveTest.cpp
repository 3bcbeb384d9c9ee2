// Saving and deleting sub-records through the client record window: the
// rows written with the client's key and the employee, the row current
// afterwards, duplicate dates, delete questions, and failures of the
// database told with nothing half-written.
#include "SubRecordDriver.h"

using namespace ulk;
using namespace ulk::test;

namespace {

const QString kCaption = QStringLiteral("O'NEILMA00 : Mary  O'Neil");

QString row(const QString &sql, const QVariantList &values = {}) { return scalar(sql, values).toString(); }

} // namespace

class SubRecordSaveTest : public QObject {
    Q_OBJECT
private slots:
    void newRowsCarryTheClientKey()
    {
        Register r;
        addEmployee("NOVÁKJA00", "Ján", "Novák");
        addEmployee("BIELAEV00", "Eva", "Biela");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Visits);
            typeInto(box(w, K::Visits, 0), "5.1.24");
            QCOMPARE(box(w, K::Visits, 0)->text(), QString("5.1.2024"));
            typeInto(box(w, K::Visits, 1), "5.2.2024", Qt::Key_PageDown);
            QCOMPARE(focused(), subButton(w, K::Visits, B::Save));
            QTest::keyClick(focused(), Qt::Key_Return);
            QVERIFY(!subTab(w, K::Visits)->isInEditMode());

            startNew(w, K::Examinations);
            typeText(longText(w, K::Examinations), "Test 'A' zvládol.");
            typeInto(box(w, K::Examinations, 0), "10.1.2024");
            typeInto(box(w, K::Examinations, 1), "bielaev00");
            QCOMPARE(box(w, K::Examinations, 1)->text(), QString("BIELAEV00"));
            clickSub(w, K::Examinations, B::Save);

            startNew(w, K::ActivityRecords);
            typeText(longText(w, K::ActivityRecords), "Cvičenie");
            typeInto(box(w, K::ActivityRecords, 0), "11.1.2024");
            typeInto(box(w, K::ActivityRecords, 1), "0830");
            typeInto(box(w, K::ActivityRecords, 2), "0930");
            typeInto(box(w, K::ActivityRecords, 3), "NOVÁKJA00");
            clickSub(w, K::ActivityRecords, B::Save);

            startNew(w, K::ChangeRecords);
            typeText(longText(w, K::ChangeRecords), "Zmena");
            typeInto(box(w, K::ChangeRecords, 0), "12.1.2024");
            typeInto(box(w, K::ChangeRecords, 1), "BIELAEV00");
            clickSub(w, K::ChangeRecords, B::Save);

            startNew(w, K::Facilities);
            typeInto(box(w, K::Facilities, 0), "04");
            typeInto(box(w, K::Facilities, 1), "u Jána 'Malého' 3");
            typeInto(box(w, K::Facilities, 2), "1.9.2020");
            typeInto(box(w, K::Facilities, 3), "30.6.2021");
            clickSub(w, K::Facilities, B::Save);
            QCOMPARE(lines(w, K::Facilities), QStringList({"01.09.2020 - 30.06.2021"}));
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(row("SELECT idkod || '|' || datum || '|' || dat_budn FROM k_navstevy"),
                 QString("O'NEILMA00|2024-01-05|2024-02-05"));
        QCOMPARE(row("SELECT idkod || '|' || datum || '|' || idkod_p || '|' || popis FROM k_vysetrenie"),
                 QString("O'NEILMA00|2024-01-10|BIELAEV00|Test 'A' zvládol."));
        QCOMPARE(row("SELECT idkod || '|' || datum || '|' || hod_od || '|' || hod_do || '|' || idkod_P || '|' || "
                     "cinnost FROM k_zaznam_spc"),
                 QString("O'NEILMA00|2024-01-11|08|09|NOVÁKJA00|Cvičenie"));
        QCOMPARE(row("SELECT idkod || '|' || datum || '|' || idkod_P || '|' || zmeny FROM k_zaznam_zmeny"),
                 QString("O'NEILMA00|2024-01-12|BIELAEV00|Zmena"));
        QCOMPARE(row("SELECT idkod || '|' || nazzar || '|' || adresa || '|' || vzar_od || '|' || vzar_do || '|' || "
                     "akronym FROM k_zariad"),
                 QString("O'NEILMA00|04|U Jána 'Malého' 3|2020-09-01|2021-06-30|VYCH"));
    }

    // After the save of an edited row: siblings, facilities and
    // examinations stand at the row's place, the others on the first row.
    void theRowCurrentAfterAnEdit_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("after");
        QTest::newRow("visits") << int(K::Visits) << 0;
        QTest::newRow("examinations") << int(K::Examinations) << 3;
        QTest::newRow("care records") << int(K::ActivityRecords) << 0;
        QTest::newRow("changes") << int(K::ChangeRecords) << 0;
        QTest::newRow("facilities") << int(K::Facilities) << 3;
    }
    void theRowCurrentAfterAnEdit()
    {
        QFETCH(int, kind);
        QFETCH(int, after);
        const K k = K(kind);
        Register r;
        addEmployee("NOVÁKJA00", "Ján", "Novák");
        for (int d = 1; d <= 5; ++d) {
            const QString date = QStringLiteral("2024-0%1-10").arg(d);
            switch (k) {
            case K::Visits: addVisit(date, date); break;
            case K::Examinations: addExamination(date); break;
            case K::ActivityRecords:
                sql("INSERT INTO k_zaznam_spc (idkod, datum, idkod_P) VALUES (?, ?, 'NOVÁKJA00')", {kClient, date});
                break;
            case K::ChangeRecords:
                sql("INSERT INTO k_zaznam_zmeny (idkod, datum, idkod_P) VALUES (?, ?, 'NOVÁKJA00')", {kClient, date});
                break;
            default: addFacility("01", date, "", "VYCH"); break;
            }
        }
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, k);
            clickRow(w, k, 3);
            clickSub(w, k, B::Edit);
            const int last = subTab(w, k)->page().boxCount() - 1;
            retype(box(w, k, last), k == K::Facilities ? "1.1.2025" : (last == 1 && k == K::Visits ? "2.2.2025" : "NOVÁKJA00"));
            clickSub(w, k, B::Save);
            QVERIFY(!subTab(w, k)->isInEditMode());
            QCOMPARE(subRows(w, k).current(), after);
            QCOMPARE(highlighted(w, k), after);
            QCOMPARE(focused(), subList(w, k));
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void aRenamedSiblingGivesItsPlaceToTheNextOne()
    {
        Register r;
        for (const char *name : {"Anna", "Boris", "Cyril"})
            addSibling(name);
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Siblings);
            clickRow(w, K::Siblings, 0);
            clickSub(w, K::Siblings, B::Edit);
            retype(box(w, K::Siblings, 0), "Zuzana");
            clickSub(w, K::Siblings, B::Save);
            QCOMPARE(lines(w, K::Siblings), QStringList({"Boris", "Cyril", "Zuzana"}));
            QCOMPARE(subRows(w, K::Siblings).current(), 0);
            QCOMPARE(box(w, K::Siblings, 0)->text(), QString("Boris"));
        }));
        QCOMPARE(rowCount("k_surodenci", "WHERE meno = 'Zuzana' AND idkod = ?", {kClient}), 1);
        QVERIFY(p.unexpected.isEmpty());
    }

    void theEmployeeOfANewAndOfAnEditedExamination()
    {
        Register r;
        addEmployee("NOVÁKJA00", "Ján", "Novák");
        addEmployee("BIELAEV00", "Eva", "Biela");
        addExamination("2024-01-10", "NOVÁKJA00", "prvé");
        addExamination("2024-02-10", "NOVÁKJA00", "druhé");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Examinations);
            CodePicker *picker = codePicker(w, K::Examinations);
            // An edit with a pick stores the picked employee.
            clickSub(w, K::Examinations, B::Edit);
            QVERIFY(clickItem(picker, picker->findText("BIELAEV00", Qt::MatchStartsWith)));
            QCOMPARE(box(w, K::Examinations, 1)->text(), QString("BIELAEV00 "));
            QCOMPARE(w->subRecords().selectedEmployeeId(), QString("BIELAEV00 "));
            clickSub(w, K::Examinations, B::Save);
            QCOMPARE(row("SELECT idkod_p FROM k_vysetrenie WHERE popis = 'prvé'"), QString("BIELAEV00"));
            // A new examination takes the employee last found, not the pick of an earlier edit.
            clickSub(w, K::Examinations, B::New);
            QCOMPARE(w->subRecords().selectedEmployeeId(), QString("BIELAEV00 "));
            typeInto(box(w, K::Examinations, 0), "1.3.2024");
            typeInto(box(w, K::Examinations, 1), "NOVÁKJA00");
            clickSub(w, K::Examinations, B::Save);
            QCOMPARE(row("SELECT idkod_p FROM k_vysetrenie WHERE datum = '2024-03-01'"), QString("NOVÁKJA00"));
            // An edit without a pick keeps what the box holds.
            clickRow(w, K::Examinations, 1);
            clickSub(w, K::Examinations, B::Edit);
            QCOMPARE(w->subRecords().selectedEmployeeId(), QString(10, ' '));
            longText(w, K::Examinations)->moveCursor(QTextCursor::End);
            typeText(longText(w, K::Examinations), " doplnené");
            clickSub(w, K::Examinations, B::Save);
        }));
        QCOMPARE(row("SELECT idkod_p || '|' || popis FROM k_vysetrenie WHERE datum = '2024-02-10'"),
                 QString("NOVÁKJA00|druhé doplnené"));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void duplicateDates()
    {
        Register r;
        addVisit("2024-01-13", "2024-02-13");
        addVisit("2024-03-01", "2024-04-01");
        addVisit("2024-03-01", "2024-05-01"); // two stored rows share a date
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Visits);
            // A new visit dated like a stored one.
            clickSub(w, K::Visits, B::New);
            p.answer(PromptAnswer::Ok);
            typeInto(box(w, K::Visits, 0), "13.1.2024");
            QCOMPARE(p.texts(), QStringList({"Našiel sa záznam s rovnakým dátumom :13.1.2024"}));
            QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
            QCOMPARE(p.prompts[0].buttons, PromptButtons::Ok);
            QCOMPARE(focused(), box(w, K::Visits, 0));
            QCOMPARE(box(w, K::Visits, 0)->text(), QString("13.1.2024"));
            // An empty box passes without a message.
            box(w, K::Visits, 0)->clear();
            QTest::keyClick(box(w, K::Visits, 0), Qt::Key_Return);
            QCOMPARE(focused(), box(w, K::Visits, 1));
            QCOMPARE(p.prompts.size(), 1);
            clickSub(w, K::Visits, B::Cancel);
            // The first of the two rows of 1.3.2024 keeps its date without a message.
            clickRow(w, K::Visits, 1);
            clickSub(w, K::Visits, B::Edit);
            typeInto(box(w, K::Visits, 0), QString());
            QCOMPARE(p.prompts.size(), 1);
            QCOMPARE(focused(), box(w, K::Visits, 1));
            clickSub(w, K::Visits, B::Cancel);
            // The later one is told about the first.
            clickRow(w, K::Visits, 2);
            clickSub(w, K::Visits, B::Edit);
            p.answer(PromptAnswer::Ok);
            typeInto(box(w, K::Visits, 0), QString());
            QCOMPARE(p.prompts.size(), 2);
            QCOMPARE(p.prompts[1].text, QString("Našiel sa záznam s rovnakým dátumom :1.3.2024"));
            QCOMPARE(focused(), box(w, K::Visits, 0));
            clickSub(w, K::Visits, B::Cancel);
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void deleteQuestions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("sibling") << int(K::Siblings)
                                 << "Naozaj chceš vymazať súrodenca : " + QString(50, 'x') + " ?" << QString();
        QTest::newRow("facility") << int(K::Facilities)
                                  << "Naozaj chceš vymazať zariadenie : Materská škola  1.9.2020 -  ?"
                                  << "Výmaz zariadenia klienta" + kCaption;
        QTest::newRow("examination") << int(K::Examinations)
                                     << "Naozaj chceš vymazať záznam o vyšetrení zo dňa: 10.1.2024  O'Neil  Mary ?"
                                     << "Výmaz priebehu a záverov špec.-ped.vyšetrenia" + kCaption;
        QTest::newRow("care record")
            << int(K::ActivityRecords)
            << "Naozaj chceš vymazať záznam o špeciálno-pedagogickej starostlivosti zo dňa: 11.1.2024  O'Neil  Mary ?"
            << "Výmaz záznamu o špec.-ped.činnosti " + kCaption;
        QTest::newRow("change") << int(K::ChangeRecords)
                                << "Naozaj chceš vymazať zaznamenané zmeny zo dňa: 12.1.2024  O'Neil  Mary ?"
                                << "Výmaz záznamu o zmene" + kCaption;
        QTest::newRow("visit") << int(K::Visits) << "Naozaj chceš vymazať zápis zo dňa: 13.1.2024 ?"
                               << "Výmaz zápisu návštevy " + kCaption;
    }
    void deleteQuestions()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, title);
        const K k = K(kind);
        Register r;
        const QString table = QString::fromLatin1(SubRecordFamilies::of(k).table);
        // The row asked about stands second; a first row stands before it.
        switch (k) {
        case K::Siblings:
            addSibling("Anna");
            addSibling(QString(50, 'x') + "yz");
            break;
        case K::Facilities:
            addFacility("02", "2019-09-01", "2020-06-30", "VYCH");
            addFacility("01", "2020-09-01", "", "VYCH");
            break;
        case K::Visits:
            addVisit("2024-01-01");
            addVisit("2024-01-13");
            break;
        default: {
            const QString day = k == K::Examinations ? "2024-01-10" : (k == K::ActivityRecords ? "2024-01-11" : "2024-01-12");
            const QString column = k == K::Examinations ? "idkod_p" : "idkod_P";
            for (const QString &d : {QString("2024-01-01"), day})
                sql(QStringLiteral("INSERT INTO %1 (idkod, datum, %2) VALUES (?, ?, 'NOVÁKJA00')").arg(table, column),
                    {kClient, d});
        }
        }
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::No).answer(PromptAnswer::Yes);
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, k);
            clickRow(w, k, 1);
            clickSub(w, k, B::Delete);
            QCOMPARE(subRows(w, k).size(), 2);
            QCOMPARE(subRows(w, k).current(), 1);
            QCOMPARE(highlighted(w, k), 1);
            clickSub(w, k, B::Delete);
            QCOMPARE(subRows(w, k).size(), 1);
            QCOMPARE(subRows(w, k).current(), 0);
            QCOMPARE(focused(), subList(w, k));
        }));
        QCOMPARE(p.prompts.size(), 2);
        for (const Prompt &asked : p.prompts) {
            QCOMPARE(asked.text, text);
            QCOMPARE(asked.title, title);
            QCOMPARE(asked.icon, PromptIcon::None);
            QCOMPARE(asked.buttons, PromptButtons::YesNo);
        }
        QCOMPARE(rowCount(table), 1);
        QVERIFY(p.unexpected.isEmpty());
    }

    void aFailedWriteKeepsTheEditAndWritesNothing()
    {
        Register r;
        addVisit("2024-01-13", "2024-02-13");
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Ok).answer(PromptAnswer::Ok).answer(PromptAnswer::Yes).answer(PromptAnswer::Ok);
        QVERIFY(r.open([&](ClientWindow *w) {
            // Refusals of the open register (a register with triggers is not opened).
            sql("CREATE TRIGGER full BEFORE INSERT ON k_navstevy BEGIN SELECT RAISE(ABORT, 'disk full'); END");
            sql("CREATE TRIGGER locked BEFORE UPDATE ON k_navstevy BEGIN SELECT RAISE(ABORT, 'locked'); END");
            sql("CREATE TRIGGER kept BEFORE DELETE ON k_navstevy BEGIN SELECT RAISE(ABORT, 'kept'); END");
            startNew(w, K::Visits);
            typeInto(box(w, K::Visits, 0), "5.1.2024");
            typeInto(box(w, K::Visits, 1), "5.2.2024");
            clickSub(w, K::Visits, B::Save);
            QVERIFY(subTab(w, K::Visits)->isInEditMode());
            QCOMPARE(box(w, K::Visits, 0)->text(), QString("5.1.2024"));
            clickSub(w, K::Visits, B::Cancel);
            clickSub(w, K::Visits, B::Edit);
            retype(box(w, K::Visits, 1), "6.2.2024");
            clickSub(w, K::Visits, B::Save);
            QVERIFY(subTab(w, K::Visits)->isInEditMode());
            clickSub(w, K::Visits, B::Cancel);
            QCOMPARE(box(w, K::Visits, 1)->text(), QString("13.2.2024"));
            clickSub(w, K::Visits, B::Delete);
            QCOMPARE(lines(w, K::Visits), QStringList({"13.01.2024"}));
        }));
        QCOMPARE(p.prompts.size(), 4);
        QVERIFY(p.prompts[0].text.startsWith("Záznam sa nepodarilo zapísať, v databáze zostal bez zmeny.\n"));
        QVERIFY(p.prompts[0].text.endsWith("\ndatabáza zápis odmietla (kód 1811)"));
        QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
        QVERIFY(p.prompts[1].text.endsWith("\ndatabáza zápis odmietla (kód 1811)"));
        QVERIFY(p.prompts[3].text.startsWith("Záznam sa nepodarilo vymazať, v databáze zostal bez zmeny.\n"));
        QCOMPARE(row("SELECT group_concat(datum || '/' || dat_budn) FROM k_navstevy"), QString("2024-01-13/2024-02-13"));
        QVERIFY(p.unexpected.isEmpty());
    }

    void aDateThatIsNoDayIsNotStored()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Ok);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Facilities);
            typeInto(box(w, K::Facilities, 0), "01");
            // Put there without its check, as a value pasted in the last moment.
            box(w, K::Facilities, 2)->setText("31.2.2020");
            clickSub(w, K::Facilities, B::Save);
            QVERIFY(subTab(w, K::Facilities)->isInEditMode());
            QCOMPARE(focused(), box(w, K::Facilities, 2));
        }));
        QCOMPARE(p.texts(), QStringList({"Chybný dátum, zadaj v tvare dd.mm.rrrr!"}));
        QCOMPARE(rowCount("k_zariad"), 0);
    }

    // A click on Save that takes the focus from a refused box saves nothing.
    void aRefusedLeaveStopsTheSave()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Retry);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Visits);
            typeInto(box(w, K::Visits, 0), "5.1.2024");
            typeText(box(w, K::Visits, 1), "40.40.2024");
            clickSub(w, K::Visits, B::Save);
            QVERIFY(subTab(w, K::Visits)->isInEditMode());
            QTRY_COMPARE(focused(), box(w, K::Visits, 1));
            retype(box(w, K::Visits, 1), "6.2.2024");
            clickSub(w, K::Visits, B::Save);
            QVERIFY(!subTab(w, K::Visits)->isInEditMode());
        }));
        QCOMPARE(p.texts(), QStringList({"Chybný dátum, zadaj v tvare dd.mm.rrrr!"}));
        QCOMPARE(row("SELECT datum || '/' || dat_budn FROM k_navstevy"), QString("2024-01-05/2024-02-06"));
    }

    void aRefusedLeaveDoesNotOutliveItsEdit()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Retry);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Visits);
            typeText(box(w, K::Visits, 0), "40.40.2024");
            click(box(w, K::Visits, 1));
            QTRY_COMPARE(focused(), box(w, K::Visits, 0));
            QTest::keyClick(focused(), Qt::Key_Escape);
            QVERIFY(!subTab(w, K::Visits)->isInEditMode());
            clickSub(w, K::Visits, B::New);
            typeInto(box(w, K::Visits, 0), "5.1.2024");
            typeInto(box(w, K::Visits, 1), "6.2.2024");
            clickSub(w, K::Visits, B::Save);
            QVERIFY(!subTab(w, K::Visits)->isInEditMode());
        }));
        QCOMPARE(p.texts(), QStringList({"Chybný dátum, zadaj v tvare dd.mm.rrrr!"}));
        QCOMPARE(rowCount("k_navstevy"), 1);
    }
};

QTEST_MAIN(SubRecordSaveTest)
#include "SubRecordSaveTest.moc"
