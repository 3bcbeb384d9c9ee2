#include "app/ui/MainWindow.h"
#include "common/SharedState.h"
#include "data/Database.h"
#include "statement/ui/DoUkazWindow.h"
#include "statement/ui/StatementBox.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"
#include "support/ui/WhenModal.h"

#include "StatementDriver.h"

#include "common/ui/QtPrompter.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace ulk;
using test::focused;
using test::ScriptedPrompter;

namespace {

const QString kQuestion = QStringLiteral("Nesedí kontrolný súčet ! Opraviť ?");
// The background of the box that has the focus, and the colour of the chosen tile.
const QColor kFocus(128, 255, 255);
const QColor kChosenTile(185, 255, 185);

QList<QStringList> rows()
{
    QList<QStringList> out;
    QSqlQuery q = runSql("SELECT r_0401, r_0402, r_0403, r_0404, r_0416 FROM dop_ukaz ORDER BY rowid");
    while (q.next()) {
        QStringList r;
        for (int i = 0; i < 5; ++i)
            r << (q.value(i).isNull() ? QString("<null>") : q.value(i).toString());
        out << r;
    }
    return out;
}

void seed(const QStringList &v) { test::sql("INSERT INTO dop_ukaz VALUES (?,?,?,?,?)", {v[0], v[1], v[2], v[3], v[4]}); }

StatementBox *box(QWidget *w, int i) { return w->findChild<StatementBox *>(QStringLiteral("TextPsych%1").arg(i)); }
QPushButton *button(QWidget *w, const char *name) { return w->findChild<QPushButton *>(name); }

void press(int key) { QTest::keyClick(focused(), Qt::Key(key)); }

} // namespace

class DoUkazWindowTest : public test::WindowCaseTest<DoUkazWindow> {
    Q_OBJECT

    // The window over the table as seeded, shown and holding the focus.
    bool open(const QStringList &seeded = {})
    {
        if (!seeded.isEmpty())
            seed(seeded);
        return openWindow();
    }

    // Moves the focus from box 0 to box 4 with Enter.
    void enterToBox4()
    {
        for (int i = 0; i < 4; ++i)
            press(Qt::Key_Return);
        QCOMPARE(focused(), box(m_w.get(), 4));
    }

private slots:
    void init() { startCase(); }
    void cleanup() { endCase(); }

    void fromTileEmptyTableThenEdited()
    {
        Database::close();
        MainWindow main(m_dir->path());
        QVERIFY(test::start(main));
        shared().recordMode = 0;
        bool checked = false;
        QVERIFY(test::openFromTile(main, "ulk::DoUkazWindow", "Label3", [&](QDialog *d) {
            QCOMPARE(d->windowTitle(), QString("IV. Doplňujúce ukazovatele"));
            QCOMPARE(d->findChild<QLabel *>("Label3")->text(), QString("Zápis/oprava údajov"));
            for (int i = 0; i < 5; ++i)
                QCOMPARE(box(d, i)->text(), QString());
            QCOMPARE(focused(), box(d, 0));
            QCOMPARE(box(d, 0)->background(), kFocus);
            QCOMPARE(box(d, 1)->background(), box(d, 1)->restColour());
            QTest::mouseClick(button(d, "cmdZap"), Qt::LeftButton);
            checked = true;
        }));
        QVERIFY(checked);
        // Five empty values: the first opening made the record.
        QCOMPARE(rows(), QList<QStringList>({{"", "", "", "", ""}}));
        QVERIFY(test::openFromTile(main, "ulk::DoUkazWindow", "Picture3", [&](QDialog *d) {
            QTest::keyClicks(box(d, 0), "3");
            press(Qt::Key_Return);
            QTest::keyClicks(box(d, 1), "1");
            test::clickInto(box(d, 4));
            QTest::keyClicks(box(d, 4), "4");
            QTest::mouseClick(button(d, "cmdZap"), Qt::LeftButton);
        }));
        QCOMPARE(rows(), QList<QStringList>({{"3", "1", "", "", "4"}}));
        QVERIFY(test::openFromTile(main, "ulk::DoUkazWindow", "Label5", [&](QDialog *d) {
            QCOMPARE(box(d, 4)->text(), QString("4"));
            QTest::mouseClick(button(d, "cmdStorno"), Qt::LeftButton);
        }));
        QVERIFY(m_p->prompts.isEmpty());
    }

    // The tiles of both statement windows first repaint the tile of the list
    // shown in the chosen colour; with no list chosen, nothing is repainted.
    void sideBarRepaintsTheChosenListTile_data()
    {
        QTest::addColumn<QString>("windowClass");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("listChosen");
        QTest::newRow("tile 3, clients shown") << "ulk::DoUkazWindow" << "Label3" << true;
        QTest::newRow("tile 3, no list") << "ulk::DoUkazWindow" << "Picture3" << false;
        QTest::newRow("tile 5, clients shown") << "ulk::OdbStarWindow" << "Picture5" << true;
        QTest::newRow("tile 5, no list") << "ulk::OdbStarWindow" << "Label7" << false;
    }

    void sideBarRepaintsTheChosenListTile()
    {
        QFETCH(QString, windowClass);
        QFETCH(QString, control);
        QFETCH(bool, listChosen);
        Database::close();
        MainWindow main(m_dir->path());
        QVERIFY(test::start(main));
        if (listChosen)
            test::clickTile(main, "Label1");
        const QColor before = main.tileColour(1);
        QVERIFY(before != kChosenTile);
        QColor during;
        QVERIFY(test::openFromTile(main, windowClass.toLatin1(), control.toLatin1(), [&](QDialog *d) {
            during = main.tileColour(1);
            QVERIFY(!d->parentWidget());
        }));
        QCOMPARE(during, listChosen ? kChosenTile : before);
        QCOMPARE(main.tileColour(1), during);
        QVERIFY(m_p->prompts.isEmpty());
    }

    void captionsAndTabOrder()
    {
        QVERIFY(open());
        QWidget *w = m_w.get();
        const QStringList groups = {w->findChild<QLabel *>("lblSkupina0")->text(),
                                    w->findChild<QLabel *>("lblSkupina2")->text(),
                                    w->findChild<QLabel *>("lblSkupina4")->text()};
        QCOMPARE(groups, QStringList({"Počet miestností ", "Diagnostické pobyty", "Kontrolný súčet (0401 až 0404) "}));
        QStringList lines, codes;
        for (int i = 0; i < 5; ++i) {
            if (auto *l = w->findChild<QLabel *>(QStringLiteral("lblRiadok%1").arg(i)))
                lines << l->text();
            codes << w->findChild<QLabel *>(QStringLiteral("lblKod%1").arg(i))->text();
        }
        QCOMPARE(lines, QStringList({"spolu", "nevyhovujúce", "počet detí", "počet hodín"}));
        QCOMPARE(codes, QStringList({"0401", "0402", "0403", "0404", "0416"}));
        QCOMPARE(button(w, "cmdZap")->text(), QString("Zápis"));
        QCOMPARE(button(w, "cmdStorno")->text(), QString("Storno"));
        // Zápis, Storno, boxes 0 to 4, and round again.
        button(w, "cmdZap")->setFocus(Qt::TabFocusReason);
        QList<QWidget *> order;
        for (int k = 0; k < 8; ++k) {
            press(Qt::Key_Tab);
            order << focused();
        }
        QCOMPARE(order, QList<QWidget *>({button(w, "cmdStorno"), box(w, 0), box(w, 1), box(w, 2), box(w, 3), box(w, 4),
                                          button(w, "cmdZap"), button(w, "cmdStorno")}));
        QCOMPARE(w->palette().color(QPalette::Window), QColor(206, 206, 232));
        QCOMPARE(button(w, "cmdZap")->palette().color(QPalette::Button), QColor(157, 157, 206));
        QVERIFY(!button(w, "cmdZap")->autoDefault());
    }

    void enterAndDownMoveAndSelectTrimmedLength()
    {
        QVERIFY(open({"12", " 34", "5", "", ""}));
        StatementBox *b0 = box(m_w.get(), 0), *b1 = box(m_w.get(), 1);
        QCOMPARE(b0->selectedText(), QString("12"));
        press(Qt::Key_Return);
        QCOMPARE(focused(), b1);
        // " 34" trimmed is two characters long: two from the start are selected.
        QCOMPARE(b1->text(), QString(" 34"));
        QCOMPARE(b1->selectedText(), QString(" 3"));
        QCOMPARE(b1->background(), kFocus);
        QCOMPARE(b0->background(), b0->restColour());
        QCOMPARE(b0->text(), QString("12"));
        press(Qt::Key_Down);
        QCOMPARE(focused(), box(m_w.get(), 2));
        QCOMPARE(box(m_w.get(), 2)->selectedText(), QString("5"));
        // Up does nothing special.
        press(Qt::Key_Up);
        QCOMPARE(focused(), box(m_w.get(), 2));
        QVERIFY(m_p->prompts.isEmpty());
    }

    void digitsOnlySilently()
    {
        QVERIFY(open());
        StatementBox *b0 = box(m_w.get(), 0);
        QTest::keyClicks(b0, "a1 -2.x3");
        QCOMPARE(b0->text(), QString("123"));
        QTest::keyClick(b0, Qt::Key_Backspace);
        QCOMPARE(b0->text(), QString("12"));
        QTest::keyClick(b0, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(b0->text(), QString("12"));
        QVERIFY(m_p->prompts.isEmpty());
        QCOMPARE(focused(), b0);
    }

    void checkSumOnLeavingBox4_data()
    {
        QTest::addColumn<QString>("checkSum");
        QTest::addColumn<int>("answer"); // 0 none expected, 1 Yes, 2 No
        QTest::addColumn<QString>("focusedAfter");
        QTest::newRow("matches") << "10" << 0 << "cmdZap";
        QTest::newRow("9, Yes") << "9" << 1 << "TextPsych0";
        QTest::newRow("9, No") << "9" << 2 << "cmdZap";
    }

    void checkSumOnLeavingBox4()
    {
        QFETCH(QString, checkSum);
        QFETCH(int, answer);
        QFETCH(QString, focusedAfter);
        QVERIFY(open({"3", "1", "2", "4", checkSum}));
        if (answer)
            m_p->answer(answer == 1 ? PromptAnswer::Yes : PromptAnswer::No);
        // Leaving boxes 0 to 3 asks nothing, whatever the sum.
        enterToBox4();
        QVERIFY(m_p->prompts.isEmpty());
        press(Qt::Key_Return);
        QCOMPARE(m_p->prompts.size(), answer ? 1 : 0);
        if (answer) {
            const test::Prompt &q = m_p->prompts[0];
            QCOMPARE(q.text, kQuestion);
            QCOMPARE(q.title, QString("Chyba !"));
            QCOMPARE(q.icon, PromptIcon::Critical);
            QCOMPARE(q.buttons, PromptButtons::YesNo);
        }
        QTRY_COMPARE(focused()->objectName(), focusedAfter);
        if (answer == 1) {
            QCOMPARE(box(m_w.get(), 0)->selectedText(), QString("3"));
            QCOMPARE(box(m_w.get(), 0)->background(), kFocus);
            QCOMPARE(m_w->refocusIndex(), -1);
        }
        QCOMPARE(box(m_w.get(), 4)->background(), box(m_w.get(), 4)->restColour());
        // The values stay as typed, whatever the answer.
        QCOMPARE(box(m_w.get(), 4)->text(), checkSum);
    }

    void mouseLeavesBox4ForAnotherBox()
    {
        QVERIFY(open({"3", "1", "2", "4", "9"}));
        QTest::mouseClick(box(m_w.get(), 4), Qt::LeftButton);
        QVERIFY(m_p->prompts.isEmpty());
        m_p->answer(PromptAnswer::Yes);
        QTest::mouseClick(box(m_w.get(), 2), Qt::LeftButton);
        QCOMPARE(m_p->texts(), QStringList({kQuestion}));
        QTRY_COMPARE(focused(), box(m_w.get(), 0));
        QCOMPARE(box(m_w.get(), 2)->background(), box(m_w.get(), 2)->restColour());
    }

    // A click on "Zápis" that leaves a wrong check sum: Yes keeps the window
    // open with the focus in box 0 and stores nothing; No stores and closes.
    void zapisClickAfterTheQuestion()
    {
        QVERIFY(open({"3", "1", "2", "4", "10"}));
        test::clickInto(box(m_w.get(), 4));
        QTest::keyClicks(box(m_w.get(), 4), "9");
        m_p->answer(PromptAnswer::Yes);
        QTest::mouseClick(button(m_w.get(), "cmdZap"), Qt::LeftButton);
        QCOMPARE(m_p->texts(), QStringList({kQuestion}));
        QTRY_COMPARE(focused(), box(m_w.get(), 0));
        QVERIFY(m_w->isVisible());
        QCOMPARE(rows(), QList<QStringList>({{"3", "1", "2", "4", "10"}}));

        QTest::mouseClick(box(m_w.get(), 4), Qt::LeftButton);
        m_p->answer(PromptAnswer::No);
        QTest::mouseClick(button(m_w.get(), "cmdZap"), Qt::LeftButton);
        QCOMPARE(m_p->prompts.size(), 2);
        QTRY_VERIFY(!m_w->isVisible());
        QCOMPARE(m_w->result(), int(QDialog::Accepted));
        QCOMPARE(rows(), QList<QStringList>({{"3", "1", "2", "4", "9"}}));
    }

    // The question in a real message box, which takes the focus while it is
    // open. A press on "Zápis" whose release the box swallows ("press") acts
    // as a whole click: Yes takes it back, No stores.
    void realQuestionBox_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("focusedAfter"); // empty: the window stored and closed
        QTest::newRow("Enter, Yes") << "Enter" << true << "TextPsych0";
        QTest::newRow("Enter, No") << "Enter" << false << "cmdZap";
        QTest::newRow("click, Yes") << "click" << true << "TextPsych0";
        QTest::newRow("click, No") << "click" << false << "";
        QTest::newRow("press, Yes") << "press" << true << "TextPsych0";
        QTest::newRow("press, No") << "press" << false << "";
    }

    void realQuestionBox()
    {
        QFETCH(QString, route);
        QFETCH(bool, yes);
        QFETCH(QString, focusedAfter);
        QtPrompter qt;
        setPrompter(&qt);
        QVERIFY(open({"3", "1", "2", "4", "9"}));
        enterToBox4();
        QString seen;
        test::whenModal("QMessageBox", [&](QWidget *w) {
            auto *box = static_cast<QMessageBox *>(w);
            seen = box->windowTitle() + " | " + box->text();
            QTest::mouseClick(box->button(yes ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        });
        QPushButton *zap = button(m_w.get(), "cmdZap");
        if (route == "Enter")
            press(Qt::Key_Return);
        else if (route == "click")
            QTest::mouseClick(zap, Qt::LeftButton);
        else
            QTest::mousePress(zap, Qt::LeftButton);
        QTRY_COMPARE(seen, QString("Chyba ! | ") + kQuestion);
        QTRY_VERIFY(!QApplication::activeModalWidget() || QApplication::activeModalWidget() == m_w.get());
        // The window manager gives the window back its activation; the
        // offscreen platform has none.
        if (!focusedAfter.isEmpty() && QApplication::activeWindow() != m_w.get()) {
            m_w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        }
        if (focusedAfter.isEmpty()) {
            QTRY_VERIFY(!m_w->isVisible());
            QCOMPARE(rows(), QList<QStringList>({{"3", "1", "2", "4", "9"}}));
        } else {
            QTRY_COMPARE(focused() ? focused()->objectName() : QString(), focusedAfter);
            QVERIFY(m_w->isVisible());
            QVERIFY(!zap->isDown());
            QCOMPARE(rows(), QList<QStringList>({{"3", "1", "2", "4", "9"}}));
            QCOMPARE(box(m_w.get(), 0)->background(), yes ? kFocus : box(m_w.get(), 0)->restColour());
            QCOMPARE(box(m_w.get(), 4)->background(), box(m_w.get(), 4)->restColour());
        }
        if (route == "press")
            QTest::mouseRelease(m_w->findChild<QLabel *>("Label3"), Qt::LeftButton);
        setPrompter(m_p.get());
    }

    void enterOnZapisStores()
    {
        QVERIFY(open({"3", "1", "2", "4", "10"}));
        QTest::keyClicks(box(m_w.get(), 0), "5");
        enterToBox4();
        m_p->answer(PromptAnswer::No);
        press(Qt::Key_Return);
        QTRY_COMPARE(focused(), button(m_w.get(), "cmdZap"));
        press(Qt::Key_Return);
        QTRY_VERIFY(!m_w->isVisible());
        QCOMPARE(rows(), QList<QStringList>({{"5", "1", "2", "4", "10"}}));
    }

    void stornoEscAndCloseBoxDropChanges_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Storno") << "Storno";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("close box") << "close";
    }

    void stornoEscAndCloseBoxDropChanges()
    {
        QFETCH(QString, how);
        QVERIFY(open({"3", "1", "2", "4", "10"}));
        shared().recordMode = 2;
        QTest::keyClicks(box(m_w.get(), 0), "7");
        test::clickInto(box(m_w.get(), 4));
        QTest::keyClicks(box(m_w.get(), 4), "1");
        // Box 4 now holds a wrong check sum: leaving it for Storno asks nothing.
        if (how == "Storno")
            QTest::mouseClick(button(m_w.get(), "cmdStorno"), Qt::LeftButton);
        else if (how == "Esc")
            press(Qt::Key_Escape);
        else
            m_w->close();
        QTRY_VERIFY(!m_w->isVisible());
        QCOMPARE(m_w->result(), int(QDialog::Rejected));
        QVERIFY(m_p->prompts.isEmpty());
        QCOMPARE(shared().recordMode, quint8(0));
        QCOMPARE(rows(), QList<QStringList>({{"3", "1", "2", "4", "10"}}));
    }

    void emptyTableStornoAddsNothing()
    {
        QVERIFY(open());
        QTest::keyClicks(box(m_w.get(), 0), "7");
        QTest::mouseClick(button(m_w.get(), "cmdStorno"), Qt::LeftButton);
        QTRY_VERIFY(!m_w->isVisible());
        QCOMPARE(rows(), QList<QStringList>());
    }

    void severalRowsTheFirstIsEdited()
    {
        seed({"1", "2", "3", "4", "10"});
        QVERIFY(open({"9", "9", "9", "9", "36"}));
        QCOMPARE(box(m_w.get(), 0)->text(), QString("1"));
        QTest::keyClicks(box(m_w.get(), 0), "2");
        QTest::mouseClick(button(m_w.get(), "cmdZap"), Qt::LeftButton);
        QTRY_VERIFY(!m_w->isVisible());
        QCOMPARE(rows(), QList<QStringList>({{"2", "2", "3", "4", "10"}, {"9", "9", "9", "9", "36"}}));
    }

    void failedSaveIsToldAndTheWindowStays()
    {
        QVERIFY(open({"1", "2", "3", "4", "10"}));
        QTest::keyClicks(box(m_w.get(), 0), "8");
        test::sql("PRAGMA query_only = 1");
        m_p->answer(PromptAnswer::Ok);
        QTest::mouseClick(button(m_w.get(), "cmdZap"), Qt::LeftButton);
        test::sql("PRAGMA query_only = 0");
        QCOMPARE(m_p->prompts.size(), 1);
        QVERIFY2(m_p->prompts[0].text.startsWith(
                     "Údaje oddielu IV sa nepodarilo zapísať, tabuľka dop_ukaz zostala bez zmeny.\n"),
                 qPrintable(m_p->prompts[0].text));
        QCOMPARE(m_p->prompts[0].title, QString("Chybová správa"));
        QVERIFY(m_w->isVisible());
        QCOMPARE(box(m_w.get(), 0)->text(), QString("8"));
        QCOMPARE(rows(), QList<QStringList>({{"1", "2", "3", "4", "10"}}));
        QTest::mouseClick(button(m_w.get(), "cmdZap"), Qt::LeftButton);
        QTRY_VERIFY(!m_w->isVisible());
        QCOMPARE(rows(), QList<QStringList>({{"8", "2", "3", "4", "10"}}));
    }

    void unreadableTableIsToldAndNotShown()
    {
        test::sql("DROP TABLE dop_ukaz");
        m_p->answer(PromptAnswer::Ok);
        DoUkazWindow w(m_dir->path());
        QCOMPARE(w.exec(), int(QDialog::Rejected));
        QVERIFY(w.refused());
        QCOMPARE(m_p->prompts.size(), 1);
        QVERIFY(m_p->prompts[0].text.startsWith("Údaje oddielu IV nie je možné načítať.\n"));
    }
};

QTEST_MAIN(DoUkazWindowTest)
#include "DoUkazWindowTest.moc"
