#include "ClientWindowDriver.h"

#include "client/ui/BasicDataEditor.h"
#include "common/ui/CodePicker.h"
#include "data/Database.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

using namespace ulk;
using test::ScriptedPrompter;

namespace {

const QString kKey = "KOVÁČOMÁ00";

// The main window on a fresh register with the client Mária Kováčová stored,
// her disability and her parents' as given.
struct Client : test::ProgramWindow {
    Client(const QString &postih, const QString &matpos, const QString &otepos)
    {
        dir.openRegister();
        test::addClient(kKey, "Mária", "Kováčová", "1");
        test::sql("UPDATE k_zaklad SET postih = ?, matpos = ?, otepos = ?, ulica = '  Hlavná 5  ', matvek = 0 "
                  "WHERE idkod = ?",
                  {postih, matpos, otepos, kKey});
    }
};

} // namespace

class ClientEditingTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { test::closeProgram(); }

    void enterGoesThroughEveryFieldInOrder()
    {
        Client program("3", "2", "1");
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            QCOMPARE(test::focusedField(window), 0);
            // Up in the first field stays there.
            test::typeAndPress(QString(), Qt::Key_Up);
            QCOMPARE(test::focusedField(window), 0);
            for (int i = 0; i < 19; ++i) {
                QCOMPARE(test::focusedField(window), i);
                test::typeAndPress(QString(), i % 2 ? Qt::Key_Down : Qt::Key_Return);
            }
            // The last field of the first tab keeps the focus, marked and selected.
            QCOMPARE(test::focusedField(window), 19);
            test::typeAndPress(QString(), Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 19);
            QCOMPARE(window->field(19)->tag(), QString("BK"));

            test::clickTab(window, 1);
            QCOMPARE(test::focusedField(window), 20);
            test::typeAndPress(QString(), Qt::Key_Up);
            QCOMPARE(test::focusedField(window), 20);
            for (int i = 20; i < 56; ++i) {
                QCOMPARE(test::focusedField(window), i);
                test::typeAndPress(QString(), Qt::Key_Return);
            }
            QCOMPARE(test::focusedField(window), 56);
            test::typeAndPress("a@b.sk", Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 56);
            QCOMPARE(window->field(56)->selectedText(), QString("a@b.sk"));
            QCOMPARE(window->field(56)->tag(), QString("BK"));
            // Up walks back through the enabled associated boxes.
            QTest::mouseClick(window->field(35), Qt::LeftButton);
            test::typeAndPress(QString(), Qt::Key_Up);
            QCOMPARE(test::focusedField(window), 34);
            test::clickButton(window, "cmdStorno");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void closedAssociatedBoxesAreStepped()
    {
        Client program("", "", "");
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            for (int f : {19, 34, 49})
                QVERIFY(!window->field(f)->isEnabled());
            QTest::mouseClick(window->field(18), Qt::LeftButton);
            test::typeAndPress(QString());
            QCOMPARE(test::focusedField(window), 18);
            test::clickTab(window, 1);
            const QList<std::tuple<int, Qt::Key, int>> moves = {
                {33, Qt::Key_Return, 35}, {35, Qt::Key_Up, 33},     {48, Qt::Key_Down, 50},
                {50, Qt::Key_Up, 48},     {30, Qt::Key_PageDown, -1}, {44, Qt::Key_PageUp, -1},
            };
            for (const auto &[from, key, to] : moves) {
                QTest::mouseClick(window->field(from), Qt::LeftButton);
                QCOMPARE(test::focusedField(window), from);
                test::typeAndPress(QString(), key);
                if (to >= 0)
                    QCOMPARE(test::focusedField(window), to);
                else
                    QCOMPARE(QApplication::focusWidget(), window->button("cmdZap"));
            }
            test::clickButton(window, "cmdStorno");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void numberFieldsTakeDigitsOnly()
    {
        Client program("", "", "");
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            FieldEdit *number = window->field(3);
            QTest::mouseClick(number, Qt::LeftButton);
            for (int i = 0; i < 4; ++i)
                p.answer(PromptAnswer::Ok);
            test::typeText(number, "12a- 3");
            QCOMPARE(number->text(), QString("123"));
            QCOMPARE(p.prompts.size(), 3);
            for (const test::Prompt &prompt : p.prompts) {
                QCOMPARE(prompt.text, QString("Zadávaj len číselné hodnoty !"));
                QCOMPARE(prompt.title, QString("Chybová správa"));
                QCOMPARE(prompt.icon, PromptIcon::Exclamation);
            }
            // Ctrl+V is refused whatever the clipboard holds.
            QGuiApplication::clipboard()->setText("456");
            QTest::keyClick(number, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(number->text(), QString("123"));
            QCOMPARE(p.prompts.size(), 4);
            QCOMPARE(QApplication::focusWidget(), number);
            QTest::keyClick(number, Qt::Key_Backspace);
            QCOMPARE(number->text(), QString("12"));
            QCOMPARE(p.prompts.size(), 4);

            // The field's menu pastes digits and refuses anything else.
            auto pasteFromMenu = [&](const QString &clip) {
                QGuiApplication::clipboard()->setText(clip);
                QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), number->mapToGlobal(QPoint(2, 2)));
                QApplication::sendEvent(number, &menuEvent);
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                QVERIFY(menu);
                QAction *paste = nullptr;
                for (QAction *a : menu->actions())
                    if (a->text().endsWith("\t" + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText)))
                        paste = a;
                QVERIFY(paste);
                menu->close();
                paste->trigger();
            };
            p.answer(PromptAnswer::Ok);
            pasteFromMenu("7x");
            QCOMPARE(number->text(), QString("12"));
            QCOMPARE(p.prompts.size(), 5);
            QCOMPARE(p.prompts.last().text, QString("Zadávaj len číselné hodnoty !"));
            pasteFromMenu("99");
            QCOMPARE(number->text(), QString("1299"));
            QCOMPARE(p.prompts.size(), 5);

            // A text field takes anything (leaving the birth number checks it).
            p.answer(PromptAnswer::Ignore);
            test::retype(window->field(1), "Kováčová-Malá");
            QCOMPARE(window->field(1)->text(), QString("Kováčová-Malá"));
            QCOMPARE(p.prompts.size(), 6);
            QCOMPARE(p.prompts.last().text, QString("Nesprávne rodné číslo ,opraviť ?"));
            test::clickButton(window, "cmdStorno");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void aFailedCheckKeepsOrBringsBackTheFocus()
    {
        Client program("", "", "");
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            FieldEdit *date = window->field(4);
            // On a move key: the focus stays, the trimmed text selected.
            test::retype(date, "32.1.2020 ");
            p.answer(PromptAnswer::Retry);
            QTest::keyClick(date, Qt::Key_Return);
            QCOMPARE(p.texts(), QStringList({"Chybný dátum, zadaj v tvare dd.mm.rrrr!"}));
            QCOMPARE(test::focusedField(window), 4);
            QCOMPARE(date->selectedText(), QString("32.1.2020"));
            // On leaving: the focus comes back.
            p.answer(PromptAnswer::Retry);
            QTest::mouseClick(window->field(12), Qt::LeftButton);
            QCOMPARE(p.prompts.size(), 2);
            QTRY_COMPARE(test::focusedField(window), 4);
            QCOMPARE(date->text(), QString("32.1.2020"));
            // Cancel empties it and the focus goes on.
            p.answer(PromptAnswer::Cancel);
            QTest::mouseClick(window->field(12), Qt::LeftButton);
            QCOMPARE(p.prompts.size(), 3);
            QCOMPARE(date->text(), QString());
            QCOMPARE(test::focusedField(window), 12);
            // The field was trimmed when it got the focus.
            QCOMPARE(window->field(12)->text(), QString("Hlavná 5"));
            // Leaving by another tab: the field's tab comes back with it.
            test::retype(date, "1.13.2020");
            p.answer(PromptAnswer::Retry);
            test::clickTab(window, 1);
            QCOMPARE(p.prompts.size(), 4);
            QTRY_COMPARE(test::focusedField(window), 4);
            QCOMPARE(window->tabs()->currentIndex(), 0);
            p.answer(PromptAnswer::Cancel);
            test::clickTab(window, 1);
            QCOMPARE(p.prompts.size(), 5);
            QCOMPARE(window->tabs()->currentIndex(), 1);
            QCOMPARE(test::focusedField(window), 20);
            test::clickButton(window, "cmdStorno");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void leavingForStornoOrTheOwnPickerChecksNothing()
    {
        Client program("", "", "");
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            test::retype(window->field(13), "xyz");
            CodePicker *own = window->pages().picker(4);
            QCOMPARE(own->objectName(), QString("dbcvolby4"));
            QTest::mouseClick(own, Qt::LeftButton);
            static_cast<QComboBox *>(own)->hidePopup();
            QVERIFY(p.prompts.isEmpty());
            // Another field's picker: the check runs.
            test::retype(window->field(13), "xyz");
            p.answer(PromptAnswer::Ignore);
            QTest::mouseClick(window->pages().picker(0), Qt::LeftButton);
            static_cast<QComboBox *>(window->pages().picker(0))->hidePopup();
            QCOMPARE(p.texts(), QStringList({"Zadaný reťazec :Xyz nie je v číselníku"}));
            QCOMPARE(window->field(13)->text(), QString("Xyz"));
            // Storno: no check, whatever the field holds.
            test::retype(window->field(17), "blbosť");
            test::clickButton(window, "cmdStorno");
            QVERIFY(!window->isVisible());
            QCOMPARE(p.prompts.size(), 1);
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void anEditAfterTheMarkIsCheckedAgain()
    {
        Client program("", "", "");
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            test::clickTab(window, 1);
            FieldEdit *mother = window->field(20);
            test::typeAndPress("jana malá", Qt::Key_Up);
            QCOMPARE(mother->text(), QString("Jana Malá"));
            QCOMPARE(mother->tag(), QString("BK"));
            // Still in the field: an edit takes the mark back, so leaving checks it.
            QTest::keyClick(mother, Qt::Key_End);
            QTest::keyClick(mother, Qt::Key_Home, Qt::ShiftModifier);
            test::typeText(mother, "eva nová");
            QCOMPARE(mother->tag(), QString());
            QTest::mouseClick(window->field(23), Qt::LeftButton);
            QCOMPARE(mother->text(), QString("Eva Nová"));
            test::clickButton(window, "cmdStorno");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void typedDisabilityCodes()
    {
        Client program("", "", "");
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            QTest::mouseClick(window->field(18), Qt::LeftButton);
            // 0 changes nothing: the associated box stays closed.
            test::typeAndPress("0");
            QCOMPARE(test::focusedField(window), 18);
            test::typeAndPress("3");
            QCOMPARE(window->field(18)->text(), QString());
            QVERIFY(window->field(19)->isEnabled());
            QCOMPARE(test::focusedField(window), 19);
            test::typeAndPress("5");
            QCOMPARE(test::focusedField(window), 19);
            // A repeated code is refused.
            p.answer(PromptAnswer::Cancel);
            test::typeAndPress("3");
            QCOMPARE(p.texts(), QStringList({"Postihnutie môže nadobudnúť len hodnotu 1 až 9 bez duplicít !"}));
            test::clickButton(window, "cmdZap");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        // The cancelled repeat emptied one blank slot.
        QCOMPARE(test::scalar("SELECT postih FROM k_zaklad").toString(), QString("35      "));
    }

    void wiredChecks()
    {
        Client program("", "", "");
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            // The age field shows 0 as empty while it is edited.
            QCOMPARE(window->field(22)->text(), QString("0"));
            // Birth number: sex and birth date follow.
            QTest::mouseClick(window->field(3), Qt::LeftButton);
            test::typeAndPress("0553120007");
            QCOMPARE(window->field(5)->text(), QString("Z"));
            QCOMPARE(window->field(4)->text(), QString("12.03.2005"));
            QCOMPARE(test::focusedField(window), 4);
            test::typeAndPress(QString());
            test::typeAndPress("m");
            QCOMPARE(window->field(5)->text(), QString("M"));
            // A code that is not in its list.
            test::typeAndPress(QString());
            QCOMPARE(test::focusedField(window), 7);
            p.answer(PromptAnswer::Retry);
            test::typeAndPress("99");
            QCOMPARE(p.texts(), QStringList({"Zadaný kód :99 sa nenašiel v číselníku"}));
            QCOMPARE(test::focusedField(window), 7);
            // A row chosen in the picker is copied and accepted.
            CodePicker *insurers = window->pages().picker(8);
            QTest::mouseClick(insurers, Qt::LeftButton);
            static_cast<QComboBox *>(insurers)->hidePopup();
            insurers->setCurrentIndex(0);
            QTest::keyClick(insurers, Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 7);
            QCOMPARE(window->field(7)->text(), QString("24"));
            test::typeAndPress(QString());
            QCOMPARE(test::focusedField(window), 8);
            // A town typed in lower case is capitalised and found.
            QTest::mouseClick(window->field(13), Qt::LeftButton);
            test::typeAndPress("košice");
            QCOMPARE(window->field(13)->text(), QString("Košice"));
            QCOMPARE(test::focusedField(window), 14);
            QCOMPARE(p.prompts.size(), 1);
            test::clickTab(window, 1);
            QTest::mouseClick(window->field(22), Qt::LeftButton);
            QCOMPARE(window->field(22)->text(), QString());
            test::clickButton(window, "cmdStorno");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }
};

QTEST_MAIN(ClientEditingTest)
#include "ClientEditingTest.moc"
