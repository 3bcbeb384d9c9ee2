// The disability codes of the client, the mother and the father in the
// client record window: typed and chosen, confirmed by a key or left with
// the mouse, and the strings stored; and a whole client typed with its
// checks, saved and opened again.
#include "ClientWindowDriver.h"
#include "DisabilityDriver.h"

#include "client/ui/DisabilityEntry.h"
#include "client/ui/DisabilityPanel.h"
#include "common/ui/CodePicker.h"
#include "data/Database.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace ulk;
using test::ScriptedPrompter;
using test::listDigits;
using test::slotsOf;

namespace {

const QString kKey = "KOVÁČOMÁ00";
const QString kDuplicate = "Postihnutie môže nadobudnúť len hodnotu 1 až 9 bez duplicít !";


// Slot 0, then slots 1 to 8 as given and blanks after them.
QString slotsText(const QString &dominant, const QStringList &associated = {}, const QString &rest = " ")
{
    QStringList s{dominant};
    s << associated;
    while (s.size() < 9)
        s << rest;
    return s.join(QLatin1Char('|'));
}

// Clicks into a code box, types the code and confirms it with a key, or
// leaves the box with a click on another field.
void enter(FieldEdit *box, const QString &code, QWidget *leaveTo = nullptr)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QTRY_VERIFY(box->hasFocus());
    if (!code.isEmpty())
        QTest::keyClicks(box, code);
    if (leaveTo)
        QTest::mouseClick(leaveTo, Qt::LeftButton);
    else
        QTest::keyClick(box, Qt::Key_Return);
}

int itemOf(const QComboBox *list, int digit)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->itemText(i).left(1) == QString::number(digit))
            return i;
    return -1;
}

} // namespace

class ClientDisabilityTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { test::closeProgram(); }

    void codesOfAPerson_data()
    {
        QTest::addColumn<int>("person");
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("otherField"); // a field to leave a box for
        QTest::addColumn<QString>("column");
        QTest::newRow("client") << int(BasicDataPages::Client) << 0 << 12 << "postih";
        QTest::newRow("mother") << int(BasicDataPages::Mother) << 1 << 23 << "matpos";
        QTest::newRow("father") << int(BasicDataPages::Father) << 1 << 38 << "otepos";
    }
    void codesOfAPerson()
    {
        QFETCH(int, person);
        QFETCH(int, tab);
        QFETCH(int, otherField);
        QFETCH(QString, column);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        dir.openRegister();
        test::addClient(kKey, "Mária", "Kováčová", "1");
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            if (tab)
                test::clickTab(window, tab);
            DisabilityPanel *panel = window->pages().disabilityPanel(BasicDataPages::Person(person));
            FieldEdit *dominant = panel->dominantBox();
            FieldEdit *associated = panel->associatedBox();
            QComboBox *picker = panel->dominantPicker();
            QComboBox *list = panel->associatedList();
            QWidget *other = window->field(otherField);
            const auto associatedEnabled = [&] { return associated->isEnabled() && list->isEnabled(); };
            const auto associatedDisabled = [&] { return !associated->isEnabled() && !list->isEnabled(); };
            QCOMPARE(slotsOf(panel), slotsText("", {}, ""));
            QVERIFY(associatedDisabled());

            // "0" changes nothing.
            enter(dominant, "0");
            QCOMPARE(slotsOf(panel), slotsText("", {}, ""));
            QVERIFY(associatedDisabled());
            // A typed dominant code, confirmed by Enter: the box empties, the
            // associated box opens and takes the focus.
            dominant->clear();
            enter(dominant, "3");
            QCOMPARE(slotsOf(panel), slotsText("3"));
            QCOMPARE(dominant->text(), QString());
            QVERIFY(associatedEnabled());
            QCOMPARE(QApplication::focusWidget(), associated);
            QCOMPARE(listDigits(list), QString("012456789"));

            enter(associated, "5");
            QCOMPARE(slotsOf(panel), slotsText("3", {"5"}));
            // A repeated code: Retry keeps the focus, the box empties anyway.
            p.answer(PromptAnswer::Retry);
            enter(associated, "5");
            QCOMPARE(p.texts(), QStringList({kDuplicate}));
            QCOMPARE(QApplication::focusWidget(), associated);
            QCOMPARE(associated->text(), QString());
            QCOMPARE(slotsOf(panel), slotsText("3", {"5"}));
            // Cancel: refused, and the blank free slot becomes empty.
            p.answer(PromptAnswer::Cancel);
            enter(associated, "3");
            QCOMPARE(p.prompts.size(), 2);
            QCOMPARE(slotsOf(panel), slotsText("3", {"5", ""}));
            // A code left with the mouse is entered too.
            enter(associated, "7", other);
            QCOMPARE(slotsOf(panel), slotsText("3", {"5", "7"}));
            QCOMPARE(listDigits(list), QString("0124689"));
            // Chosen from the list: it leaves the list, the box takes the focus.
            QVERIFY(test::clickItem(list, itemOf(list, 4)));
            QCOMPARE(slotsOf(panel), slotsText("3", {"5", "7", "4"}));
            QCOMPARE(listDigits(list), QString("012689"));
            QCOMPARE(QApplication::focusWidget(), associated);
            QCOMPARE(associated->text(), QString());
            // Esc in the list goes back to the box; the record stays open.
            test::focusCombo(list);
            QTest::keyClick(list, Qt::Key_Escape);
            QVERIFY(window->isVisible());
            QCOMPARE(QApplication::focusWidget(), associated);
            // "0" typed discards the associated codes and keeps the dominant one.
            enter(associated, "0");
            QCOMPARE(slotsOf(panel), slotsText("3"));
            QCOMPARE(listDigits(list), QString("012456789"));
            // So does "0 ¦ ŽIADNE POSTIHNUTIE" chosen from the list.
            QVERIFY(test::clickItem(list, itemOf(list, 8)));
            QCOMPARE(slotsOf(panel), slotsText("3", {"8"}));
            QVERIFY(test::clickItem(list, 0));
            QCOMPARE(slotsOf(panel), slotsText("3"));
            QCOMPARE(listDigits(list), QString("012456789"));
            QCOMPARE(QApplication::focusWidget(), associated);

            // A typed dominant code left with the mouse replaces the old one
            // with its associated codes.
            enter(associated, "9");
            enter(dominant, "6", other);
            QCOMPARE(slotsOf(panel), slotsText("6"));
            QVERIFY(associatedEnabled());
            QCOMPARE(listDigits(list), QString("012345789"));
            // From the dominant picker: a code opens, "ŽIADNE POSTIHNUTIE" closes.
            QVERIFY(test::clickItem(picker, 4));
            QCOMPARE(slotsOf(panel), slotsText("4"));
            QVERIFY(associatedEnabled());
            QCOMPARE(QApplication::focusWidget(), dominant);
            QCOMPARE(dominant->text(), QString());
            QVERIFY(test::clickItem(picker, 0));
            QCOMPARE(slotsOf(panel), slotsText(""));
            QVERIFY(associatedDisabled());
            QCOMPARE(QApplication::focusWidget(), dominant);
            QCOMPARE(listDigits(list), QString("0123456789"));
            // Typed and left while the picker still shows "ŽIADNE POSTIHNUTIE":
            // the code in slot 0 opens the associated controls.
            enter(dominant, "2", other);
            QCOMPARE(picker->currentIndex(), 0);
            QCOMPARE(slotsOf(panel), slotsText("2"));
            QVERIFY(associatedEnabled());
            // Esc in the dominant picker goes back to its box.
            test::focusCombo(picker);
            QTest::keyClick(picker, Qt::Key_Escape);
            QVERIFY(window->isVisible());
            QCOMPARE(QApplication::focusWidget(), dominant);
            enter(associated, "8", other);
            QCOMPARE(slotsOf(panel), slotsText("2", {"8"}));
            QCOMPARE(panel->entry()->codeString(), "28" + QString(7, ' '));
            test::clickButton(window, "cmdZap");
            QVERIFY(!window->isVisible());
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(p.prompts.size(), 2);
        QCOMPARE(test::scalar(QStringLiteral("SELECT %1 FROM k_zaklad WHERE idkod = ?").arg(column), {kKey}).toString(),
                 "28" + QString(7, ' '));
        // The other persons' strings hold what their slots held: nothing.
        for (const char *c : {"postih", "matpos", "otepos"})
            if (column != QLatin1String(c))
                QCOMPARE(test::scalar(QStringLiteral("SELECT %1 FROM k_zaklad WHERE idkod = ?").arg(QLatin1String(c)),
                                      {kKey})
                             .toString(),
                         QString());
    }

    void aWholeClientTypedWithItsChecks()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        const QString key = "KOVÁČOMÁ00";
        struct Typed {
            int field;
            QString typed;
            QString shown; // once the check has run
        };
        const QList<Typed> client = {
            {0, "mária", "Mária"},        {1, "kováčová", "Kováčová"},   {2, "bratislava", "Bratislava"},
            {3, "0553120007", "0553120007"}, {4, "", "12.03.2005"},   {5, "", "Z"},
            {6, "123", "123"},
        };
        const QList<Typed> client2 = {
            {8, "01", "01"},           {9, "sk", "SK"},         {10, "01", "01"},
        };
        const QList<Typed> client3 = {
            {12, "hlavná 5", "Hlavná 5"}, {13, "košice", "Košice"}, {14, "04001", "04001"},
            {15, "zš tatranská 1", "Zš tatranská 1"}, {16, "pediatrička", "Pediatrička"}, {17, "1.9.20", "1.9.2020"},
        };
        const QList<Typed> mother = {
            {20, "jana kováčová", "Jana Kováčová"}, {21, "1975", "1975"}, {22, "", "30"}, {23, "VŠ", "VŠ"},
            {24, "hlavná 5", "Hlavná 5"}, {25, "košice", "Košice"}, {26, "04001", "04001"},
            {27, "0905111222", "0905111222"}, {28, "jana@example.sk", "jana@example.sk"},
            {29, "učiteľka", "učiteľka"}, {30, "zš hlavná", "Zš hlavná"}, {31, "055111", "055111"},
            {32, "", ""},
        };
        const QList<Typed> father = {
            {35, "peter o'neil", "Peter O'neil"}, {36, "1973", "1973"}, {37, "", "32"}, {38, "SŠ", "SŠ"},
            {39, "dlhá 7", "Dlhá 7"}, {40, "prešov", "Prešov"}, {41, "08001", "08001"},
            {42, "0905333444", "0905333444"}, {43, "peter@example.sk", "peter@example.sk"}, {44, "vodič", "vodič"},
            {45, "dopravný podnik", "Dopravný podnik"}, {46, "055222", "055222"}, {47, "", ""},
        };
        const auto typeAll = [&](ClientWindow *window, const QList<Typed> &fields) {
            for (const Typed &t : fields) {
                QCOMPARE(test::focusedField(window), t.field);
                test::typeAndPress(t.typed);
                QCOMPARE(window->field(t.field)->text(), t.shown);
            }
        };
        const QList<const QList<Typed> *> all = {&client, &client2, &client3, &mother, &father};

        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            BasicDataPages &pages = window->pages();
            typeAll(window, client);
            QVERIFY(test::clickItem(pages.picker(8), pages.picker(8)->findText("25", Qt::MatchStartsWith)));
            QCOMPARE(test::focusedField(window), 7);
            test::typeAndPress(QString());
            typeAll(window, client2);
            QVERIFY(test::clickItem(pages.picker(9), pages.picker(9)->findText("02", Qt::MatchStartsWith)));
            QCOMPARE(window->field(11)->text(), QString("02"));
            test::typeAndPress(QString());
            typeAll(window, client3);
            // The client's codes, typed.
            test::typeAndPress("2");
            test::typeAndPress("3");
            test::typeAndPress("5");
            QCOMPARE(test::focusedField(window), 19);
            // The parents' tab opens once the basic data are stored.
            QVERIFY(!window->tabs()->isTabEnabled(1));
            test::clickButton(window, "cmdZaklUd");
            QCOMPARE(shared().currentRecordId, key);
            test::clickTab(window, 1);
            typeAll(window, mother);
            // The mother's codes, chosen.
            DisabilityPanel *m = pages.disabilityPanel(BasicDataPages::Mother);
            QVERIFY(test::clickItem(m->dominantPicker(), 4));
            QVERIFY(test::clickItem(m->associatedList(), itemOf(m->associatedList(), 1)));
            // Leaving the empty associated box enters its empty text: a blank goes.
            QTest::mouseClick(window->field(35), Qt::LeftButton);
            typeAll(window, father);
            // The father's codes, typed.
            test::typeAndPress("6");
            test::typeAndPress("7");
            QCOMPARE(test::focusedField(window), 50);
            QTest::mouseClick(pages.option(0), Qt::LeftButton);
            QTest::mouseClick(pages.option(5), Qt::LeftButton);
            test::clickButton(window, "cmdZap");
            QVERIFY(!window->isVisible());
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QVERIFY(p.prompts.isEmpty());
        const auto stored = [&](const char *column) {
            return test::scalar(QStringLiteral("SELECT %1 FROM k_zaklad WHERE idkod = ?").arg(QLatin1String(column)),
                                {key});
        };
        // The client's codes were read back at the first save, which drops the blanks.
        QCOMPARE(stored("postih").toString(), QString("235"));
        QCOMPARE(stored("matpos").toString(), "41" + QString(6, ' '));
        QCOMPARE(stored("otepos").toString(), "67" + QString(7, ' '));
        QCOMPARE(stored("datnar").toString(), QString("2005-03-12"));
        QCOMPARE(stored("zdrpoi").toString(), QString("25"));
        QCOMPARE(stored("matvek").toInt(), 30);
        QCOMPARE(stored("otevek").toInt(), 32);
        QCOMPARE(stored("matvla").toInt(), 1);
        QCOMPARE(stored("otevla").toInt(), 0);
        QCOMPARE(stored("kon_meno").toString(), QString("Peter O'neil"));
        QCOMPARE(stored("kon_pomer").toString(), QString("otec"));
        QCOMPARE(stored("kon_obe").toString(), QString("Prešov"));

        // Opened again: the same texts and slots; saved unchanged, the strings
        // lose their trailing blanks.
        QVERIFY(test::selectClient(w, key));
        QVERIFY(test::inClientWindow(test::mainButton(w, "cmdOprava"), [&](ClientWindow *window) {
            BasicDataPages &pages = window->pages();
            for (const QList<Typed> *tab : all)
                for (const Typed &t : *tab)
                    if (t.field != 4)
                        QCOMPARE(window->field(t.field)->text(), t.shown);
            QCOMPARE(window->field(4)->text(), QString("12.3.2005"));
            QCOMPARE(window->field(7)->text(), QString("25"));
            QCOMPARE(window->field(11)->text(), QString("02"));
            QCOMPARE(window->field(51)->text(), QString("otec"));
            QVERIFY(pages.option(5)->isChecked());
            const QStringList slotTexts = {slotsText("2", {"3", "5"}, ""), slotsText("4", {"1"}, ""),
                                           slotsText("6", {"7"}, "")};
            const QStringList lists = {"0146789", "02356789", "01234589"};
            for (int person = 0; person < 3; ++person) {
                DisabilityPanel *panel = pages.disabilityPanel(BasicDataPages::Person(person));
                QCOMPARE(slotsOf(panel), slotTexts[person]);
                QCOMPARE(listDigits(panel->associatedList()), lists[person]);
                QVERIFY(panel->associatedBox()->isEnabled());
                QVERIFY(panel->associatedList()->isEnabled());
            }
            test::clickButton(window, "cmdZap");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(stored("postih").toString(), QString("235"));
        QCOMPARE(stored("matpos").toString(), QString("41"));
        QCOMPARE(stored("otepos").toString(), QString("67"));
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 1);
    }
};

QTEST_MAIN(ClientDisabilityTest)
#include "ClientDisabilityTest.moc"
