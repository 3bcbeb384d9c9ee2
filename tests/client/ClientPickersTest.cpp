// The pickers of the client record's basic data (code lists, towns, the
// health insurer, sex) and the legal representative's option buttons, in the
// window opened from the main window.
#include "ClientWindowDriver.h"

#include "common/ui/CodePicker.h"
#include "data/Database.h"

#include <QRadioButton>

using namespace ulk;
using test::ScriptedPrompter;

namespace {

const QString kKey = "KOVÁČOMÁ00";
const QString kLongTown = "Veľké Kostoľany pri Starej Hore nad Váhom";


// The main window on a fresh register with the client Mária Kováčová stored.
struct Client : test::ProgramWindow {
    Client()
    {
        dir.openRegister();
        test::addClient(kKey, "Mária", "Kováčová", "1", "2005-03-12");
        test::sql("UPDATE k_zaklad SET obec = 'Košice', narodn = '01', zdrpoi = '25', jazyk = '02' WHERE idkod = ?",
                  {kKey});
    }
};

// The window was saved without a single box shown; the stored column (or
// expression of columns) of the client reads as expected.
void savedQuietly(const ScriptedPrompter &p, const QString &columns, const QString &expected)
{
    QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    QVERIFY(p.prompts.isEmpty());
    QCOMPARE(test::scalar(QStringLiteral("SELECT %1 FROM k_zaklad WHERE idkod = ?").arg(columns), {kKey}).toString(),
             expected);
}

} // namespace

class ClientPickersTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { test::closeProgram(); }

    void aChosenRowIsCopiedCut_data()
    {
        QTest::addColumn<int>("picker");
        QTest::addColumn<QString>("line");   // the row chosen
        QTest::addColumn<QString>("copied"); // what the field receives
        QTest::newRow("birth place") << 0 << "Košice" << "Košice";
        QTest::newRow("nationality") << 1 << "03  |  rómska" << "03";
        QTest::newRow("citizenship") << 2 << "SK|  Slovenská republika" << "SK";
        QTest::newRow("language") << 3 << "09  |  anglický" << "09";
        QTest::newRow("town, long name") << 4 << kLongTown << kLongTown.left(30);
        QTest::newRow("mother's town") << 5 << "Prešov" << "Prešov";
        QTest::newRow("father's town") << 6 << "Žilina" << "Žilina";
        QTest::newRow("representative's town") << 7 << "Nitra" << "Nitra";
        QTest::newRow("health insurer") << 8 << "27  |  Union zdravotná poisťovňa, a. s." << "27";
        QTest::newRow("home language") << 9 << "12  |  vietnamský" << "12";
    }
    void aChosenRowIsCopiedCut()
    {
        QFETCH(int, picker);
        QFETCH(QString, line);
        QFETCH(QString, copied);
        Client program;
        auto &[dir, p, w] = program;
        test::sql("INSERT INTO c_iczuj (kod, nazov) VALUES ('999', ?)", {kLongTown});
        int field = -1;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            CodePicker *combo = window->pages().picker(picker);
            field = combo->field()->index();
            if (field >= 20)
                test::clickTab(window, 1);
            const int row = combo->findText(line);
            QVERIFY(row >= 0);
            QVERIFY(test::clickItem(combo, row));
            QCOMPARE(window->field(field)->text(), copied);
            QCOMPARE(test::focusedField(window), field);
            // The field's check takes the picked row: no message.
            QTest::keyClick(window->field(field), Qt::Key_Return);
            QCOMPARE(test::focusedField(window), field + 1);
            QCOMPARE(window->field(field)->text(), copied);
            test::clickButton(window, "cmdZap");
        }));
        savedQuietly(p, BasicDataFields::columnOf(field), copied);
    }

    void tooltips()
    {
        Client program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            const QString list = "výber z číselnika", town = "výber obce";
            const QStringList expected = {list, list, list, list, list, town, town, town, list, ""};
            for (int i = 0; i < 10; ++i)
                QCOMPARE(window->pages().picker(i)->toolTip(), expected[i]);
            const QStringList positions = {"výber z postihnutí", "výber z postihnutí", list, list};
            for (int i = 0; i < 4; ++i)
                QCOMPARE(window->pages().positionPicker(i)->toolTip(), positions[i]);
            test::clickButton(window, "cmdStorno");
        }));
    }

    void aPickerLeftWithoutAChoiceKeepsItsField()
    {
        Client program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            BasicDataPages &pages = window->pages();
            // The stored town and nationality stay.
            for (int picker : {4, 1}) {
                test::focusCombo(pages.picker(picker));
                QTest::mouseClick(window->field(16), Qt::LeftButton);
            }
            QCOMPARE(window->field(13)->text(), QString("Košice"));
            QCOMPARE(window->field(8)->text(), QString("01"));
            // A pick typed over is no choice any more.
            QVERIFY(test::clickItem(pages.picker(4), pages.picker(4)->findText("Prešov")));
            QCOMPARE(window->field(13)->text(), QString("Prešov"));
            test::retype(window->field(13), "Nitra");
            test::focusCombo(pages.picker(4));
            QCOMPARE(pages.picker(4)->currentIndex(), -1);
            QTest::mouseClick(window->field(16), Qt::LeftButton);
            QCOMPARE(window->field(13)->text(), QString("Nitra"));
            test::clickButton(window, "cmdZap");
        }));
        savedQuietly(p, "obec || narodn", "Nitra01");
    }

    void theHealthInsurerPickerSendsTheFocusToItsField()
    {
        Client program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            CodePicker *insurer = window->pages().picker(8);
            FieldEdit *field = window->field(7);
            test::focusCombo(insurer);
            QCOMPARE(QApplication::focusWidget(), insurer);
            QTest::mouseClick(window->field(12), Qt::LeftButton);
            QTRY_COMPARE(test::focusedField(window), 7);
            QCOMPARE(field->text(), QString("25"));
            // Whatever the user goes to, another tab too.
            test::focusCombo(insurer);
            test::clickTab(window, 1);
            QTRY_COMPARE(test::focusedField(window), 7);
            QCOMPARE(window->tabs()->currentIndex(), 0);
            // Nothing copied on leaving, even with a row chosen in the list.
            QVERIFY(test::clickItem(insurer, 0));
            QCOMPARE(field->text(), QString("24"));
            test::retype(field, "27");
            insurer->setFocus(Qt::TabFocusReason);
            QTest::keyClick(insurer, Qt::Key_Tab);
            QTRY_COMPARE(test::focusedField(window), 7);
            QCOMPARE(field->text(), QString("27"));
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 8);
            test::clickButton(window, "cmdZap");
        }));
        savedQuietly(p, "zdrpoi", "27");
    }

    void enterAndEscInACodePicker()
    {
        Client program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            BasicDataPages &pages = window->pages();
            // Keys choose a row; Enter copies it and goes to the field.
            test::focusCombo(pages.picker(1));
            QTest::keyClick(pages.picker(1), Qt::Key_Down);
            QTest::keyClick(pages.picker(1), Qt::Key_Down);
            QTest::keyClick(pages.picker(1), Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 8);
            QCOMPARE(window->field(8)->text(), QString("02"));
            // Esc goes back to the field and copies nothing; the window stays.
            CodePicker *language = pages.picker(3);
            test::focusCombo(language);
            QTest::keyClick(language, Qt::Key_Escape);
            QVERIFY(window->isVisible());
            QCOMPARE(test::focusedField(window), 10);
            QCOMPARE(window->field(10)->text(), QString("02"));
            QVERIFY(language->escPressed());
            QVERIFY(shared().comboEscPressed);
            // Each picker has its own flag: a choice in another picker leaves it.
            QVERIFY(test::clickItem(pages.picker(9), 0));
            QCOMPARE(window->field(11)->text(), QString("01"));
            QVERIFY(!pages.picker(9)->escPressed());
            QVERIFY(language->escPressed());
            QTest::keyClick(window->field(11), Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 12);
            QVERIFY(language->escPressed());
            test::clickButton(window, "cmdZap");
        }));
        savedQuietly(p, "narodn || jazyk || jaz_doma", "020201");
    }

    void theSexPicker()
    {
        Client program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            QComboBox *sex = window->pages().positionPicker(3);
            QCOMPARE(sex->objectName(), QString("cmbPos3"));
            QVERIFY(test::clickItem(sex, 1));
            QCOMPARE(window->field(5)->text(), QString("Z"));
            QCOMPARE(test::focusedField(window), 5);
            QTest::keyClick(window->field(5), Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 6);
            // Esc goes back to the sex field and does not cancel the record.
            test::focusCombo(sex);
            QTest::keyClick(sex, Qt::Key_Escape);
            QVERIFY(window->isVisible());
            QCOMPARE(test::focusedField(window), 5);
            QVERIFY(!shared().comboEscPressed);
            QVERIFY(test::clickItem(sex, 0));
            QCOMPARE(window->field(5)->text(), QString("M"));
            test::clickButton(window, "cmdZap");
        }));
        savedQuietly(p, "pohlav", "M");
    }

    void theLegalRepresentativeTakesWhatTheScreenShows()
    {
        Client program;
        auto &[dir, p, w] = program;
        test::sql("UPDATE k_zaklad SET matka = 'Jana Kováčová', matuli = 'Hlavná 5', matobe = 'Košice', "
                  "matpsc = '04001', mattel = '0905111222', matmail = 'jana@example.sk', otec = 'Peter Kováč', "
                  "oteuli = 'Dlhá 7', oteobe = 'Prešov', otepsc = '08001', otetel = '0905333444', "
                  "otemail = 'peter@example.sk', kon_meno = 'Anna Iná', kon_pomer = 'teta' WHERE idkod = ?",
                  {kKey});
        const auto representative = [](ClientWindow *window) {
            QStringList texts;
            for (int f = 50; f <= 56; ++f)
                texts << window->field(f)->text();
            return texts;
        };
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            test::clickTab(window, 1);
            BasicDataPages &pages = window->pages();
            QVERIFY(pages.option(6)->isChecked());
            QCOMPARE(representative(window).mid(0, 2), QStringList({"Anna Iná", "teta"}));
            // Typed and not saved: the copy carries it.
            test::retype(window->field(20), "eva nová");
            test::retype(window->field(27), "0900111222");
            QTest::mouseClick(pages.option(4), Qt::LeftButton);
            QVERIFY(pages.option(4)->isChecked());
            QCOMPARE(representative(window), QStringList({"Eva Nová", "matka", "Košice", "Hlavná 5", "04001",
                                                          "0900111222", "jana@example.sk"}));
            QTest::mouseClick(pages.option(5), Qt::LeftButton);
            QCOMPARE(representative(window), QStringList({"Peter Kováč", "otec", "Prešov", "Dlhá 7", "08001",
                                                          "0905333444", "peter@example.sk"}));
            // The parents' own buttons leave the representative alone.
            for (int i = 0; i < 4; ++i)
                QTest::mouseClick(pages.option(i), Qt::LeftButton);
            QCOMPARE(representative(window)[1], QString("otec"));
            QTest::mouseClick(pages.option(6), Qt::LeftButton);
            QCOMPARE(representative(window), QStringList(7, QString()));
            QTest::mouseClick(pages.option(4), Qt::LeftButton);
            QCOMPARE(representative(window)[0], QString("Eva Nová"));
            // A later change of the mother is not carried over; the copy ran no check.
            test::retype(window->field(20), "zuzana malá");
            QTest::mouseClick(window->field(21), Qt::LeftButton);
            QCOMPARE(window->field(20)->text(), QString("Zuzana Malá"));
            QCOMPARE(representative(window)[0], QString("Eva Nová"));
            test::clickButton(window, "cmdZap");
        }));
        savedQuietly(p, "kon_meno || '|' || kon_pomer || '|' || kon_tel || '|' || matka",
                     "Eva Nová|matka|0900111222|Zuzana Malá");
        if (QTest::currentTestFailed())
            return;

        // Shown again, the button follows the relation and nothing is copied.
        QVERIFY(test::selectClient(w, kKey));
        QVERIFY(test::inClientWindow(test::mainButton(w, "cmdOprava"), [&](ClientWindow *window) {
            QVERIFY(window->pages().option(4)->isChecked());
            QCOMPARE(representative(window)[0], QString("Eva Nová"));
            test::clickButton(window, "cmdStorno");
        }));
    }
};

QTEST_MAIN(ClientPickersTest)
#include "ClientPickersTest.moc"
