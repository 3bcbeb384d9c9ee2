// The keyboard protocol and the checks of the boxes of the visits,
// examinations, recorded changes, care records and facilities tabs.
#include "SubRecordDriver.h"

using namespace ulk;
using namespace ulk::test;

class SubRecordEditingTest : public QObject {
    Q_OBJECT
private slots:
    void moveKeys_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("Enter in the last visit box") << int(K::Visits) << 1 << int(Qt::Key_Return) << "textNav1";
        QTest::newRow("Down to the next visit box") << int(K::Visits) << 0 << int(Qt::Key_Down) << "textNav1";
        QTest::newRow("Up in the first visit box") << int(K::Visits) << 0 << int(Qt::Key_Up) << "textNav0";
        QTest::newRow("Up from the examination date") << int(K::Examinations) << 0 << int(Qt::Key_Up) << "rtbPza";
        QTest::newRow("Up from the change date") << int(K::ChangeRecords) << 0 << int(Qt::Key_Up) << "rtbZaz";
        QTest::newRow("Up from the care date") << int(K::ActivityRecords) << 0 << int(Qt::Key_Up) << "rtbZsc";
        QTest::newRow("Up in the care hours") << int(K::ActivityRecords) << 2 << int(Qt::Key_Up) << "textZsc1";
        QTest::newRow("Enter in the last care box") << int(K::ActivityRecords) << 3 << int(Qt::Key_Return)
                                                    << "textZsc3";
        QTest::newRow("Up in the facility code") << int(K::Facilities) << 0 << int(Qt::Key_Up) << "textZar0";
        QTest::newRow("Enter in the facility end") << int(K::Facilities) << 3 << int(Qt::Key_Return) << "textZar3";
        QTest::newRow("PgDn in a visit") << int(K::Visits) << 0 << int(Qt::Key_PageDown) << "cmdNavZap";
        QTest::newRow("PgUp in a change") << int(K::ChangeRecords) << 0 << int(Qt::Key_PageUp) << "cmdZazZap";
        QTest::newRow("PgDn in a facility") << int(K::Facilities) << 2 << int(Qt::Key_PageDown) << "cmdZarZap";
    }
    void moveKeys()
    {
        QFETCH(int, kind);
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        const K k = K(kind);
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, k);
            click(box(w, k, from));
            if (k == K::Visits || k == K::Facilities)
                typeText(box(w, k, from), from == 0 && k == K::Facilities ? "" : "1.2.2024");
            QTest::keyClick(box(w, k, from), Qt::Key(key));
            QCOMPARE(focused()->objectName(), to);
            QVERIFY(subTab(w, k)->isInEditMode());
        }));
        QCOMPARE(rowCount(QString::fromLatin1(SubRecordFamilies::of(k).table)), 0);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void aRefusedDateKeepsTheFocus()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Retry).answer(PromptAnswer::Cancel);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Visits);
            typeInto(box(w, K::Visits, 0), " 1.13.2024 ", Qt::Key_PageDown);
            QCOMPARE(focused(), box(w, K::Visits, 0));
            QCOMPARE(box(w, K::Visits, 0)->selectedText(), QString("1.13.2024"));
            // Cancel empties the box, which then passes: Enter moves on.
            QTest::keyClick(box(w, K::Visits, 0), Qt::Key_Return);
            QVERIFY(box(w, K::Visits, 0)->text().isEmpty());
            QCOMPARE(focused(), box(w, K::Visits, 1));
            QCOMPARE(box(w, K::Visits, 0)->tag(), QString("BK"));
        }));
        QCOMPARE(p.texts(), QStringList({"Chybný dátum, zadaj v tvare dd.mm.rrrr!", "Chybný dátum, zadaj v tvare dd.mm.rrrr!"}));
        QCOMPARE(p.prompts[0].buttons, PromptButtons::RetryCancel);
        QCOMPARE(rowCount("k_navstevy"), 0);
    }

    void theNextVisitMustNotFallOnAnotherVisit()
    {
        Register r;
        addVisit("2024-01-13", "2024-02-13");
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Ok);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Visits);
            typeInto(box(w, K::Visits, 0), "20.1.2024");
            typeInto(box(w, K::Visits, 1), "13.1.2024");
            QCOMPARE(focused(), box(w, K::Visits, 1));
            // The next visit of the stored row is no visit date.
            retype(box(w, K::Visits, 1), "13.2.2024");
            QTest::keyClick(box(w, K::Visits, 1), Qt::Key_Return);
        }));
        QCOMPARE(p.texts(), QStringList({"Našiel sa záznam s rovnakým dátumom :13.1.2024"}));
    }

    void aCareRecordDateIsComparedWithCareRecordsOnly()
    {
        Register r;
        sql("INSERT INTO k_zaznam_spc (idkod, datum, idkod_P) VALUES (?, '2024-01-11', 'X')", {kClient});
        sql("INSERT INTO k_zaznam_spc (idkod, datum, idkod_P) VALUES (?, '2024-01-20', 'X')", {kClient});
        sql("INSERT INTO k_zaznam_zmeny (idkod, datum, idkod_P) VALUES (?, '2024-01-15', 'X')", {kClient});
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Ok);
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::ActivityRecords);
            clickSub(w, K::ActivityRecords, B::Edit);
            retype(box(w, K::ActivityRecords, 0), "15.1.2024");
            QTest::keyClick(box(w, K::ActivityRecords, 0), Qt::Key_Return);
            QCOMPARE(focused(), box(w, K::ActivityRecords, 1));
            retype(box(w, K::ActivityRecords, 0), "20.1.2024");
            QTest::keyClick(box(w, K::ActivityRecords, 0), Qt::Key_Return);
            QCOMPARE(focused(), box(w, K::ActivityRecords, 0));
        }));
        QCOMPARE(p.texts(), QStringList({"Našiel sa záznam s rovnakým dátumom :20.1.2024"}));
    }

    void hoursKeepTwoCharacters()
    {
        Register r;
        addEmployee("NOVÁKJA00", "Ján", "Novák");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::ActivityRecords);
            typeInto(box(w, K::ActivityRecords, 1), "0830");
            QCOMPARE(box(w, K::ActivityRecords, 1)->text(), QString("08"));
            QCOMPARE(focused(), box(w, K::ActivityRecords, 2));
            typeText(box(w, K::ActivityRecords, 2), "1015");
            click(box(w, K::ActivityRecords, 0)); // left with the mouse
            QCOMPARE(box(w, K::ActivityRecords, 2)->text(), QString("10"));
            retype(box(w, K::ActivityRecords, 1), "9");
            QTest::keyClick(box(w, K::ActivityRecords, 1), Qt::Key_Return);
            QCOMPARE(box(w, K::ActivityRecords, 1)->text(), QString("9"));
            // Leaving for the box's own picker is a leave: the hour is cut.
            retype(box(w, K::ActivityRecords, 1), "123");
            focusCombo(codePicker(w, K::ActivityRecords));
            QCOMPARE(box(w, K::ActivityRecords, 1)->text(), QString("12"));
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void employeeKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("small letters") << "novákja00" << "NOVÁKJA00" << "";
        QTest::newRow("two words") << "de la00" << "DE LA00" << "";
        QTest::newRow("unknown") << "xy" << "Xy" << "Zadaný kód :Xy sa nenašiel v číselníku";
    }
    void employeeKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        Register r;
        addEmployee("NOVÁKJA00", "Ján", "Novák");
        addEmployee("DE LA00", "Ana", "De la");
        ScriptedPrompter &p = r.prompter;
        if (!message.isEmpty())
            p.answer(PromptAnswer::Retry);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::ChangeRecords);
            typeInto(box(w, K::ChangeRecords, 1), typed);
            QCOMPARE(box(w, K::ChangeRecords, 1)->text(), shown);
            QCOMPARE(focused(), box(w, K::ChangeRecords, 1));
        }));
        QCOMPARE(p.texts(), message.isEmpty() ? QStringList() : QStringList({message}));
        if (!message.isEmpty())
            QCOMPARE(p.prompts[0].defaultButton, 1);
    }

    void leavingForAPicker()
    {
        Register r;
        addEmployee("NOVÁKJA00", "Ján", "Novák");
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Cancel);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Examinations);
            CodePicker *picker = codePicker(w, K::Examinations);
            // The key box's own picker: nothing is checked.
            click(box(w, K::Examinations, 1));
            typeText(box(w, K::Examinations, 1), "zz");
            focusCombo(picker);
            QVERIFY(p.prompts.isEmpty());
            QCOMPARE(box(w, K::Examinations, 1)->text(), QString("zz"));
            // The date box left for the picker is checked.
            click(box(w, K::Examinations, 0));
            typeText(box(w, K::Examinations, 0), "99");
            focusCombo(picker);
            QCOMPARE(p.texts(), QStringList({"Chybný dátum, zadaj v tvare dd.mm.rrrr!"}));
            QVERIFY(box(w, K::Examinations, 0)->text().isEmpty());
        }));
    }

    void leavingForStornoCancelsWithoutAnyCheck_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("boxIndex");
        QTest::newRow("visit") << int(K::Visits) << 0;
        QTest::newRow("examination key") << int(K::Examinations) << 1;
        QTest::newRow("facility code") << int(K::Facilities) << 0;
        QTest::newRow("care hour") << int(K::ActivityRecords) << 2;
    }
    void leavingForStornoCancelsWithoutAnyCheck()
    {
        QFETCH(int, kind);
        QFETCH(int, boxIndex);
        const K k = K(kind);
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, k);
            click(box(w, k, boxIndex));
            typeText(box(w, k, boxIndex), "??");
            clickSub(w, k, B::Cancel);
            QTRY_VERIFY(!subTab(w, k)->isInEditMode());
            QTest::qWait(0);
            // Cancelled once: the window stays, its own Storno has the Esc again.
            QVERIFY(w->isVisible());
            QCOMPARE(w->cancelButton(), w->button("cmdStorno"));
            QCOMPARE(focused(), subButton(w, k, B::New));
        }));
        QVERIFY(p.prompts.isEmpty());
        QCOMPARE(rowCount(QString::fromLatin1(SubRecordFamilies::of(k).table)), 0);
    }

    void tabIntoStornoCancelsAsEscDoes()
    {
        Register r;
        addVisit("2024-01-13", "2024-02-13");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Visits);
            clickSub(w, K::Visits, B::Edit);
            retype(box(w, K::Visits, 1), "1.1.2030");
            subButton(w, K::Visits, B::Cancel)->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(!subTab(w, K::Visits)->isInEditMode());
            QCOMPARE(box(w, K::Visits, 1)->text(), QString("13.2.2024"));
            QVERIFY(w->isVisible());
        }));
        QVERIFY(p.prompts.isEmpty());
        QCOMPARE(scalar("SELECT dat_budn FROM k_navstevy").toString(), QString("2024-02-13"));
    }

    void theAddressGetsACapitalOnMoveKeysOnly()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Facilities);
            for (int key : {int(Qt::Key_Return), int(Qt::Key_Up), int(Qt::Key_Down), int(Qt::Key_PageUp),
                            int(Qt::Key_PageDown)}) {
                retype(box(w, K::Facilities, 1), "šafárikova 2");
                QTest::keyClick(box(w, K::Facilities, 1), Qt::Key(key));
                QCOMPARE(box(w, K::Facilities, 1)->text(), QString("Šafárikova 2"));
            }
            retype(box(w, K::Facilities, 1), "šafárikova 2");
            QTest::keyClick(box(w, K::Facilities, 1), Qt::Key_Tab);
            QCOMPARE(box(w, K::Facilities, 1)->text(), QString("šafárikova 2"));
            retype(box(w, K::Facilities, 1), "  nám. 1  ");
            click(box(w, K::Facilities, 2));
            click(box(w, K::Facilities, 1));
            // Entering a facility box trims it.
            QCOMPARE(box(w, K::Facilities, 1)->text(), QString("nám. 1"));
        }));
        QVERIFY(p.prompts.isEmpty());
    }

    void aMarkedBoxIsCheckedAgainOnceChanged()
    {
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Cancel);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, K::Visits);
            typeInto(box(w, K::Visits, 0), "1.2.2024", Qt::Key_Down);
            click(box(w, K::Visits, 0));
            QCOMPARE(box(w, K::Visits, 0)->tag(), QString());
            // The visits' boxes are not trimmed on entry.
            QCOMPARE(box(w, K::Visits, 0)->text(), QString("1.2.2024"));
            typeText(box(w, K::Visits, 0), "x");
            click(box(w, K::Visits, 1));
            QVERIFY(box(w, K::Visits, 0)->text().isEmpty());
        }));
        QCOMPARE(p.texts(), QStringList({"Chybný dátum, zadaj v tvare dd.mm.rrrr!"}));
    }
};

QTEST_MAIN(SubRecordEditingTest)
#include "SubRecordEditingTest.moc"
