// The sub-record tabs' lists, browse and edit modes and the roads of their
// buttons, driven in the client record window opened from the main window.
#include "SubRecordDriver.h"

#include "reports/ReportDocument.h"
#include "reports/ui/ReportViewer.h"

using namespace ulk;
using namespace ulk::test;

namespace {

void addFamilyKinds()
{
    QTest::addColumn<int>("kind");
    for (const SubRecordFamilyDef &f : SubRecordFamilies::all())
        QTest::newRow(f.letters) << int(f.kind);
}

// One stored row of a family for the client.
void addOneRow(K kind)
{
    switch (kind) {
    case K::Siblings: addSibling("Anna"); break;
    case K::Facilities: addFacility("01", "2020-09-01", "2021-06-30", "VYCH"); break;
    case K::Examinations: addExamination("2024-01-10"); break;
    case K::ActivityRecords:
        sql("INSERT INTO k_zaznam_spc (idkod, datum, idkod_P) VALUES (?, '2024-01-11', 'NOVÁKJA00')", {kClient});
        break;
    case K::ChangeRecords:
        sql("INSERT INTO k_zaznam_zmeny (idkod, datum, idkod_P) VALUES (?, '2024-01-12', 'NOVÁKJA00')", {kClient});
        break;
    case K::Visits: addVisit("2024-01-13", "2024-02-13"); break;
    }
}

int rowsOf(K kind) { return rowCount(QString::fromLatin1(SubRecordFamilies::of(kind).table)); }

} // namespace

class SubRecordModesTest : public QObject {
    Q_OBJECT
private slots:
    void anEmptyTabOffersOnlyNew_data() { addFamilyKinds(); }
    void anEmptyTabOffersOnlyNew()
    {
        QFETCH(int, kind);
        const K k = K(kind);
        Register r;
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, k);
            QCOMPARE(w->tabs()->currentIndex(), tabOf(k));
            QVERIFY(subButton(w, k, B::New)->isEnabled());
            for (B b : {B::Edit, B::Delete, B::Save, B::SaveNew, B::Cancel})
                QVERIFY(!subButton(w, k, b)->isEnabled());
            QCOMPARE(focused(), subButton(w, k, B::New));
            for (int i = 0; i < subTab(w, k)->page().boxCount(); ++i)
                QVERIFY(!box(w, k, i)->isEnabled());
            // A click into the empty list changes nothing.
            click(subList(w, k)->viewport());
            QVERIFY(!subTab(w, k)->isInEditMode());
            QVERIFY(subRows(w, k).atEnd());
        }));
        QVERIFY(p.unexpected.isEmpty());
    }

    void theButtonsOfEveryFamily()
    {
        Register r;
        QVERIFY(r.open([&](ClientWindow *w) {
            const QStringList expected = {
                "cmdSurNovy Nový|cmdSurOpr Oprava|CmdSurVym Výmaz|cmdSurZap Zapíš súrodenca|cmdSurZapNew "
                "Zapíš+nový|cmdSurSto Storno",
                "cmdZarNovy Nový|cmdZarOpr Oprava|cmdZarVym Výmaz|cmdZarZap Zápis|cmdZarZapNew Zápis+nový|cmdZarSto "
                "Storno",
                "cmdPzaNovy Nový|cmdPzaOpr Oprava|cmdPzaVym Výmaz|cmdPzaZap Zápis|cmdPzaZapNew Zápis+nový|cmdPzaSto "
                "Storno",
                "cmdZscNovy Nový|cmdZscOpr Oprava|cmdZscVym Výmaz|cmdZscZap Zápis|cmdZscZapNew Zápis+nový|cmdZscSto "
                "Storno",
                "cmdZazNovy Nový|cmdZazOpr Oprava|cmdZazVym Výmaz|cmdZazZap Zápis|cmdZazZapNew Zápis+nový|cmdZazSto "
                "Storno",
                "cmdNavNovy Nový|cmdNavOpr Oprava|cmdNavVym Výmaz|cmdNavZap Zápis|cmdNavZapNew Zápis + "
                "nový|cmdNavSto Storno",
            };
            for (int n = 0; n < 6; ++n) {
                SubRecordTab *t = w->subRecords().tabNumber(n);
                QStringList got;
                for (int b = 0; b < subRecordButtonCount; ++b) {
                    QPushButton *button = t->button(B(b));
                    QVERIFY(!button->autoDefault());
                    QCOMPARE(w->button(button->objectName()), button);
                    got << button->objectName() + ' ' + button->text();
                }
                QCOMPARE(got.join('|'), expected[n]);
            }
            QCOMPARE(box(w, K::Examinations, 1)->toolTip(), QString("kód pracovníka z číselnika"));
            QCOMPARE(box(w, K::Facilities, 0)->toolTip(), QString("kód zariadenia z číselníka"));
            QCOMPARE(box(w, K::Visits, 0)->maxLength(), 12);
            QCOMPARE(box(w, K::Siblings, 3)->maxLength(), 50);
            QCOMPARE(box(w, K::Siblings, 1)->maxLength(), 4);
            QCOMPARE(box(w, K::ActivityRecords, 3)->objectName(), QString("textZsc3"));
            QCOMPARE(longText(w, K::ChangeRecords)->objectName(), QString("rtbZaz"));
            QCOMPARE(subList(w, K::ActivityRecords)->objectName(), QString("DBList5"));
            auto *frame = w->findChild<QGroupBox *>("Frame4");
            QVERIFY(frame);
            QCOMPARE(frame->title(), QString("Zmena údajov"));
            QCOMPARE(w->findChild<QRadioButton *>("optZarUlk")->text(),
                     QString("Údaje o špeciálno-pedag. starostlivosti"));
            QVERIFY(w->findChild<QRadioButton *>("optZarVv")->isChecked());
            QCOMPARE(w->findChild<QRadioButton *>("optZarVv")->text(), QString("Údaje o výchove a vzdelávaní"));
        }));
    }

    // New: every other tab and the window's buttons wait, Esc presses the
    // tab's Storno; back in browse mode Esc presses the window's Storno.
    void editModeLocksTheRestOfTheWindow_data() { addFamilyKinds(); }
    void editModeLocksTheRestOfTheWindow()
    {
        QFETCH(int, kind);
        const K k = K(kind);
        Register r;
        addOneRow(k);
        ScriptedPrompter &p = r.prompter;
        bool closedByEsc = false;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, k);
            QCOMPARE(highlighted(w, k), 0);
            QCOMPARE(focused(), subList(w, k));
            clickSub(w, k, B::New);
            QVERIFY(subTab(w, k)->isInEditMode());
            for (int t = 0; t < 14; ++t)
                QCOMPARE(w->tabs()->isTabEnabled(t), t == tabOf(k));
            for (const char *b : {"cmdzapNew", "cmdZap", "cmdStorno", "cmdTlac"})
                QVERIFY2(!w->button(b)->isEnabled(), b);
            QVERIFY(!subList(w, k)->isEnabled());
            for (B b : {B::New, B::Edit, B::Delete})
                QVERIFY(!subButton(w, k, b)->isEnabled());
            for (B b : {B::Save, B::SaveNew, B::Cancel})
                QVERIFY(subButton(w, k, b)->isEnabled());
            QCOMPARE(w->cancelButton(), subButton(w, k, B::Cancel));
            // The focus where unlocking puts it: the long text or the first box.
            const int unlockFocus = SubRecordFamilies::of(k).unlockFocus;
            QCOMPARE(focused(), unlockFocus < 0 ? static_cast<QWidget *>(longText(w, k)) : box(w, k, 0));
            QVERIFY(box(w, k, 0)->text().isEmpty());
            if (k == K::Facilities)
                QVERIFY(!w->findChild<QGroupBox *>("Frame4")->isEnabled());
            // The close box cannot close the window either.
            w->close();
            QVERIFY(w->isVisible());
            QVERIFY(!subTab(w, k)->isInEditMode());
            clickSub(w, k, B::New);
            QTest::keyClick(focused(), Qt::Key_Escape);
            QVERIFY(w->isVisible());
            QVERIFY(!subTab(w, k)->isInEditMode());
            for (int t = 0; t < 14; ++t)
                QVERIFY(w->tabs()->isTabEnabled(t));
            for (const char *b : {"cmdzapNew", "cmdZap", "cmdStorno", "cmdTlac"})
                QVERIFY2(w->button(b)->isEnabled(), b);
            QCOMPARE(w->cancelButton(), w->button("cmdStorno"));
            // Back on the row that was current before New, highlighted.
            QCOMPARE(focused(), subList(w, k));
            QCOMPARE(highlighted(w, k), 0);
            QCOMPARE(subRows(w, k).current(), 0);
            QVERIFY(!box(w, k, 0)->text().isEmpty());
            QVERIFY(subButton(w, k, B::Edit)->isEnabled());
            QTest::keyClick(focused(), Qt::Key_Escape);
            closedByEsc = !w->isVisible();
        }));
        QVERIFY(closedByEsc);
        QCOMPARE(rowsOf(k), 1);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void aClickInTheListShowsItsRow()
    {
        Register r;
        addVisit("2024-01-13", "2024-02-13");
        addVisit("2024-03-01", "2024-04-01");
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Visits);
            QCOMPARE(lines(w, K::Visits), QStringList({"13.01.2024", "01.03.2024"}));
            QCOMPARE(box(w, K::Visits, 0)->text(), QString("13.1.2024"));
            clickRow(w, K::Visits, 1);
            QCOMPARE(subRows(w, K::Visits).current(), 1);
            QCOMPARE(box(w, K::Visits, 0)->text(), QString("1.3.2024"));
            QCOMPARE(box(w, K::Visits, 1)->text(), QString("1.4.2024"));
            // While a row is edited the list takes no clicks.
            clickSub(w, K::Visits, B::Edit);
            clickRow(w, K::Visits, 0);
            QCOMPARE(subRows(w, K::Visits).current(), 1);
            QCOMPARE(box(w, K::Visits, 0)->text(), QString("1.3.2024"));
            clickSub(w, K::Visits, B::Cancel);
            QCOMPARE(highlighted(w, K::Visits), 1);
        }));
    }

    void theLastRowDeletedLeavesOnlyNew()
    {
        Register r;
        addVisit("2024-01-13", "2024-02-13");
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Yes);
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Visits);
            clickSub(w, K::Visits, B::Delete);
            QVERIFY(subRows(w, K::Visits).atEnd());
            QVERIFY(!subButton(w, K::Visits, B::Edit)->isEnabled());
            QVERIFY(!subButton(w, K::Visits, B::Delete)->isEnabled());
            QCOMPARE(focused(), subButton(w, K::Visits, B::New));
            QVERIFY(box(w, K::Visits, 0)->text().isEmpty());
        }));
        QCOMPARE(rowCount("k_navstevy"), 0);
        QVERIFY(p.unexpected.isEmpty());
    }

    void siblingsCancelReadsTheSiblingsAgain()
    {
        Register r;
        addSibling("Anna");
        addSibling("Peter");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Siblings);
            clickRow(w, K::Siblings, 1);
            clickSub(w, K::Siblings, B::Edit);
            sql("UPDATE k_surodenci SET meno = 'Adam' WHERE meno = 'Peter'");
            clickSub(w, K::Siblings, B::Cancel);
            QCOMPARE(lines(w, K::Siblings), QStringList({"Adam", "Anna"}));
            QCOMPARE(subRows(w, K::Siblings).current(), 0);
            QCOMPARE(box(w, K::Siblings, 0)->text(), QString("Adam"));
            QCOMPARE(highlighted(w, K::Siblings), 0);
        }));
        QVERIFY(p.unexpected.isEmpty());
    }

    void aRefusedSaveKeepsTheEditAndFocusesTheBox_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("typed"); // into boxes 0, 1, ... ("" leaves a box empty)
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("visit date") << int(K::Visits) << QStringList{"", "1.2.2024"}
                                    << "Dátum návštevy je povinný údaj !"
                                    << "textNav0";
        QTest::newRow("next visit") << int(K::Visits) << QStringList{"1.2.2024", ""}
                                    << "Dátum budúcej návštevy je povinný údaj !"
                                    << "textNav1";
        QTest::newRow("care record employee") << int(K::ActivityRecords) << QStringList{"1.2.2024", "08", "09", ""}
                                              << "Meno psychológa je povinný údaj !"
                                              << "textZsc3";
        QTest::newRow("examination date") << int(K::Examinations) << QStringList{"  ", ""}
                                          << "Dátum je povinný údaj !"
                                          << "TextPza0";
        QTest::newRow("change employee") << int(K::ChangeRecords) << QStringList{"1.2.2024", ""}
                                         << "Meno psychológa je povinný údaj !"
                                         << "TextZaz1";
        QTest::newRow("sibling") << int(K::Siblings) << QStringList{"   "} << "Meno je povinný údaj !"
                                 << "textSur0";
        QTest::newRow("facility") << int(K::Facilities) << QStringList{"", "Hlavná 1"}
                                  << "Názov zariadenia je povinný údaj !"
                                  << "textZar0";
    }
    void aRefusedSaveKeepsTheEditAndFocusesTheBox()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        const K k = K(kind);
        Register r;
        ScriptedPrompter &p = r.prompter;
        p.answer(PromptAnswer::Ok);
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, k);
            // Typed straight into the boxes, as no check would pass them on.
            for (int i = 0; i < typed.size(); ++i)
                box(w, k, i)->setText(typed[i]);
            clickSub(w, k, B::Save);
            QVERIFY(subTab(w, k)->isInEditMode());
            QCOMPARE(focused()->objectName(), focus);
            QCOMPARE(subRows(w, k).state(), SubRecordRows::State::Adding);
            // As typed (the siblings' and facilities' boxes trim on entry).
            for (int i = 0; i < typed.size(); ++i)
                QCOMPARE(box(w, k, i)->text().trimmed(), typed[i].trimmed());
        }));
        QCOMPARE(p.texts(), QStringList({message}));
        QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
        QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
        QCOMPARE(p.prompts[0].buttons, PromptButtons::Ok);
        QCOMPARE(rowsOf(k), 0);
    }

    void saveAndNewStartsTheNextRow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("focus");
        QTest::newRow("examination") << int(K::Examinations) << "rtbPza";
        QTest::newRow("care record") << int(K::ActivityRecords) << "rtbZsc";
        QTest::newRow("change") << int(K::ChangeRecords) << "rtbZaz";
        QTest::newRow("visit") << int(K::Visits) << "textNav0";
    }
    void saveAndNewStartsTheNextRow()
    {
        QFETCH(int, kind);
        QFETCH(QString, focus);
        const K k = K(kind);
        Register r;
        addEmployee("NOVÁKJA00", "Ján", "Novák");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            startNew(w, k);
            const int employee = SubRecordFamilies::of(k).employeeBox;
            for (int i = 0; i < subTab(w, k)->page().boxCount(); ++i)
                typeInto(box(w, k, i), i == employee ? "NOVÁKJA00" : (i == 0 ? "5.2.2024" : "6.3.2024"));
            clickSub(w, k, B::SaveNew);
            QVERIFY(subTab(w, k)->isInEditMode());
            QCOMPARE(subRows(w, k).state(), SubRecordRows::State::Adding);
            QCOMPARE(focused()->objectName(), focus);
            QVERIFY(box(w, k, 0)->text().isEmpty());
            QVERIFY(!subList(w, k)->isEnabled());
            QVERIFY(!w->tabs()->isTabEnabled(0));
            QCOMPARE(lines(w, k), QStringList({"05.02.2024"}));
            clickSub(w, k, B::Cancel);
        }));
        QCOMPARE(rowsOf(k), 1);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void facilityKindsShowTheirFacilitiesAndCodes()
    {
        Register r;
        addFacility("01", "2020-09-01", "2021-06-30", "VYCH");
        addFacility("30", "2021-09-01", "", "ULK");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Facilities);
            CodePicker *picker = codePicker(w, K::Facilities);
            QCOMPARE(lines(w, K::Facilities), QStringList({"01.09.2020 - 30.06.2021"}));
            QCOMPARE(picker->itemText(0), QString("01  |  Materská škola"));
            QCOMPARE(picker->count(), 11);
            clickOption(w, "optZarUlk");
            QCOMPARE(lines(w, K::Facilities), QStringList({"01.09.2021 - "}));
            QCOMPARE(picker->itemText(0), QString("30  |  Špeciálnopedagogická poradňa"));
            QCOMPARE(picker->count(), 7);
            QCOMPARE(focused(), subList(w, K::Facilities));
            QCOMPARE(box(w, K::Facilities, 0)->text(), QString("30"));
            QVERIFY(box(w, K::Facilities, 3)->text().isEmpty());
            // A code of the other kind is not in the list of this one.
            clickSub(w, K::Facilities, B::New);
            p.answer(PromptAnswer::Cancel);
            typeInto(box(w, K::Facilities, 0), "01");
            QCOMPARE(p.texts(), QStringList({"Zadaný kód :01 sa nenašiel v číselníku"}));
            typeInto(box(w, K::Facilities, 0), "31");
            typeInto(box(w, K::Facilities, 1), "nemocničná 2");
            typeInto(box(w, K::Facilities, 2), "1.9.2022");
            clickSub(w, K::Facilities, B::Save);
            QCOMPARE(lines(w, K::Facilities), QStringList({"01.09.2021 - ", "01.09.2022 - "}));
            clickOption(w, "optZarVv");
            QCOMPARE(lines(w, K::Facilities), QStringList({"01.09.2020 - 30.06.2021"}));
        }));
        QCOMPARE(scalar("SELECT akronym || '|' || nazzar || '|' || adresa || '|' || vzar_od || '|' || "
                        "coalesce(vzar_do, 'Null') FROM k_zariad WHERE nazzar = '31'")
                     .toString(),
                 QString("ULK|31|Nemocničná 2|2022-09-01|Null"));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void selectedEmployeeIdIsBlankAfterEditOnly()
    {
        Register r;
        addEmployee("NOVÁKJA00", "Ján", "Novák");
        addExamination("2024-01-10");
        QVERIFY(r.open([&](ClientWindow *w) {
            SubRecordTabs &tabs = w->subRecords();
            QCOMPARE(tabs.selectedEmployeeId(), QString(10, ' '));
            tabs.setSelectedEmployeeId("NOVÁKJA00");
            startNew(w, K::Examinations);
            QCOMPARE(tabs.selectedEmployeeId(), QString("NOVÁKJA00 "));
            clickSub(w, K::Examinations, B::Cancel);
            clickSub(w, K::Examinations, B::Edit);
            QCOMPARE(tabs.selectedEmployeeId(), QString(10, ' '));
            QCOMPARE(focused(), longText(w, K::Examinations));
        }));
    }

    void siblingEditOpensTheAssociatedCodesOfADisabledSibling()
    {
        Register r;
        addSibling("Anna", "3");
        addSibling("Peter");
        ScriptedPrompter &p = r.prompter;
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Siblings);
            auto *associated = w->findChild<QComboBox *>("cmbSek3");
            QCOMPARE(w->findChild<QLineEdit *>("textPosS0")->text(), QString("3"));
            clickSub(w, K::Siblings, B::Edit);
            QVERIFY(associated->isEnabled());
            QVERIFY(box(w, K::Siblings, 5)->isEnabled());
            QVERIFY(box(w, K::Siblings, 4)->isEnabled());
            QCOMPARE(focused(), box(w, K::Siblings, 0));
            clickSub(w, K::Siblings, B::Cancel);
            QVERIFY(!associated->isEnabled());
            clickRow(w, K::Siblings, 1);
            clickSub(w, K::Siblings, B::Edit);
            QVERIFY(!associated->isEnabled());
            clickSub(w, K::Siblings, B::Cancel);
            clickRow(w, K::Siblings, 0);
            clickSub(w, K::Siblings, B::New);
            QVERIFY(!associated->isEnabled());
            QVERIFY(!box(w, K::Siblings, 5)->isEnabled());
            // A new sibling starts without the codes of the one shown before.
            QCOMPARE(w->findChild<QLineEdit *>("textPosS0")->text(), QString());
            typeInto(box(w, K::Siblings, 0), "eva");
            clickItemOf(w, "cmbSur1", 2);
            QVERIFY(associated->isEnabled());
            clickSub(w, K::Siblings, B::SaveNew);
            QVERIFY(!associated->isEnabled());
            QVERIFY(!box(w, K::Siblings, 5)->isEnabled());
            clickSub(w, K::Siblings, B::Cancel);
        }));
        QCOMPARE(scalar("SELECT postih FROM k_surodenci WHERE meno = 'Eva'").toString(), QString("2        "));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void aNewClientsSubRecordTabsOpenWithItsFirstSave()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(openClient(w, QString(), [&](ClientWindow *window) {
            for (int t = 1; t < 14; ++t)
                QVERIFY(!window->tabs()->isTabEnabled(t));
            clickTab(window, 13);
            QCOMPARE(window->tabs()->currentIndex(), 0);
            typeAndPress("Eva");
            typeAndPress("Malá");
            retype(window->field(6), "9");
            clickButton(window, "cmdZaklUd");
            QVERIFY(window->tabs()->isTabEnabled(13));
            startNew(window, K::Visits);
            typeInto(box(window, K::Visits, 0), "5.1.2024");
            typeInto(box(window, K::Visits, 1), "5.2.2024");
            clickSub(window, K::Visits, B::Save);
            QCOMPARE(lines(window, K::Visits), QStringList({"05.01.2024"}));
            clickButton(window, "cmdZap");
        }));
        QCOMPARE(scalar("SELECT idkod || '|' || datum || '|' || dat_budn FROM k_navstevy").toString(),
                 QString("MALÁEV00|2024-01-05|2024-02-05"));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void theTabPrintsWhatWasSaved()
    {
        Register r;
        addVisit("2024-01-13", "2024-02-13");
        ScriptedPrompter &p = r.prompter;
        QStringList printed;
        report::ReportViewer::setPresenter([&](const report::ReportDocument &doc, QWidget *) {
            for (const report::ReportPage &page : doc.pages)
                for (const report::PlacedText &t : page.texts)
                    printed << t.text;
        });
        QVERIFY(r.open([&](ClientWindow *w) {
            showSub(w, K::Visits);
            clickSub(w, K::Visits, B::Edit);
            QVERIFY(!w->button("cmdTlac")->isEnabled());
            click(w->button("cmdTlac"));
            QVERIFY(printed.isEmpty());
            retype(box(w, K::Visits, 1), "20.3.2024");
            clickSub(w, K::Visits, B::Save);
            QVERIFY(w->button("cmdTlac")->isEnabled());
            click(w->button("cmdTlac"));
        }));
        report::ReportViewer::setPresenter({});
        QVERIFY2(printed.join('|').contains("20.3.2024") || printed.join('|').contains("20.03.2024"),
                 qPrintable(printed.join('|')));
        QVERIFY(!printed.join('|').contains("13.2.2024"));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

private:
    static void clickItemOf(ClientWindow *w, const char *combo, int index)
    {
        QVERIFY(clickItem(w->findChild<QComboBox *>(combo), index));
    }
};

QTEST_MAIN(SubRecordModesTest)
#include "SubRecordModesTest.moc"
