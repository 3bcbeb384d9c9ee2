#include "app/ui/MainWindow.h"
#include "data/Database.h"
#include "statement/ui/OdbStarWindow.h"
#include "statement/ui/StatementBox.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"

#include "OdbStarSeed.h"
#include "StatementDriver.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace ulk;
using test::Cells;
using test::focused;
using test::odbStarRows;
using test::ScriptedPrompter;
using test::seedOdbStar;

Q_DECLARE_METATYPE(ulk::test::Cells)

namespace {

const QString kFix = QStringLiteral(" Opraviť ?");
// The background of the box that has the focus.
const QColor kFocus(128, 255, 255);

QString boxName(int column, int row) { return QStringLiteral("txt%1_%2").arg(column).arg(row); }
void press(int key, Qt::KeyboardModifiers m = {}) { QTest::keyClick(focused(), Qt::Key(key), m); }

// Column 3 of the row 0501 group: 2, 3, blank and 1 against 5.
const Cells kColumn3{{{3, 0}, "5"}, {{3, 1}, "2"}, {{3, 2}, "3"}, {{3, 3}, " "}, {{3, 4}, "1"}};

} // namespace

class OdbStarWindowTest : public test::WindowCaseTest<OdbStarWindow> {
    Q_OBJECT

    bool open() { return openWindow(); }
    StatementBox *box(int column, int row) const { return m_w->box(column, row); }
    QPushButton *button(const char *name) const { return m_w->findChild<QPushButton *>(name); }
    void answer(const QList<bool> &answers)
    {
        for (bool yes : answers)
            m_p->answer(yes ? PromptAnswer::Yes : PromptAnswer::No);
    }

private slots:
    void init() { startCase(); }
    void cleanup() { endCase(); }

    void fromTileFirstSaveThenEditInPlace()
    {
        Database::close();
        MainWindow main(m_dir->path());
        QVERIFY(test::start(main));
        QVERIFY(test::openFromTile(main, "ulk::OdbStarWindow", "Label6", [&](QDialog *d) {
            auto *w = static_cast<OdbStarWindow *>(d);
            QCOMPARE(w->windowTitle(), QString("Form1"));
            QCOMPARE(w->findChild<QGroupBox *>("Frame1")->title(),
                     QString("V. Klienti, ktorým bola poskytnutá odborná starostlivosť"));
            QVERIFY(!w->tableFilled());
            int zeros = 0;
            for (int r = 0; r < 28; ++r)
                for (int c = 1; c <= 10; ++c)
                    zeros += w->box(c, r)->text() == QLatin1String("0");
            QCOMPARE(zeros, 280);
            QCOMPARE(focused(), w->box(1, 0));
            QCOMPARE(w->box(1, 0)->selectedText(), QString("0"));
            QCOMPARE(w->box(1, 0)->background(), kFocus);
            QTest::keyClicks(w->box(1, 0), "7");
            QTest::mouseClick(w->findChild<QPushButton *>("cmdOk"), Qt::LeftButton);
        }));
        QList<QVariantList> rows = odbStarRows();
        QCOMPARE(rows.size(), 28);
        for (int r = 0; r < 28; ++r) {
            QCOMPARE(rows[r].mid(1, 3), QVariantList({OdbStarRowTable::marker(r), OdbStarRowTable::name(r),
                                                      OdbStarRowTable::code(r)}));
            for (int c = 1; c <= 10; ++c)
                QCOMPARE(rows[r][3 + c].toString(), r == 0 && c == 1 ? QString("7") : QString(" "));
        }
        // Names, markers and codes are written once.
        test::sql("UPDATE odbstar SET naz_ria = 'po prvom zápise' WHERE c_ria = '0503'");
        QVERIFY(test::openFromTile(main, "ulk::OdbStarWindow", "Picture5", [&](QDialog *d) {
            auto *w = static_cast<OdbStarWindow *>(d);
            QVERIFY(w->tableFilled());
            QCOMPARE(w->box(1, 0)->text(), QString("7"));
            test::clickInto(w->box(2, 3));
            QTest::keyClicks(w->box(2, 3), "15");
            QTest::mouseClick(w->findChild<QPushButton *>("cmdOk"), Qt::LeftButton);
        }));
        const QList<QVariantList> again = odbStarRows();
        QCOMPARE(again.size(), 28);
        for (int r = 0; r < 28; ++r)
            QCOMPARE(again[r][0], rows[r][0]);
        QCOMPARE(again[2][2].toString(), QString("po prvom zápise"));
        QCOMPARE(again[3][5].toString(), QString("15"));
        QCOMPARE(again[0][4].toString(), QString("7"));
        QVERIFY(test::openFromTile(main, "ulk::OdbStarWindow", "Label7", [&](QDialog *d) {
            QTest::mouseClick(d->findChild<QPushButton *>("cmdZrusit"), Qt::LeftButton);
        }));
        QCOMPARE(odbStarRows(), again);
        QVERIFY(m_p->prompts.isEmpty());
    }

    void captionsAndPlaces()
    {
        QVERIFY(open());
        auto text = [this](const QString &name) { return m_w->findChild<QLabel *>(name)->text(); };
        QCOMPARE(text("lblNazov0"), QString("Diagnostika"));
        QCOMPARE(text("lblNazov1"), QString("špeciálnopedagogická"));
        QCOMPARE(text("lblNazov20"), QString("iné"));
        QCOMPARE(text("lblNazov21"), QString("pedagogickopsychologické intervencie"));
        QCOMPARE(text("lblNazov27"), QString("Kontrolný súčer (0501 až 0527 )"));
        QCOMPARE(text("lblKod0"), QString("0501"));
        QCOMPARE(text("lblKod27"), QString("0536"));
        QCOMPARE(text("lblSkupina0"), QString("Počet aktivít ambulantných"));
        QCOMPARE(text("lblSkupina1"), QString("Počet aktivít terénnych (mobilných)"));
        QCOMPARE(text("lblIndividualne0"), QString("individuálne"));
        QCOMPARE(text("lblSkupinove1"), QString("skupinové"));
        QCOMPARE(text("lblSpolu0"), QString("spolu"));
        QCOMPARE(text("lblDruh2"), QString("jednoraz."));
        QCOMPARE(text("lblDruh10"), QString("opakuj."));
        QCOMPARE(text("lblStlpec10"), QString("10"));
        // The member names stand indented right of the group names.
        QVERIFY(m_w->findChild<QLabel *>("lblNazov1")->x() > m_w->findChild<QLabel *>("lblNazov0")->x());
        QCOMPARE(m_w->findChild<QLabel *>("lblNazov21")->x(), m_w->findChild<QLabel *>("lblNazov0")->x());
        QCOMPARE(box(3, 2)->geometry(), QRect((4680 + 840 * 2) / 15, (1600 + 320 * 2) / 15, 615 / 15, 285 / 15));
        QCOMPARE(box(3, 2)->objectName(), boxName(3, 2));
        QCOMPARE(button("cmdOk")->text(), QString("Zápis"));
        QCOMPARE(button("cmdZrusit")->text(), QString("Storno"));
        QCOMPARE(m_w->palette().color(QPalette::Window), QColor(206, 206, 232));
        QCOMPARE(button("cmdZrusit")->palette().color(QPalette::Button), QColor(157, 157, 206));
        // Every box of the last row is within the window.
        QVERIFY(m_w->rect().contains(QRect(box(10, 27)->mapTo(m_w.get(), QPoint(0, 0)), box(10, 27)->size())));
    }

    void keyMoves_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("Down in txt4(7)") << 4 << 7 << int(Qt::Key_Down) << boxName(5, 7);
        QTest::newRow("Down in txt10(7)") << 10 << 7 << int(Qt::Key_Down) << boxName(1, 8);
        QTest::newRow("Enter in txt10(7)") << 10 << 7 << int(Qt::Key_Return) << boxName(1, 8);
        QTest::newRow("keypad Enter in txt2(0)") << 2 << 0 << int(Qt::Key_Enter) << boxName(3, 0);
        QTest::newRow("Tab in txt10(0)") << 10 << 0 << int(Qt::Key_Tab) << boxName(1, 1);
        QTest::newRow("Enter in txt10(27)") << 10 << 27 << int(Qt::Key_Return) << "cmdOk";
        QTest::newRow("Down in txt10(27)") << 10 << 27 << int(Qt::Key_Down) << "cmdOk";
        QTest::newRow("Up does nothing special") << 4 << 7 << int(Qt::Key_Up) << boxName(4, 7);
        QTest::newRow("PgDn does nothing special") << 4 << 7 << int(Qt::Key_PageDown) << boxName(4, 7);
    }

    void keyMoves()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(QString, to);
        QVERIFY(open());
        test::clickInto(box(column, row));
        QCOMPARE(box(column, row)->background(), kFocus);
        press(key);
        QTRY_COMPARE(focused()->objectName(), to);
        QCOMPARE(box(column, row)->text(), QString("0"));
        if (to != boxName(column, row))
            QCOMPARE(box(column, row)->background(), box(column, row)->restColour());
        if (to == QLatin1String("cmdOk")) {
            press(Qt::Key_Tab);
            QCOMPARE(focused(), button("cmdZrusit"));
        }
        // A grid of zeros asks nothing anywhere.
        QVERIFY(m_p->prompts.isEmpty());
    }

    void digitsOnlySilentlyAndEscDoesNothing()
    {
        seedOdbStar({{{1, 0}, "12"}});
        QVERIFY(open());
        StatementBox *b = box(1, 0);
        QCOMPARE(b->selectedText(), QString("12"));
        QTest::keyClicks(b, "a -.,x");
        QCOMPARE(b->text(), QString("12"));
        QTest::keyClicks(b, "3");
        QCOMPARE(b->text(), QString("3"));
        QTest::keyClicks(b, "4");
        QTest::keyClick(b, Qt::Key_Backspace);
        QCOMPARE(b->text(), QString("3"));
        press(Qt::Key_Escape);
        QVERIFY(m_w->isVisible());
        QCOMPARE(focused(), b);
        QVERIFY(m_p->prompts.isEmpty());
    }

    void checksOnLeaving_data()
    {
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("selected");

        const QString group0501c3 = "Riadok 0501 stl.3 <> r0502+r0503+r0504+r0505 !";
        QTest::newRow("column 3 group, Yes") << kColumn3 << 3 << 4 << QList<bool>{true} << QStringList{group0501c3}
                                             << boxName(3, 0) << "5";
        QTest::newRow("column 3 group, No") << kColumn3 << 3 << 4 << QList<bool>{false} << QStringList{group0501c3}
                                            << boxName(4, 4) << "0";
        Cells six = kColumn3;
        six[{3, 0}] = "6";
        QTest::newRow("column 3 group with 6") << six << 3 << 4 << QList<bool>{} << QStringList{} << boxName(4, 4) << "0";
        QTest::newRow("total line itself") << kColumn3 << 3 << 0 << QList<bool>{} << QStringList{} << boxName(4, 0) << "0";
        QTest::newRow("member not last") << kColumn3 << 3 << 2 << QList<bool>{} << QStringList{} << boxName(4, 2) << "0";
        QTest::newRow("column 2 row 0514")
            << Cells{{{2, 9}, "4"}} << 2 << 13 << QList<bool>{false}
            << QStringList{"Riadok 0506 stl.2 <> r0507+r0508+r0509+r0510+r0511+r0512+r0513+r0514 !"} << boxName(3, 13)
            << "0";
        QTest::newRow("column 10 row 0527, Yes")
            << Cells{{{10, 23}, "1"}, {{6, 23}, "1"}} << 10 << 26 << QList<bool>{true}
            << QStringList{"Riadok 0522 stl.10 <> r0523+r0524+r0525+r0526+r0527 !"} << boxName(10, 21) << "0";
        const Cells split{{{1, 8}, "3"}, {{2, 8}, "1"}, {{3, 8}, "1"}, {{4, 8}, "1"}, {{5, 8}, "1"}};
        QTest::newRow("column 5 row 0509, Yes") << split << 5 << 8 << QList<bool>{true}
                                                << QStringList{"Stĺpec 1 <> s2+s3+s4+s5 !"} << boxName(1, 8) << "3";
        QTest::newRow("no split check in column 4") << split << 4 << 8 << QList<bool>{} << QStringList{}
                                                    << boxName(5, 8) << "1";
        const Cells both{{{1, 4}, "9"}, {{5, 4}, "2"}};
        const QStringList bothAsked{"Stĺpec 1 <> s2+s3+s4+s5 !", "Riadok 0501 stl.5 <> r0502+r0503+r0504+r0505 !"};
        QTest::newRow("split and group, Yes") << both << 5 << 4 << QList<bool>{true} << bothAsked.mid(0, 1)
                                              << boxName(1, 4) << "9";
        QTest::newRow("split and group, No Yes") << both << 5 << 4 << QList<bool>{false, true} << bothAsked
                                                 << boxName(5, 0) << "0";
        QTest::newRow("split and group, No No") << both << 5 << 4 << QList<bool>{false, false} << bothAsked
                                                << boxName(6, 4) << "0";
        QTest::newRow("column 10 split, Yes") << Cells{{{6, 2}, "2"}, {{7, 2}, "1"}} << 10 << 2 << QList<bool>{true}
                                              << QStringList{"Stĺpec 6 <> s7+s8+s9+s10 !"} << boxName(6, 2) << "2";
        const Cells sum40{{{4, 0}, "10"}, {{4, 1}, "4"}, {{4, 4}, "6"}, {{4, 5}, "10"}, {{4, 13}, "10"}, {{4, 27}, "40"}};
        QTest::newRow("check sum 40") << sum40 << 4 << 27 << QList<bool>{} << QStringList{} << boxName(5, 27) << "0";
        Cells sum41 = sum40;
        sum41[{4, 27}] = "41";
        QTest::newRow("check sum 41, Yes") << sum41 << 4 << 27 << QList<bool>{true}
                                           << QStringList{"Nesprávny Kontrolný súčet r0536 S4 !"} << boxName(4, 0)
                                           << "10";
        QTest::newRow("check sum 41, No") << sum41 << 4 << 27 << QList<bool>{false}
                                          << QStringList{"Nesprávny Kontrolný súčet r0536 S4 !"} << boxName(5, 27)
                                          << "0";
        QTest::newRow("check sum beyond 32767")
            << Cells{{{7, 0}, "30000"}, {{7, 1}, "30000"}, {{7, 27}, "60000"}} << 7 << 27 << QList<bool>{}
            << QStringList{} << boxName(8, 27) << "0";
    }

    void checksOnLeaving()
    {
        QFETCH(Cells, cells);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, asked);
        QFETCH(QString, to);
        QFETCH(QString, selected);
        seedOdbStar(cells);
        QVERIFY(open());
        test::clickInto(box(column, row));
        QVERIFY(m_p->prompts.isEmpty());
        answer(answers);
        press(Qt::Key_Return);
        QStringList expected;
        for (const QString &a : asked)
            expected << a + kFix;
        QCOMPARE(m_p->texts(), expected);
        for (const test::Prompt &q : m_p->prompts) {
            QCOMPARE(q.title, QString("Chyba !"));
            QCOMPARE(q.buttons, PromptButtons::YesNo);
            QCOMPARE(q.icon, PromptIcon::Critical);
        }
        QTRY_COMPARE(focused()->objectName(), to);
        auto *target = qobject_cast<StatementBox *>(focused());
        QVERIFY(target);
        QCOMPARE(target->selectedText(), selected);
        QCOMPARE(target->background(), kFocus);
        QCOMPARE(box(column, row)->background(), box(column, row)->restColour());
        // The values stay as they were, whatever the answers.
        for (auto it = cells.cbegin(); it != cells.cend(); ++it)
            QCOMPARE(box(it.key().first, it.key().second)->text(), OdbStarStore::shownText(it.value()));
    }

    void columnThreeExampleTypedByTheUser()
    {
        QVERIFY(open());
        const QStringList typed = {"5", "2", "3", "", "1"};
        for (int r = 0; r < 5; ++r) {
            test::clickInto(box(3, r));
            QTest::keyClick(box(3, r), Qt::Key_Backspace);
            QTest::keyClicks(box(3, r), typed[r]);
        }
        QVERIFY(m_p->prompts.isEmpty());
        QCOMPARE(box(3, 3)->text(), QString());
        m_p->answer(PromptAnswer::Yes);
        press(Qt::Key_Down);
        QCOMPARE(m_p->texts(), QStringList({"Riadok 0501 stl.3 <> r0502+r0503+r0504+r0505 ! Opraviť ?"}));
        QTRY_COMPARE(focused(), box(3, 0));
        QCOMPARE(box(3, 0)->selectedText(), QString("5"));
        QCOMPARE(m_w->refocusRow(3), 0);
        // Typing the right total and leaving it asks nothing more.
        QTest::keyClicks(box(3, 0), "6");
        press(Qt::Key_Return);
        QCOMPARE(focused(), box(4, 0));
        QCOMPARE(m_w->refocusRow(3), -1);
        QCOMPARE(m_p->prompts.size(), 1);
    }

    // A click on a button that leaves a mismatched sum: Yes takes the click
    // back and the focus goes to the sum; No lets the button act.
    void buttonClickAfterTheQuestion_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Zápis") << "cmdOk";
        QTest::newRow("Storno") << "cmdZrusit";
    }

    void buttonClickAfterTheQuestion()
    {
        QFETCH(QString, button);
        seedOdbStar(kColumn3);
        const QList<QVariantList> before = odbStarRows();
        QVERIFY(open());
        test::clickInto(box(3, 4));
        QTest::keyClicks(box(3, 4), "2");
        m_p->answer(PromptAnswer::Yes);
        QTest::mouseClick(this->button(button.toLatin1()), Qt::LeftButton);
        QCOMPARE(m_p->prompts.size(), 1);
        QTRY_COMPARE(focused(), box(3, 0));
        QVERIFY(m_w->isVisible());
        QVERIFY(!this->button(button.toLatin1())->isDown());
        QCOMPARE(odbStarRows(), before);

        test::clickInto(box(3, 4));
        m_p->answer(PromptAnswer::No);
        QTest::mouseClick(this->button(button.toLatin1()), Qt::LeftButton);
        QCOMPARE(m_p->prompts.size(), 2);
        QTRY_VERIFY(!m_w->isVisible());
        if (button == QLatin1String("cmdOk")) {
            QCOMPARE(m_w->result(), int(QDialog::Accepted));
            QCOMPARE(odbStarRows()[4][3 + 3].toString(), QString("2"));
        } else {
            QCOMPARE(m_w->result(), int(QDialog::Rejected));
            QCOMPARE(odbStarRows(), before);
        }
    }

    void storedTextsEmptiedBoxesAndCloseBox()
    {
        seedOdbStar({{{2, 3}, "007"}, {{2, 6}, "12"}, {{8, 11}, "3"}});
        QVERIFY(open());
        QCOMPARE(box(2, 3)->text(), QString("007"));
        QCOMPARE(box(2, 6)->text(), QString("12"));
        QCOMPARE(box(2, 7)->text(), QString("0"));
        test::clickInto(box(2, 6));
        QTest::keyClick(box(2, 6), Qt::Key_Backspace);
        QCOMPARE(box(2, 6)->text(), QString());
        test::clickInto(box(8, 11));
        QTest::keyClicks(box(8, 11), "0");
        // The close box writes nothing.
        const QList<QVariantList> before = odbStarRows();
        m_w->close();
        QTRY_VERIFY(!m_w->isVisible());
        QCOMPARE(odbStarRows(), before);

        QVERIFY(open());
        test::clickInto(box(2, 6));
        QTest::keyClick(box(2, 6), Qt::Key_Backspace);
        test::clickInto(box(8, 11));
        QTest::keyClicks(box(8, 11), "0");
        QTest::mouseClick(button("cmdOk"), Qt::LeftButton);
        QTRY_VERIFY(!m_w->isVisible());
        const QList<QVariantList> after = odbStarRows();
        QCOMPARE(after[3][3 + 2].toString(), QString("007"));
        QCOMPARE(after[6][3 + 2].toString(), QString(" "));
        QCOMPARE(after[11][3 + 8].toString(), QString(" "));
        QVERIFY(m_p->prompts.isEmpty());
    }

    void tableOfOtherRowsIsRefused_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("30 rows") << 30;
        QTest::newRow("codes out of order") << 5;
    }

    void tableOfOtherRowsIsRefused()
    {
        QFETCH(int, count);
        seedOdbStar({{{1, 0}, "4"}});
        if (count > 28)
            seedOdbStar({}, count - 28);
        else
        {
            test::sql("DELETE FROM odbstar WHERE rowid > ?", {count});
            test::sql("UPDATE odbstar SET c_ria = '0503' WHERE rowid = 2");
        }
        const QList<QVariantList> before = odbStarRows();
        QCOMPARE(before.size(), count);
        Database::close();
        MainWindow main(m_dir->path());
        QVERIFY(test::start(main));
        m_p->answer(PromptAnswer::Ok);
        test::clickTile(main, "Label6");
        QCOMPARE(m_p->prompts.size(), 1);
        QCOMPARE(m_p->prompts[0].text,
                 QString("Tabuľka odbstar obsahuje %1 riadkov, oddiel V ich má 28 v poradí riadkov výkazu. Údaje nie je "
                         "možné upravovať, v tabuľke zostali bez zmeny.")
                     .arg(count));
        QCOMPARE(m_p->prompts[0].title, QString("Chybová správa"));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(odbStarRows(), before);
    }

    void partialTableIsToldAndCompleted()
    {
        seedOdbStar({{{1, 2}, "8"}}, 10);
        m_p->answer(PromptAnswer::Ok);
        QVERIFY(open());
        QCOMPARE(m_p->texts(), QStringList({"Tabuľka odbstar obsahuje len prvých 10 z 28 riadkov oddielu V; chýbajúce "
                                            "riadky sa doplnia pri zápise."}));
        QCOMPARE(m_p->prompts[0].title, QString("Upozornenie"));
        QCOMPARE(box(1, 2)->text(), QString("8"));
        QCOMPARE(box(1, 20)->text(), QString("0"));
        QTest::mouseClick(button("cmdOk"), Qt::LeftButton);
        QTRY_VERIFY(!m_w->isVisible());
        const QList<QVariantList> rows = odbStarRows();
        QCOMPARE(rows.size(), 28);
        QCOMPARE(rows[2][4].toString(), QString("8"));
        QCOMPARE(rows[27][3].toString(), QString("0536"));
    }

    void missingCountsAreToldAndRepaired()
    {
        seedOdbStar({{{5, 7}, "2"}});
        test::sql("UPDATE odbstar SET s_5 = NULL, s_9 = NULL WHERE c_ria = '0509'");
        m_p->answer(PromptAnswer::Ok);
        QVERIFY(open());
        QCOMPARE(m_p->texts(), QStringList({"Niektoré počty v tabuľke odbstar chýbajú (spolu 2); zobrazujú sa ako 0 a "
                                            "pri zápise sa uložia ako prázdne."}));
        QCOMPARE(box(5, 8)->text(), QString("0"));
        QCOMPARE(box(5, 7)->text(), QString("2"));
        QTest::mouseClick(button("cmdOk"), Qt::LeftButton);
        QTRY_VERIFY(!m_w->isVisible());
        QCOMPARE(test::scalar("SELECT s_5 || '|' || s_9 FROM odbstar WHERE c_ria = '0509'").toString(), QString(" | "));
    }

    void failedSaveIsToldAndNothingIsWritten()
    {
        seedOdbStar();
        const QList<QVariantList> before = odbStarRows();
        test::sql("CREATE TRIGGER refuse BEFORE UPDATE ON odbstar WHEN OLD.c_ria = '0520' "
                  "BEGIN SELECT RAISE(ABORT, 'disk je plný'); END");
        QVERIFY(open());
        QTest::keyClicks(box(1, 0), "9");
        m_p->answer(PromptAnswer::Ok);
        QTest::mouseClick(button("cmdOk"), Qt::LeftButton);
        QCOMPARE(m_p->prompts.size(), 1);
        QVERIFY2(m_p->prompts[0].text.startsWith(
                     "Údaje oddielu V sa nepodarilo zapísať, tabuľka odbstar zostala bez zmeny.\ndatabáza zápis odmietla (kód 1811)"),
                 qPrintable(m_p->prompts[0].text));
        QCOMPARE(m_p->prompts[0].title, QString("Chybová správa"));
        QVERIFY(m_w->isVisible());
        QCOMPARE(box(1, 0)->text(), QString("9"));
        QCOMPARE(odbStarRows(), before);
        test::sql("DROP TRIGGER refuse");
        QTest::mouseClick(button("cmdOk"), Qt::LeftButton);
        QTRY_VERIFY(!m_w->isVisible());
        QCOMPARE(odbStarRows()[0][4].toString(), QString("9"));
    }
};

QTEST_MAIN(OdbStarWindowTest)
#include "OdbStarWindowTest.moc"
