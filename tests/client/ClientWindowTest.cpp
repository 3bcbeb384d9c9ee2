#include "ClientWindowDriver.h"

#include "client/ClientRecord.h"
#include "data/Database.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QListView>
#include "common/ui/CodePicker.h"
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace ulk;
using test::ScriptedPrompter;

namespace {

struct Typed {
    int field;
    QString typed;
    QString shown; // as the reopened window shows it
};

// What a user types into every basic-data field, tab 0 then tab 1.
const QList<Typed> kClientTab = {
    {0, "mária", "Mária"},
    {1, "kováčová", "Kováčová"},
    {2, "bratislava", "Bratislava"},
    {3, "0553120007", "0553120007"},
    {4, "", "12.3.2005"}, // derived from the birth number
    {5, "", "Z"},
    {6, "123", "123"},
    {7, "25", "25"},
    {8, "01", "01"},
    {9, "SK", "SK"},
    {10, "01", "01"},
    {11, "02", "02"},
    {12, "hlavná 5", "Hlavná 5"},
    {13, "košice", "Košice"},
    {14, "04001", "04001"},
    {15, "zš tatranská 1", "Zš tatranská 1"},
    {16, "pediatrička", "Pediatrička"},
    {17, "1.9.2020", "1.9.2020"},
};
const QList<Typed> kParentsTab = {
    {20, "jana kováčová", "Jana Kováčová"},
    {21, "1975", "1975"},
    {22, "30", "30"},
    {23, "VŠ", "VŠ"},
    {24, "hlavná 5", "Hlavná 5"},
    {25, "košice", "Košice"},
    {26, "04001", "04001"},
    {27, "0905111222", "0905111222"},
    {28, "jana@example.sk", "jana@example.sk"},
    {29, "učiteľka", "učiteľka"},
    {30, "zš hlavná", "Zš hlavná"},
    {31, "055111", "055111"},
    {32, "žiadne", "žiadne"},
    {33, "", ""}, // the associated box is closed: Enter goes on to the father
    {35, "peter o'neil", "Peter O'neil"},
    {36, "1973", "1973"},
    {37, "32", "32"},
    {38, "SŠ", "SŠ"},
    {39, "hlavná 5", "Hlavná 5"},
    {40, "prešov", "Prešov"},
    {41, "08001", "08001"},
    {42, "0905333444", "0905333444"},
    {43, "peter@example.sk", "peter@example.sk"},
    {44, "vodič", "vodič"},
    {45, "dopravný podnik", "Dopravný podnik"},
    {46, "055222", "055222"},
    {47, "", ""},
    {48, "", ""},
    {50, "jana kováčová", "Jana Kováčová"},
    {51, "matka", "matka"},
    {52, "košice", "Košice"},
    {53, "hlavná 5", "Hlavná 5"},
    {54, "04001", "04001"},
    {55, "0905111222", "0905111222"},
    {56, "jana@example.sk", "jana@example.sk"},
};

// Types a tab's fields with Enter, checking that each Enter moves on as the
// fields are ordered (the associated disability boxes are disabled).
void typeFields(test::ScriptedPrompter &p, ClientWindow *window, const QList<Typed> &fields)
{
    for (const Typed &t : fields) {
        QCOMPARE(test::focusedField(window), t.field);
        test::typeAndPress(t.typed);
    }
    QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
}


} // namespace

class ClientWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { test::closeProgram(); }

    void theWindowsShell()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            const QStringList captions = {"Základné údaje",
                                          "Rodičia",
                                          "Súrodenci",
                                          "Dieťa v rannom predš.veku",
                                          "Žiak vo vých.vyuč.procese",
                                          "Zhrn.výsl.pred.odb.vyš",
                                          "Ďalšie dôl.údaje o klientovi",
                                          "Poznámky",
                                          "Indiv.plán klienta ulk.por.zar.",
                                          "Úd. o vých. a vzdel., resp. o ulk. výchove",
                                          "Priebeh a závery ulk.vyšetrenia",
                                          "Záznam o ulk.starostliv.",
                                          "Zaznamenané zmeny",
                                          "Návštevy"};
            QCOMPARE(window->tabs()->objectName(), QString("SSTab1"));
            QCOMPARE(window->tabs()->count(), 14);
            for (int t = 0; t < 14; ++t)
                QCOMPARE(window->tabs()->tabText(t), captions[t]);
            QStringList frames;
            for (QGroupBox *g : window->findChildren<QGroupBox *>())
                frames << g->title();
            for (const char *f : {"KLIENT", "Postihnutia", "Matka", "Otec", "Zákonný zástupca"})
                QVERIFY2(frames.contains(QString::fromUtf8(f)), f);
            QCOMPARE(frames.count("Postihnutia"), 4); // client, mother, father, sibling
            const QList<QStringList> buttons = {
                {"cmdZaklUd", "Zapíš základné údaje", "Zapíše základné údaje a sprístupníi ďalšie záložky"},
                {"cmdzapNew", "Zapíš + nový klient", "Zapíše aktuálne údaje a prejde na nového klienta"},
                {"cmdZap", "Zapíš + návrat", "Zapíše aktuálne údaje a vráti sa do hlavnej obrazovky"},
                {"cmdStorno", "Storno", "Návrat do hlavnej obrazovky"},
                {"cmdTlac", "Tlač záložku", ""}};
            int left = -1;
            for (const QStringList &b : buttons) {
                QPushButton *button = window->button(b[0]);
                QVERIFY2(button, qPrintable(b[0]));
                QCOMPARE(button->text(), b[1]);
                QCOMPARE(button->toolTip(), b[2]);
                QVERIFY(!button->autoDefault());
                QCOMPARE(button->palette().color(QPalette::Button), QColor(157, 157, 206));
                QVERIFY(button->x() > left);
                left = button->x();
            }
            QVERIFY(window->button("cmdTlac")->isEnabled());
            QCOMPARE(window->palette().color(QPalette::Window), QColor(206, 206, 232));
            QCOMPARE(window->tabs()->palette().color(QPalette::Window), QColor(206, 206, 232));
            for (int i = 0; i < 6; ++i)
                QVERIFY(window->findChild<QPlainTextEdit *>(QStringLiteral("rtbDUK%1").arg(i)));
            for (const char *list : {"DBList1", "DBList2", "DBList3", "DBList4", "DBList5", "DBList6"}) {
                auto *view = window->findChild<QListView *>(QString::fromLatin1(list));
                QVERIFY2(view, list);
                QCOMPARE(view->model()->rowCount(), 0);
            }
            for (int i = 0; i < 57; ++i) {
                FieldEdit *f = window->findChild<FieldEdit *>(QStringLiteral("textKrz%1").arg(i));
                QVERIFY(f);
                QCOMPARE(f->index(), i);
            }
            QCOMPARE(window->field(15)->maxLength(), 70);
            QCOMPARE(window->field(3)->toolTip(), QString("rodné číslo bez lomítka"));
            // The pickers and their lines.
            BasicDataPages &pages = window->pages();
            QCOMPARE(pages.picker(8)->itemText(0), QString("24  |  DÔVERA zdravotná poisťovňa, a. s."));
            QCOMPARE(pages.picker(1)->itemText(0), QString("01  |  slovenská"));
            QCOMPARE(pages.picker(3)->itemText(0), QString("01  |  slovenský"));
            QCOMPARE(pages.picker(9)->count(), pages.picker(3)->count());
            QCOMPARE(pages.picker(2)->itemText(0), QString("AF|  Afganistan"));
            QCOMPARE(pages.picker(0)->itemText(0), QString("Bánovce nad Bebravou"));
            QCOMPARE(pages.picker(7)->count(), pages.picker(0)->count());
            for (CodePicker *picker : {pages.picker(0), pages.picker(8)})
                QCOMPARE(picker->currentIndex(), -1);
            QCOMPARE(pages.positionPicker(3)->count(), 2);
            QCOMPARE(pages.positionPicker(3)->itemText(1), QString("Z"));
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(pages.positionPicker(i)->count(), 10);
                QCOMPARE(pages.positionPicker(i)->itemText(0), QString("    ŽIADNE POSTIHNUTIE"));
                QCOMPARE(pages.positionPicker(i)->itemText(9), QString("9 ¦ iné"));
                QCOMPARE(pages.associatedList(BasicDataPages::Person(i))->count(), 10);
                QCOMPARE(pages.positionPicker(i)->view()->minimumWidth(), 240);
            }
            QCOMPARE(pages.picker(5)->toolTip(), QString("výber obce"));
            // Tab 0 in front, the focus in the first name.
            QCOMPARE(window->tabs()->currentIndex(), 0);
            QCOMPARE(QApplication::focusWidget(), window->field(0));
        }));
        QVERIFY(p.unexpected.isEmpty());
    }

    void newClientIsSavedAndReopensAsTyped()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            QCOMPARE(window->objectName(), QString("frmKlientUdaj"));
            QCOMPARE(window->windowTitle(), QString("Údaje klienta"));
            QCOMPARE(window->tabs()->currentIndex(), 0);
            for (int t = 1; t < 14; ++t)
                QVERIFY(!window->tabs()->isTabEnabled(t));
            QVERIFY(window->button("cmdZaklUd")->isVisible());
            typeFields(p, window, kClientTab);
            // Enter in the dominant disability box stays while the associated box is closed.
            QCOMPARE(test::focusedField(window), 18);
            test::typeAndPress(QString());
            QCOMPARE(test::focusedField(window), 18);

            test::clickButton(window, "cmdZaklUd");
            QCOMPARE(shared().currentRecordId, QString("KOVÁČOMÁ00"));
            QCOMPARE(shared().recordMode, quint8(1));
            QVERIFY(!window->button("cmdZaklUd")->isVisible());
            for (int t = 1; t < 14; ++t)
                QVERIFY(window->tabs()->isTabEnabled(t));
            QCOMPARE(test::rowCount("k_zaklad"), 1);

            test::clickTab(window, 1);
            QCOMPARE(test::focusedField(window), 20);
            typeFields(p, window, kParentsTab);
            QTest::mouseClick(window->pages().option(0), Qt::LeftButton);
            QTest::mouseClick(window->pages().option(3), Qt::LeftButton);
            QTest::mouseClick(window->pages().option(4), Qt::LeftButton);

            test::clickTab(window, 3);
            QCOMPARE(QApplication::focusWidget(), window->memoField(3));
            test::typeText(window->memoField(3), QStringLiteral("raný vek"));
            test::clickTab(window, 7);
            QCOMPARE(QApplication::focusWidget(), window->memoField(1));
            test::typeText(window->memoField(1), QStringLiteral("poznámka"));
            test::clickButton(window, "cmdZap");
            QVERIFY(!window->isVisible());
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(shared().recordMode, quint8(0));
        QCOMPARE(test::rowCount("k_zaklad"), 1);
        const QString key = "KOVÁČOMÁ00";
        QCOMPARE(test::scalar("SELECT datnar FROM k_zaklad WHERE idkod = ?", {key}).toString(), QString("2005-03-12"));
        QCOMPARE(test::scalar("SELECT datevi FROM k_zaklad WHERE idkod = ?", {key}).toString(), QString("2020-09-01"));
        QCOMPARE(test::scalar("SELECT matvek FROM k_zaklad WHERE idkod = ?", {key}).toInt(), 30);
        QCOMPARE(test::scalar("SELECT matvla FROM k_zaklad WHERE idkod = ?", {key}).toInt(), 1);
        QCOMPARE(test::scalar("SELECT otevla FROM k_zaklad WHERE idkod = ?", {key}).toInt(), 0);
        QCOMPARE(test::scalar("SELECT pohlav FROM k_zaklad WHERE idkod = ?", {key}).toString(), QString("Z"));
        QVERIFY(test::scalar("SELECT otechor FROM k_zaklad WHERE idkod = ?", {key}).isNull());
        QCOMPARE(test::scalar("SELECT u_dieta FROM k_memo WHERE idkod = ?", {key}).toString(), QString("raný vek"));
        QCOMPARE(test::scalar("SELECT poznamky FROM k_memo WHERE idkod = ?", {key}).toString(), QString("poznámka"));

        // Reopened through the Edit button: every field as it was typed.
        QVERIFY(test::selectClient(w, key));
        QVERIFY(test::inClientWindow(test::mainButton(w, "cmdOprava"), [&](ClientWindow *window) {
            QCOMPARE(window->windowTitle(), QString("Údaje klientaKOVÁČOMÁ00 : Mária  Kováčová"));
            QVERIFY(!window->button("cmdZaklUd")->isVisible());
            for (int t = 0; t < 14; ++t)
                QVERIFY(window->tabs()->isTabEnabled(t));
            for (const QList<Typed> *tab : {&kClientTab, &kParentsTab})
                for (const Typed &t : *tab)
                    QCOMPARE(window->field(t.field)->text(), t.shown);
            const bool options[] = {true, false, false, true, true, false, false};
            for (int i = 0; i < 7; ++i)
                QCOMPARE(window->pages().option(i)->isChecked(), options[i]);
            QCOMPARE(window->memoField(3)->toPlainText(), QString("raný vek"));
            QCOMPARE(window->memoField(1)->toPlainText(), QString("poznámka"));
            QCOMPARE(test::focusedField(window), 0);
            test::clickButton(window, "cmdStorno");
        }));
        QCOMPARE(shared().currentRecordId, key);

        // A second client with the same name part gets the next counter.
        QVERIFY(test::inClientWindow(test::mainButton(w, "CmdNovy"), [&](ClientWindow *window) {
            test::typeAndPress("Mária");
            test::typeAndPress("Kováčová");
            test::retype(window->field(6), "124");
            test::clickButton(window, "cmdZap");
        }));
        QCOMPARE(test::scalar("SELECT idkod FROM k_zaklad WHERE katcis = '124'").toString(), QString("KOVÁČOMÁ01"));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void requiredFields_data()
    {
        QTest::addColumn<int>("missing");
        QTest::addColumn<QString>("message");
        QTest::newRow("first name") << 0 << "Meno je povinný údaj !";
        QTest::newRow("surname") << 1 << "Priezvisko je povinný údaj !";
        QTest::newRow("catalogue number") << 6 << "Katalógové číslo je povinný údaj !";
    }
    void requiredFields()
    {
        QFETCH(int, missing);
        QFETCH(QString, message);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        p.answer(PromptAnswer::Ok);
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            const QStringList values = {"Mária", "Kováčová", "", "", "", "", "77"};
            for (int f : {0, 1, 6})
                if (f != missing)
                    test::retype(window->field(f), values[f]);
            // Only blanks count as empty.
            if (missing == 1)
                test::retype(window->field(1), "   ");
            test::clickButton(window, "cmdZap");
            QVERIFY(window->isVisible());
            QCOMPARE(p.prompts.size(), 1);
            QCOMPARE(p.prompts[0].text, message);
            QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
            QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
            QCOMPARE(p.prompts[0].buttons, PromptButtons::Ok);
            QCOMPARE(test::focusedField(window), missing);
            QCOMPARE(shared().recordMode, quint8(1));
        }));
        QCOMPARE(test::rowCount("k_zaklad"), 0);
        QCOMPARE(test::rowCount("k_memo"), 0);
        QVERIFY(p.unexpected.isEmpty());
    }

    void everythingEmptyNamesTheFirstName()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        p.answer(PromptAnswer::Ok);
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            test::clickButton(window, "cmdzapNew");
            QCOMPARE(p.texts(), QStringList({"Meno je povinný údaj !"}));
            QCOMPARE(test::focusedField(window), 0);
        }));
    }

    void missingCatalogueNumberOnAnotherTab()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "");
        QVERIFY(program.show());
        QVERIFY(test::chooseClients(w));
        QVERIFY(test::selectClient(w, "KOVÁČOMÁ00"));
        p.answer(PromptAnswer::Ok);
        QVERIFY(test::inClientWindow(test::mainButton(w, "cmdOprava"), [&](ClientWindow *window) {
            test::clickTab(window, 5);
            test::clickButton(window, "cmdZap");
            QCOMPARE(p.texts(), QStringList({"Katalógové číslo je povinný údaj !"}));
            QCOMPARE(window->tabs()->currentIndex(), 0);
            QCOMPARE(test::focusedField(window), 6);
        }));
    }

    void stornoAndTheCloseBoxStoreNothing_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Storno") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("Esc") << 2;
    }
    void stornoAndTheCloseBoxStoreNothing()
    {
        QFETCH(int, how);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            test::typeAndPress("Mária");
            test::typeAndPress("Kováčová");
            test::retype(window->field(6), "5");
            if (how == 1)
                window->close();
            else if (how == 2)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            else
                test::clickButton(window, "cmdStorno");
            QVERIFY(!window->isVisible());
        }));
        QCOMPARE(shared().recordMode, quint8(0));
        QCOMPARE(test::rowCount("k_zaklad"), 0);
        QCOMPARE(test::rowCount("k_memo"), 0);
        QVERIFY(p.unexpected.isEmpty());
    }

    void anEditOfAMissingClientOpensNothing()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        test::addClient("NOVÁKJÁ00", "Ján", "Novák", "2");
        QVERIFY(program.show());
        QVERIFY(test::chooseClients(w));
        QVERIFY(test::selectClient(w, "NOVÁKJÁ00"));
        test::sql("DELETE FROM k_zaklad WHERE idkod = 'NOVÁKJÁ00'");
        p.answer(PromptAnswer::Ok);
        QVERIFY(!test::inClientWindow(test::mainButton(w, "cmdOprava"), [](ClientWindow *) {}, 1));
        QCOMPARE(p.texts(), QStringList({"Klient sa v databáze nenašiel."}));
        QCOMPARE(p.prompts[0].title, QString("Upozornenie"));
        QCOMPARE(shared().recordMode, quint8(0));
        QCOMPARE(test::scalar("SELECT meno FROM k_zaklad WHERE idkod = 'KOVÁČOMÁ00'").toString(), QString("Mária"));
    }

};

QTEST_MAIN(ClientWindowTest)
#include "ClientWindowTest.moc"
