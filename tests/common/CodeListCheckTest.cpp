#include "common/SharedState.h"
#include "common/ui/CodePicker.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FieldProcedures.h"
#include "data/CodeList.h"
#include "data/Database.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace ulk;
using test::ScriptedPrompter;

Q_DECLARE_METATYPE(ulk::CheckResult)
Q_DECLARE_METATYPE(ulk::PromptAnswer)

namespace {
const char *kLongTown = "Nové Mesto nad Váhom - mestská časť Mnešice"; // longer than 30 characters

const QString kNarodnLines =
    QStringLiteral("SELECT kod, nazov, kod || '  |  ' || nazov AS roleta FROM c_narodn ORDER BY kod");
} // namespace

// A dialog with a code field, its picker, a town field with its picker and
// one more field, as a record window lays them out.
class PickerForm : public QDialog {
public:
    PickerForm() : codes("c_narodn", "kod", "nazov"), towns("c_iczuj", "kod", "nazov")
    {
        auto *l = new QVBoxLayout(this);
        for (QWidget *w : std::initializer_list<QWidget *>{&code, &codePicker, &town, &townPicker, &other})
            l->addWidget(w);
        codes.load(kNarodnLines);
        towns.load(QStringLiteral("SELECT kod, nazov FROM c_iczuj ORDER BY nazov"));
        codePicker.setCodeList(&codes);
        codePicker.pairWith(&code);
        codePicker.setCut(2);
        townPicker.setCodeList(&towns);
        townPicker.pairWith(&town);
        townPicker.setCut(30);
    }
    // Shows the form and waits until it is the active window.
    bool showActive()
    {
        show();
        return QTest::qWaitForWindowActive(this);
    }
    CodeList codes, towns;
    FieldEdit code, town, other;
    CodePicker codePicker, townPicker;
};

// A field paired with its picker on a code list of the register, loaded.
struct PickedField {
    explicit PickedField(const char *table) : list(table, "kod", "nazov")
    {
        loaded = list.load();
        picker.setCodeList(&list);
        picker.pairWith(&f);
    }
    CodeList list;
    CodePicker picker;
    FieldEdit f;
    bool loaded = false;
};

namespace {
// Gives the widget the focus and waits until it has it.
bool focus(QWidget &w)
{
    w.setFocus();
    return QTest::qWaitFor([&] { return w.hasFocus(); });
}
} // namespace

class CodeListCheckTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        shared().comboEscPressed = false;
        m_dir = std::make_unique<test::OpenRegister>();
        test::sql("INSERT INTO c_iczuj (kod, nazov) VALUES ('900', ?)", {QString::fromUtf8(kLongTown)});
        test::sql("INSERT INTO c_iczuj (kod, nazov) VALUES ('901', 'O''Neilovo')");
    }
    void cleanup() { m_dir.reset(); }

    // --- typed values ----------------------------------------------------
    void byCode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<PromptAnswer>("answer"); // Ok: no message expected
        QTest::addColumn<CheckResult>("result");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("current"); // code of the list's current row
        const auto none = PromptAnswer::Ok;
        QTest::newRow("found") << "SK" << false << none << CheckResult::Accepted << "SK" << "SK";
        QTest::newRow("found, blanks kept in the field") << " CZ " << false << none << CheckResult::Accepted << " CZ " << "CZ";
        QTest::newRow("empty") << "" << false << none << CheckResult::Accepted << "" << "";
        QTest::newRow("other case, Retry") << "sk" << false << PromptAnswer::Retry << CheckResult::Retry << "sk" << "";
        QTest::newRow("other case ignored") << "sk" << true << none << CheckResult::Accepted << "SK" << "SK";
        QTest::newRow("missing, Retry") << " XX " << false << PromptAnswer::Retry << CheckResult::Retry << " XX " << "";
        QTest::newRow("missing, Cancel") << "XX" << false << PromptAnswer::Cancel << CheckResult::Accepted << "" << "";
        QTest::newRow("a quote, Cancel") << "S'" << false << PromptAnswer::Cancel << CheckResult::Accepted << "" << "";
    }
    void byCode()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ignoreCase);
        QFETCH(PromptAnswer, answer);
        QFETCH(CheckResult, result);
        QFETCH(QString, after);
        QFETCH(QString, current);
        ScriptedPrompter p;
        p.answerUnlessOk(answer);
        PickedField field("c_iczeme");
        QVERIFY(field.loaded);
        auto &[list, picker, f, loaded] = field;
        f.setText(typed);
        QCOMPARE(checkCodeList(&picker, &f, &list, false, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive),
                 result);
        QCOMPARE(f.text(), after);
        QCOMPARE(list.code(list.current()), current);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), answer == PromptAnswer::Ok ? 0 : 1);
        if (!p.prompts.isEmpty()) {
            QCOMPARE(p.prompts[0].text, "Zadaný kód :" + typed.trimmed() + " sa nenašiel v číselníku");
            QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
            QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
            QCOMPARE(p.prompts[0].buttons, PromptButtons::RetryCancel);
            QCOMPARE(p.prompts[0].defaultButton, 1);
        }
    }

    void byName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<CheckResult>("result");
        QTest::addColumn<QString>("after");
        const auto none = PromptAnswer::Ok;
        const QString longTown = QString::fromUtf8(kLongTown);
        QTest::newRow("found") << "Nitra" << none << CheckResult::Accepted << "Nitra";
        QTest::newRow("found with a quote") << "O'Neilovo" << none << CheckResult::Accepted << "O'Neilovo";
        QTest::newRow("found, blanks around") << " Nitra  " << none << CheckResult::Accepted << " Nitra  ";
        QTest::newRow("30 characters looked up") << "Nitra" + QString(25, ' ') + "xyz" << none << CheckResult::Accepted
                                                 << "Nitra" + QString(25, ' ') + "xyz";
        QTest::newRow("missing, Retry") << "Nitraa" << PromptAnswer::Retry << CheckResult::Retry << "Nitraa";
        QTest::newRow("missing, Abort") << "Nitraa" << PromptAnswer::Abort << CheckResult::Accepted << "";
        QTest::newRow("missing, Ignore") << "Nitraa" << PromptAnswer::Ignore << CheckResult::Accepted << "Nitraa";
        QTest::newRow("long name, whole text named") << longTown << PromptAnswer::Ignore << CheckResult::Accepted << longTown;
        QTest::newRow("other case, written as listed") << "nitra" << none << CheckResult::Accepted << "Nitra";
    }
    void byName()
    {
        QFETCH(QString, typed);
        QFETCH(PromptAnswer, answer);
        QFETCH(CheckResult, result);
        QFETCH(QString, after);
        ScriptedPrompter p;
        p.answerUnlessOk(answer);
        PickedField field("c_iczuj");
        QVERIFY(field.loaded);
        auto &[list, picker, f, loaded] = field;
        f.setText(typed);
        QCOMPARE(checkCodeList(&picker, &f, &list, true), result);
        QCOMPARE(f.text(), after);
        QCOMPARE(list.current() >= 0, answer == PromptAnswer::Ok);
        if (list.current() >= 0)
            QCOMPARE(list.name(list.current()).toLower(), typed.left(30).trimmed().toLower());
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), answer == PromptAnswer::Ok ? 0 : 1);
        if (!p.prompts.isEmpty()) {
            QCOMPARE(p.prompts[0].text, "Zadaný reťazec :" + typed.trimmed() + " nie je v číselníku");
            QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
            QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
            QCOMPARE(p.prompts[0].buttons, PromptButtons::AbortRetryIgnore);
            QCOMPARE(p.prompts[0].defaultButton, 1);
        }
    }

    void disabledFieldIsNotTouched()
    {
        ScriptedPrompter p;
        PickerForm form;
        form.code.setText("XX");
        form.code.setEnabled(false);
        QCOMPARE(checkCodeList(&form.codePicker, &form.code, &form.codes, false), CheckResult::Skipped);
        form.codePicker.setCurrentIndex(1);
        form.code.setEnabled(true);
        form.codePicker.copyPick();
        form.code.setEnabled(false);
        QCOMPARE(checkCodeList(&form.codePicker, &form.code, &form.codes, false), CheckResult::Skipped);
        QCOMPARE(form.code.text(), QString("02"));
        QCOMPARE(form.codes.current(), -1);
        QVERIFY(p.prompts.isEmpty());
    }

    // --- picking -------------------------------------------------------------
    void rowChosenInTheListIsCopiedAndTaken()
    {
        ScriptedPrompter p;
        PickerForm form;
        QVERIFY(form.showActive());
        QCOMPARE(form.codePicker.currentIndex(), -1); // nothing chosen at first
        QVERIFY(chooseInList(form.codePicker, 2));
        QCOMPARE(form.code.text(), QString("03"));       // the first two characters of the line
        QTRY_VERIFY(form.code.hasFocus());               // the focus goes to the field
        QVERIFY(form.code.dataChanged());
        QCOMPARE(form.codePicker.pickedRow(), 2);
        QCOMPARE(checkCodeList(&form.codePicker, &form.code, &form.codes, false), CheckResult::Accepted);
        QCOMPARE(form.code.text(), QString("03"));
        QCOMPARE(form.codes.current(), 2);
        QCOMPARE(form.codePicker.pickedRow(), 2);
        QVERIFY(p.prompts.isEmpty());
    }

    void rowClickedInTheList()
    {
        ScriptedPrompter p;
        PickerForm form;
        QVERIFY(form.showActive());
        QSignalSpy picked(&form.codePicker, &CodePicker::picked);
        QVERIFY(chooseInList(form.codePicker, 3, true));
        QCOMPARE(form.code.text(), QString("04"));
        QTRY_VERIFY(form.code.hasFocus());
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).toInt(), 3);
        QCOMPARE(form.codePicker.pickedRow(), 3);
    }

    void longTownNameIsCutThenCompletedByTheCheck()
    {
        ScriptedPrompter p;
        PickerForm form;
        QVERIFY(form.showActive());
        const QString longTown = QString::fromUtf8(kLongTown);
        const int row = form.towns.findName(longTown);
        QVERIFY(row >= 0);
        QVERIFY(chooseInList(form.townPicker, row));
        QCOMPARE(form.town.text(), longTown.left(30));
        QCOMPARE(checkCodeList(&form.townPicker, &form.town, &form.towns, true), CheckResult::Accepted);
        QCOMPARE(form.town.text(), longTown);
        // The pick still stands on the completed name: a second check agrees.
        QCOMPARE(form.townPicker.pickedRow(), row);
        QCOMPARE(checkCodeList(&form.townPicker, &form.town, &form.towns, true), CheckResult::Accepted);
        QCOMPARE(form.town.text(), longTown);
        QVERIFY(p.prompts.isEmpty());
        // The picker re-read from its list keeps a pick whose line did not change.
        QVERIFY(form.towns.load(QStringLiteral("SELECT kod, nazov FROM c_iczuj ORDER BY nazov")));
        form.townPicker.reloadList();
        QCOMPARE(form.townPicker.pickedRow(), row);
    }

    void pickEndsWhenTheFieldChanges_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("typing over it") << "type";
        QTest::newRow("emptying the field") << "empty";
        QTest::newRow("a program write") << "write";
        QTest::newRow("loading another row") << "load";
        QTest::newRow("loading the same text") << "reload";
        QTest::newRow("cleared by the window") << "clear";
    }
    void pickEndsWhenTheFieldChanges()
    {
        QFETCH(QString, how);
        ScriptedPrompter p;
        p.answer(PromptAnswer::Retry);
        PickerForm form;
        QVERIFY(form.showActive());
        QVERIFY(chooseInList(form.codePicker, 2)); // "03"
        QTRY_VERIFY(form.code.hasFocus());
        if (how == "type") {
            QTest::keyClick(&form.code, Qt::Key_End);
            QTest::keyClick(&form.code, Qt::Key_Backspace);
            QTest::keyClicks(&form.code, "x");
        } else if (how == "empty") {
            form.code.clear();
        } else if (how == "write") {
            form.code.setText("98");
        } else if (how == "load") {
            form.code.loadText("98");
        } else if (how == "reload") {
            form.code.loadText("03");
        } else {
            form.codePicker.clearPick();
        }
        QCOMPARE(form.codePicker.pickedRow(), -1);
        QCOMPARE(form.codePicker.currentIndex(), -1); // the picker shows no chosen row any more
        const QString typed = form.code.text();
        const CheckResult r = checkCodeList(&form.codePicker, &form.code, &form.codes, false);
        // The typed text is looked up, never replaced by the old pick.
        QCOMPARE(form.code.text(), typed);
        if (typed == "03" || typed.isEmpty()) {
            QCOMPARE(r, CheckResult::Accepted);
            QVERIFY(p.prompts.isEmpty());
        } else {
            QCOMPARE(r, CheckResult::Retry);
            QCOMPARE(p.texts(), QStringList{"Zadaný kód :" + typed + " sa nenašiel v číselníku"});
        }
        // Leaving the picker afterwards copies nothing.
        QVERIFY(focus(form.codePicker));
        QVERIFY(focus(form.other));
        QCOMPARE(form.code.text(), typed);
    }

    void escLeavesTheFieldAlone()
    {
        ScriptedPrompter p;
        PickerForm form;
        QVERIFY(form.showActive());
        QVERIFY(chooseInList(form.codePicker, 2)); // "03"
        QCOMPARE(checkCodeList(&form.codePicker, &form.code, &form.codes, false), CheckResult::Accepted);
        QSignalSpy escaped(&form.codePicker, &CodePicker::escaped);
        QVERIFY(focus(form.codePicker));
        QTest::keyClick(&form.codePicker, Qt::Key_Escape);
        QTRY_VERIFY(form.code.hasFocus());
        QVERIFY(form.isVisible()); // Esc in the picker does not close the window
        QCOMPARE(escaped.count(), 1);
        QVERIFY(form.codePicker.escPressed());
        QVERIFY(shared().comboEscPressed);
        QCOMPARE(form.code.text(), QString("03"));
        // The next check does nothing and lowers the flag ...
        form.codes.setCurrent(0);
        QCOMPARE(checkCodeList(&form.codePicker, &form.code, &form.codes, false), CheckResult::Skipped);
        QVERIFY(!form.codePicker.escPressed());
        QVERIFY(!shared().comboEscPressed);
        QCOMPARE(form.codes.current(), 0);
        // ... and the one after it takes the picked row again.
        QCOMPARE(checkCodeList(&form.codePicker, &form.code, &form.codes, false), CheckResult::Accepted);
        QCOMPARE(form.codes.current(), 2);
        QVERIFY(p.prompts.isEmpty());
    }

    void escWithoutAPickKeepsTheFlagForTheNextPick()
    {
        ScriptedPrompter p;
        PickerForm form;
        QVERIFY(form.showActive());
        form.code.setText("SK");
        QVERIFY(focus(form.codePicker));
        QTest::keyClick(&form.codePicker, Qt::Key_Escape);
        QTRY_VERIFY(form.code.hasFocus());
        QCOMPARE(form.code.text(), QString("SK")); // nothing copied
        p.answer(PromptAnswer::Cancel);
        // The typed path leaves the flag as it is.
        QCOMPARE(checkCodeList(&form.codePicker, &form.code, &form.codes, false), CheckResult::Accepted);
        QCOMPARE(form.code.text(), QString()); // "SK" is no nationality code
        QVERIFY(form.codePicker.escPressed());
        // A new pick is a new choice: the flag goes down and the row is taken.
        QVERIFY(chooseInList(form.codePicker, 0));
        QVERIFY(!form.codePicker.escPressed());
        QVERIFY(!shared().comboEscPressed);
        QCOMPARE(checkCodeList(&form.codePicker, &form.code, &form.codes, false), CheckResult::Accepted);
        QCOMPARE(form.code.text(), QString("01"));
    }

    void eachPickerHasItsOwnEscFlag()
    {
        ScriptedPrompter p;
        PickerForm form;
        QVERIFY(form.showActive());
        QVERIFY(chooseInList(form.codePicker, 1));
        QVERIFY(chooseInList(form.townPicker, form.towns.findName("Nitra")));
        QVERIFY(focus(form.codePicker));
        QTest::keyClick(&form.codePicker, Qt::Key_Escape);
        QVERIFY(form.codePicker.escPressed());
        QVERIFY(!form.townPicker.escPressed());
        // The town's check takes its pick; the Esc of the other picker stays.
        form.town.setText("Nitra"); // unchanged text: the pick holds
        QCOMPARE(checkCodeList(&form.townPicker, &form.town, &form.towns, true), CheckResult::Accepted);
        QCOMPARE(form.towns.name(form.towns.current()), QString("Nitra"));
        QVERIFY(form.codePicker.escPressed());
        QCOMPARE(checkCodeList(&form.codePicker, &form.code, &form.codes, false), CheckResult::Skipped);
        QVERIFY(p.prompts.isEmpty());
    }

    void enterInThePickerCopiesAndMoves()
    {
        ScriptedPrompter p;
        PickerForm form;
        QVERIFY(form.showActive());
        QVERIFY(focus(form.codePicker));
        QTest::keyClick(&form.codePicker, Qt::Key_Return); // nothing chosen: nothing copied
        QTRY_VERIFY(form.code.hasFocus());
        QCOMPARE(form.code.text(), QString());
        QVERIFY(form.isVisible());
        QVERIFY(focus(form.codePicker));
        QTest::keyClick(&form.codePicker, Qt::Key_Down); // choose the first row in the closed picker
        QCOMPARE(form.codePicker.currentIndex(), 0);
        QTest::keyClick(&form.codePicker, Qt::Key_Down);
        QVERIFY(form.codePicker.hasFocus()); // browsing in the closed picker stays there
        QTest::keyClick(&form.codePicker, Qt::Key_Return);
        QTRY_VERIFY(form.code.hasFocus());
        QCOMPARE(form.code.text(), QString("02"));
        QCOMPARE(form.codePicker.pickedRow(), 1);
    }

    void leavingThePickerCopies()
    {
        ScriptedPrompter p;
        PickerForm form;
        QVERIFY(form.showActive());
        QVERIFY(focus(form.codePicker));
        form.other.setFocus(); // nothing chosen: nothing copied
        QTRY_VERIFY(form.other.hasFocus());
        QCOMPARE(form.code.text(), QString());
        QVERIFY(focus(form.codePicker));
        form.codePicker.setCurrentIndex(4);
        QTest::keyClick(&form.codePicker, Qt::Key_Tab);
        QTRY_VERIFY(!form.codePicker.hasFocus());
        QCOMPARE(form.code.text(), QString("05"));
        QCOMPARE(form.codePicker.pickedRow(), 4);
        // Switched off, leaving copies nothing.
        form.code.loadText("");
        form.codePicker.setCopyOnLeave(false);
        QVERIFY(focus(form.codePicker));
        form.codePicker.setCurrentIndex(3);
        QVERIFY(focus(form.other));
        QCOMPARE(form.code.text(), QString());
        QCOMPARE(form.codePicker.pickedRow(), -1);
    }

    void emptyFieldWithAPickTakesTheRow()
    {
        // A pick that wrote an empty text (a row with an empty code) still counts.
        ScriptedPrompter p;
        CodeList list("c_jazyk", "kod", "nazov");
        test::sql("INSERT INTO c_jazyk (kod, nazov) VALUES ('  ', 'bez kódu')");
        QVERIFY(list.load());
        CodePicker picker;
        picker.setCodeList(&list);
        FieldEdit f;
        picker.pairWith(&f);
        picker.setCut(2);
        picker.setCurrentIndex(0);
        QVERIFY(picker.copyPick());
        QCOMPARE(picker.pickedRow(), 0);
        QCOMPARE(checkCodeList(&picker, &f, &list, false), CheckResult::Accepted);
        QCOMPARE(f.text(), QString("  "));
        QCOMPARE(list.current(), 0);
    }

private:
    // Opens the picker's drop-down list and chooses a row with the keyboard.
    static bool chooseInList(CodePicker &picker, int row, bool byMouse = false)
    {
        if (!focus(picker))
            return false;
        picker.showPopup();
        QAbstractItemView *view = picker.view();
        if (!QTest::qWaitFor([&] { return view->isVisible(); }))
            return false;
        const QModelIndex index = view->model()->index(row, 0);
        if (byMouse) {
            view->scrollTo(index);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        } else {
            view->setCurrentIndex(index);
            QTest::keyClick(view, Qt::Key_Return);
        }
        return QTest::qWaitFor([&] { return !view->isVisible(); }) && picker.currentIndex() == row;
    }

    std::unique_ptr<test::OpenRegister> m_dir;
};

QTEST_MAIN(CodeListCheckTest)
#include "CodeListCheckTest.moc"
