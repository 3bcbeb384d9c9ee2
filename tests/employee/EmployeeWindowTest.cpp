#include "app/ui/MainWindow.h"
#include "common/SharedState.h"
#include "data/Database.h"
#include "data/PersonListModel.h"
#include "employee/ui/EmployeeWindow.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"
#include "support/ui/WhenModal.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>

using namespace ulk;
using test::ScriptedPrompter;

namespace {

using Drive = std::function<void(QDialog *)>;

// A main window on a fresh program directory, with the employee list shown.
struct Session : test::ProgramWindow {

    bool start(const std::function<void()> &seed = {})
    {
        if (!window.load())
            return false;
        if (seed)
            seed();
        if (!show())
            return false;
        QTest::mouseClick(window.findChild<QLabel *>("Label2"), Qt::LeftButton);
        return window.listMode() == 2;
    }
    QPushButton *button(const char *name) const { return window.findChild<QPushButton *>(name); }
    void selectEmployee(const QString &key) const
    {
        auto *grid = window.findChild<QTableView *>("dbgPsych");
        const int r = window.employeeList()->rowOfKey(key);
        QVERIFY(r >= 0);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(r, 0)).center());
    }
    // Opens the employee window with New or Edit and lets `drive` work it.
    // A window still open afterwards is closed, so that a failed check
    // cannot leave the test waiting.
    bool open(const char *buttonName, Drive drive)
    {
        bool shown = false;
        test::whenModal("ulk::EmployeeWindow", [&](QWidget *w) {
            shown = true;
            auto *d = static_cast<QDialog *>(w);
            // Keys and focus checks need the dialog to hold the focus.
            const auto focused = [d] {
                return QApplication::activeWindow() == d && QApplication::focusWidget()
                    && QApplication::focusWidget()->window() == d;
            };
            if (!QTest::qWaitFor(focused, 2000)) {
                d->activateWindow();
                (void)QTest::qWaitFor(focused, 2000);
            }
            if (focused())
                drive(d);
            else
                qWarning("employee window not active");
            if (d->isVisible())
                d->done(QDialog::Rejected);
        });
        QTest::mouseClick(button(buttonName), Qt::LeftButton);
        return shown;
    }
};

void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

template <typename T> T *child(QWidget *d, const char *name)
{
    T *c = d->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qWarning("no child %s", name);
    return c;
}
QLineEdit *field(QWidget *d, int i) { return child<QLineEdit>(d, i == 0 ? "TextPsych0" : "TextPsych1"); }
QComboBox *picker(QWidget *d) { return child<QComboBox>(d, "DBCombo1"); }
QRadioButton *opt(QWidget *d, const char *name) { return child<QRadioButton>(d, name); }
void click(QWidget *d, const char *name) { QTest::mouseClick(child<QPushButton>(d, name), Qt::LeftButton); }

// Types both names and a job function, each confirmed with Enter as a user would.
void fillIn(QDialog *d, const QString &first, const QString &surname, const QString &function)
{
    field(d, 0)->setFocus();
    field(d, 0)->selectAll();
    typeText(field(d, 0), first);
    QTest::keyClick(field(d, 0), Qt::Key_Return);
    typeText(field(d, 1), surname);
    QTest::keyClick(field(d, 1), Qt::Key_Return);
    picker(d)->lineEdit()->selectAll();
    typeText(picker(d), function);
}

int count(const QString &table, const QString &where = QString(), const QVariantList &values = {})
{
    return test::scalar("SELECT count(*) FROM " + table + (where.isEmpty() ? QString() : " WHERE " + where), values)
        .toInt();
}

QString employeeColumn(const QString &key, const QString &column)
{
    return test::scalar("SELECT \"" + column + "\" FROM zamestnanci WHERE idkod = ?", {key}).toString();
}

void addReferences(const QString &employeeKey, const QString &client = QStringLiteral("KLIENTJA00"))
{
    test::sql("INSERT INTO k_vysetrenie (idkod, idkod_p, popis) VALUES (?, ?, 'v')", {client, employeeKey});
    test::sql("INSERT INTO k_zaznam_spc (idkod, idkod_P, cinnost) VALUES (?, ?, 's')", {client, employeeKey});
    test::sql("INSERT INTO k_zaznam_zmeny (idkod, idkod_P, zmeny) VALUES (?, ?, 'z')", {client, employeeKey});
}

int referencesTo(const QString &key)
{
    return count("k_vysetrenie", "idkod_p = ?", {key}) + count("k_zaznam_spc", "idkod_P = ?", {key})
        + count("k_zaznam_zmeny", "idkod_P = ?", {key});
}

} // namespace

class EmployeeWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { shared() = SharedState(); }
    void cleanup() { Database::close(); }

    void newEmployeeIsStoredUnderAGeneratedKey()
    {
        Session s;
        QVERIFY(s.start());
        QString title;
        QColor back, buttonBack;
        const bool shown = s.open("CmdNovy", [&](QDialog *d) {
            QCOMPARE(d->objectName(), QString("frmPsychUdaj"));
            title = d->windowTitle();
            back = d->palette().color(QPalette::Window);
            buttonBack = child<QPushButton>(d, "cmdZap")->palette().color(QPalette::Button);
            QCOMPARE(QApplication::focusWidget(), field(d, 0));
            QCOMPARE(child<QLabel>(d, "Label3")->text(), QString("Zápis/oprava údajov"));
            for (const char *o : {"optZamMuz", "optZamZena", "optZamInt", "optZamExt", "optZamMaKva", "optZamNeKva"})
                QVERIFY(!opt(d, o)->isChecked());
            fillIn(d, "jana", "nová", "psychológ");
            QTest::keyClick(picker(d), Qt::Key_Tab);
            QCOMPARE(field(d, 0)->text(), QString("Jana"));
            QCOMPARE(field(d, 1)->text(), QString("Nová"));
            QTRY_COMPARE(picker(d)->currentText(), QString("Psychológ"));
            opt(d, "optZamZena")->click();
            opt(d, "optZamExt")->click();
            opt(d, "optZamNeKva")->click();
            click(d, "cmdZap");
            QVERIFY(!d->isVisible());
        });
        QVERIFY(shown);
        QCOMPARE(title, QString("Údaje zamestnanca"));
        QCOMPARE(back, QColor(206, 206, 232));
        QCOMPARE(buttonBack, QColor(157, 157, 206));
        QVERIFY(s.prompter.prompts.isEmpty());
        QCOMPARE(count("zamestnanci"), 1);
        QCOMPARE(employeeColumn("NOVÁJA00", "meno"), QString("Jana"));
        QCOMPARE(employeeColumn("NOVÁJA00", "priezv"), QString("Nová"));
        QCOMPARE(employeeColumn("NOVÁJA00", "prac_zar"), QString("4"));
        QCOMPARE(employeeColumn("NOVÁJA00", "pohlavie"), QString("z"));
        QCOMPARE(employeeColumn("NOVÁJA00", "int-ext"), QString("e"));
        QCOMPARE(employeeColumn("NOVÁJA00", "kvalifikacia"), QString("n"));
        QCOMPARE(shared().recordMode, quint8(0));
        // The list shows the new employee with the name of the job function.
        QCOMPARE(s.window.employeeList()->rowCount(), 1);
        QCOMPARE(s.window.employeeList()->row(0).funkcia, QString("Psychológ"));
        QVERIFY(s.button("cmdVymaz")->isEnabled());
    }

    void sameNamePartGetsTheNextCounter()
    {
        Session s;
        QVERIFY(s.start([] {
            test::addEmployee("NOVÁJA00", "Jana", "Nová");
            test::addEmployee("NOVÁJA01", "Janka", "Nováková");
        }));
        s.open("CmdNovy", [&](QDialog *d) {
            fillIn(d, "Jaroslava", "Nová", "Iní");
            click(d, "cmdZap");
        });
        QVERIFY2(s.prompter.prompts.isEmpty(), qPrintable(s.prompter.texts().join('|')));
        QCOMPARE(employeeColumn("NOVÁJA02", "meno"), QString("Jaroslava"));
        QCOMPARE(employeeColumn("NOVÁJA02", "prac_zar"), QString("8"));
        // No option chosen: the columns stay empty.
        QVERIFY(test::scalar("SELECT pohlavie FROM zamestnanci WHERE idkod='NOVÁJA02'").isNull());
    }

    void saveAndNewStartsTheNextEmployee()
    {
        Session s;
        QVERIFY(s.start());
        s.open("CmdNovy", [&](QDialog *d) {
            fillIn(d, "Jana", "Nová", "Riaditeľ");
            opt(d, "optZamMuz")->click();
            click(d, "cmdzapNew"); // press and release with no delay
            // The picker's leave check, queued by the press, finds the row saved.
            QCoreApplication::processEvents();
            QVERIFY(s.prompter.prompts.isEmpty());
            QVERIFY(d->isVisible());
            QCOMPARE(shared().recordMode, quint8(1));
            QCOMPARE(field(d, 0)->text(), QString());
            QCOMPARE(field(d, 1)->text(), QString());
            QCOMPARE(picker(d)->currentText(), QString());
            QVERIFY(opt(d, "optZamMuz")->isChecked()); // options keep their state
            QCOMPARE(d->windowTitle(), QString("Údaje zamestnanca"));
            QCOMPARE(QApplication::focusWidget(), field(d, 0));
            fillIn(d, "Jana", "Nová", "Iní");
            click(d, "cmdzapNew");
            click(d, "cmdStorno");
        });
        QCOMPARE(count("zamestnanci"), 2);
        QCOMPARE(employeeColumn("NOVÁJA00", "prac_zar"), QString("1"));
        QCOMPARE(employeeColumn("NOVÁJA01", "prac_zar"), QString("8"));
        QCOMPARE(employeeColumn("NOVÁJA01", "pohlavie"), QString("m"));
        QCOMPARE(shared().recordMode, quint8(0));
    }

    void requiredFields_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no first name") << "  " << "Nová" << "Meno je povinný údaj !" << "TextPsych0";
        QTest::newRow("no surname") << "Jana" << "" << "Priezvisko je povinný údaj !" << "TextPsych1";
        QTest::newRow("neither") << "" << "" << "Meno je povinný údaj !" << "TextPsych0";
    }
    void requiredFields()
    {
        QFETCH(QString, first);
        QFETCH(QString, surname);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Session s;
        QVERIFY(s.start());
        s.prompter.answer(PromptAnswer::Ok).answer(PromptAnswer::Ok);
        QString focusAfterZap, focusAfterZapNew;
        s.open("CmdNovy", [&](QDialog *d) {
            field(d, 0)->setText(first);
            field(d, 1)->setText(surname);
            picker(d)->setEditText("Psychológ");
            click(d, "cmdZap");
            QVERIFY(d->isVisible());
            focusAfterZap = QApplication::focusWidget()->objectName();
            click(d, "cmdzapNew");
            focusAfterZapNew = QApplication::focusWidget()->objectName();
        });
        QCOMPARE(s.prompter.texts(), QStringList({message, message}));
        QCOMPARE(s.prompter.prompts.at(0).title, QString("Chybová správa"));
        QCOMPARE(s.prompter.prompts.at(0).icon, PromptIcon::Exclamation);
        QCOMPARE(s.prompter.prompts.at(0).buttons, PromptButtons::Ok);
        QCOMPARE(focusAfterZap, focus);
        QCOMPARE(focusAfterZapNew, focus);
        QCOMPARE(count("zamestnanci"), 0);
    }

    void nameFieldKeys_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::newRow("Enter in first name") << 0 << int(Qt::Key_Return) << "TextPsych1";
        QTest::newRow("keypad Enter in first name") << 0 << int(Qt::Key_Enter) << "TextPsych1";
        QTest::newRow("Down in first name") << 0 << int(Qt::Key_Down) << "TextPsych1";
        QTest::newRow("Up in first name stays") << 0 << int(Qt::Key_Up) << "TextPsych0";
        QTest::newRow("PgDn in first name") << 0 << int(Qt::Key_PageDown) << "cmdZap";
        QTest::newRow("Enter in surname") << 1 << int(Qt::Key_Return) << "DBCombo1";
        QTest::newRow("Down in surname") << 1 << int(Qt::Key_Down) << "DBCombo1";
        QTest::newRow("Up in surname") << 1 << int(Qt::Key_Up) << "TextPsych0";
        QTest::newRow("PgUp in surname") << 1 << int(Qt::Key_PageUp) << "cmdZap";
    }
    void nameFieldKeys()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(QString, focus);
        Session s;
        QVERIFY(s.start());
        QString focusAfter, text;
        s.open("CmdNovy", [&](QDialog *d) {
            field(d, from)->setFocus();
            field(d, from)->setText("čIERNA pani");
            QTest::keyClick(field(d, from), Qt::Key(key));
            focusAfter = QApplication::focusWidget()->objectName();
            text = field(d, from)->text();
            click(d, "cmdStorno");
        });
        QCOMPARE(focusAfter, focus);
        QCOMPARE(text, QString("ČIERNA pani")); // only the first letter changes
        QVERIFY(s.prompter.prompts.isEmpty());
        QCOMPARE(count("zamestnanci"), 0);
    }

    void nameFieldsTrimOnFocusAndCapitaliseOnLeaving()
    {
        Session s;
        QVERIFY(s.start());
        QString trimmed, selected, left, untouched;
        s.open("CmdNovy", [&](QDialog *d) {
            field(d, 1)->setText("  ľubá  ");
            field(d, 1)->setFocus(Qt::TabFocusReason);
            trimmed = field(d, 1)->text();
            selected = field(d, 1)->selectedText();
            QTest::keyClick(field(d, 1), Qt::Key_Tab); // leaves for the picker
            left = field(d, 1)->text();
            field(d, 0)->setText("ján");
            untouched = field(d, 0)->text(); // not left yet
            click(d, "cmdStorno");
        });
        QCOMPARE(trimmed, QString("ľubá"));
        QCOMPARE(selected, QString("ľubá"));
        QCOMPARE(left, QString("Ľubá"));
        QCOMPARE(untouched, QString("ján"));
    }

    void pickerTakesAnyLetterCase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("code");
        QTest::newRow("lower case") << "psychológ" << "Psychológ" << 4;
        QTest::newRow("upper case") << "ŠPECIÁLNY PEDAGÓG" << "Špeciálny pedagóg" << 2;
        QTest::newRow("mixed") << "lIEČEBNÝ pEDAGÓG" << "Liečebný pedagóg" << 5;
        QTest::newRow("last of eight") << "iní" << "Iní" << 8;
        QTest::newRow("ninth row of the list") << "logopéd" << "Logopéd" << 9;
    }
    void pickerTakesAnyLetterCase()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(int, code);
        Session s;
        QVERIFY(s.start([] { test::sql("INSERT INTO c_funkcie (fc_idkod, nazov) VALUES (9, 'Logopéd')"); }));
        QString afterLeaving;
        s.open("CmdNovy", [&](QDialog *d) {
            field(d, 0)->setText("Eva");
            field(d, 1)->setText("Malá");
            picker(d)->setFocus();
            picker(d)->setEditText(typed);
            QTest::keyClick(picker(d), Qt::Key_Tab);
            QTRY_COMPARE(picker(d)->currentText(), stored);
            afterLeaving = picker(d)->currentText();
            click(d, "cmdZap");
        });
        QVERIFY2(s.prompter.prompts.isEmpty(), qPrintable(s.prompter.texts().join('|')));
        QCOMPARE(afterLeaving, stored);
        QCOMPARE(employeeColumn("MALÁEV00", "prac_zar").toInt(), code);
    }

    void pickerRefusesWhatIsNotInTheList_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("unknown") << "Kuchár";
        QTest::newRow("empty") << "";
        QTest::newRow("part of a name") << "Psycho";
    }
    void pickerRefusesWhatIsNotInTheList()
    {
        QFETCH(QString, typed);
        Session s;
        QVERIFY(s.start());
        s.prompter.answer(PromptAnswer::Ok).answer(PromptAnswer::Ok);
        QString focusAfterLeaving, focusAfterSave;
        s.open("CmdNovy", [&](QDialog *d) {
            field(d, 0)->setText("Eva");
            field(d, 1)->setText("Malá");
            picker(d)->setFocus();
            picker(d)->setEditText(typed);
            QTest::keyClick(picker(d), Qt::Key_Tab);
            QTRY_COMPARE(s.prompter.prompts.size(), 1);
            focusAfterLeaving = QApplication::focusWidget()->objectName();
            // Saving is refused as well while the job function is not valid.
            field(d, 0)->setFocus();
            click(d, "cmdZap");
            QTRY_COMPARE(s.prompter.prompts.size(), 2);
            focusAfterSave = QApplication::focusWidget()->objectName();
            QVERIFY(d->isVisible());
        });
        QCOMPARE(s.prompter.texts(), QStringList({"Nebol zadaný správny údaj", "Nebol zadaný správny údaj"}));
        QCOMPARE(s.prompter.prompts.at(0).title, QString("Chybová správa"));
        QCOMPARE(s.prompter.prompts.at(0).icon, PromptIcon::Exclamation);
        QCOMPARE(focusAfterLeaving, QString("DBCombo1"));
        QCOMPARE(focusAfterSave, QString("DBCombo1"));
        QVERIFY(s.prompter.unexpected.isEmpty());
        QCOMPARE(count("zamestnanci"), 0);
    }

    void clickingSaveFromARefusedPickerShowsOneMessage()
    {
        Session s;
        QVERIFY(s.start());
        s.prompter.answer(PromptAnswer::Ok);
        s.open("CmdNovy", [&](QDialog *d) {
            field(d, 0)->setText("Eva");
            field(d, 1)->setText("Malá");
            picker(d)->setFocus();
            picker(d)->setEditText("Kuchár");
            click(d, "cmdZap");
            QTest::qWait(20);
            QVERIFY(d->isVisible());
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(picker(d)));
        });
        QCOMPARE(s.prompter.texts(), QStringList({"Nebol zadaný správny údaj"}));
        QCOMPARE(count("zamestnanci"), 0);
    }

    void stornoLeavesThePickerWithoutACheck()
    {
        Session s;
        QVERIFY(s.start());
        bool closed = false;
        s.open("CmdNovy", [&](QDialog *d) {
            fillIn(d, "Eva", "Malá", "Kuchár");
            click(d, "cmdStorno");
            QTRY_VERIFY(!d->isVisible());
            closed = d->result() == QDialog::Rejected;
        });
        QVERIFY(closed);
        QVERIFY(s.prompter.prompts.isEmpty());
        QCOMPARE(count("zamestnanci"), 0);
        QCOMPARE(shared().recordMode, quint8(0));
    }

    void cancelWaysWriteNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Storno") << "storno";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("close box") << "close";
    }
    void cancelWaysWriteNothing()
    {
        QFETCH(QString, how);
        Session s;
        QVERIFY(s.start([] {
            test::addEmployee("NOVÁJA00", "Jana", "Nová", 4, "z", "i", "a");
            addReferences("NOVÁJA00");
        }));
        const QByteArray before = test::scalar("SELECT group_concat(idkod||meno||priezv||prac_zar||pohlavie) "
                                               "FROM zamestnanci").toByteArray();
        s.selectEmployee("NOVÁJA00");
        s.open("cmdOprava", [&](QDialog *d) {
            field(d, 1)->setText("Malá");
            field(d, 0)->setText("Eva");
            picker(d)->setEditText("Riaditeľ");
            opt(d, "optZamMuz")->click();
            if (how == "storno")
                click(d, "cmdStorno");
            else if (how == "esc")
                QTest::keyClick(field(d, 0), Qt::Key_Escape);
            else
                d->close();
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(test::scalar("SELECT group_concat(idkod||meno||priezv||prac_zar||pohlavie) FROM zamestnanci")
                     .toByteArray(),
                 before);
        QCOMPARE(referencesTo("NOVÁJA00"), 3);
        QCOMPARE(shared().recordMode, quint8(0));
        QVERIFY(s.prompter.prompts.isEmpty());
    }

    void editShowsTheRowAndKeepsTheKeyWhenTheStemStays()
    {
        Session s;
        QVERIFY(s.start([] {
            test::addEmployee("KOVÁČOJA00", "Jana", "Kováčová", 4, "z", "e", "n");
            addReferences("KOVÁČOJA00");
        }));
        s.selectEmployee("KOVÁČOJA00");
        s.open("cmdOprava", [&](QDialog *d) {
            QCOMPARE(d->windowTitle(), QString("Údaje zamestnancaKOVÁČOJA00 : Jana  Kováčová"));
            QCOMPARE(field(d, 0)->text(), QString("Jana"));
            QCOMPARE(field(d, 1)->text(), QString("Kováčová"));
            QCOMPARE(picker(d)->currentText(), QString("Psychológ"));
            QVERIFY(opt(d, "optZamZena")->isChecked());
            QVERIFY(opt(d, "optZamExt")->isChecked());
            QVERIFY(opt(d, "optZamNeKva")->isChecked());
            QVERIFY(!opt(d, "optZamMuz")->isChecked());
            // Letters after the stem change, the key does not.
            field(d, 0)->setText("Janka");
            field(d, 1)->setText("Kováčovičová");
            opt(d, "optZamMaKva")->click();
            click(d, "cmdZap");
            QVERIFY(!d->isVisible());
        });
        QVERIFY(s.prompter.prompts.isEmpty());
        QCOMPARE(count("zamestnanci"), 1);
        QCOMPARE(employeeColumn("KOVÁČOJA00", "meno"), QString("Janka"));
        QCOMPARE(employeeColumn("KOVÁČOJA00", "priezv"), QString("Kováčovičová"));
        QCOMPARE(employeeColumn("KOVÁČOJA00", "kvalifikacia"), QString("a"));
        QCOMPARE(employeeColumn("KOVÁČOJA00", "pohlavie"), QString("z"));
        QCOMPARE(referencesTo("KOVÁČOJA00"), 3);
        QCOMPARE(shared().recordMode, quint8(0));
        QCOMPARE(s.window.employeeList()->row(s.window.currentRow()).idkod, QString("KOVÁČOJA00"));
    }

    void editOfAnUnknownLetterKeepsTheStoredValue()
    {
        Session s;
        QVERIFY(s.start([] { test::addEmployee("NOVÁJA00", "Jana", "Nová", 4, "Z", "I", "x"); }));
        s.selectEmployee("NOVÁJA00");
        bool anyChecked = true;
        s.open("cmdOprava", [&](QDialog *d) {
            anyChecked = false;
            for (const char *o : {"optZamMuz", "optZamZena", "optZamInt", "optZamExt", "optZamMaKva", "optZamNeKva"})
                anyChecked = anyChecked || opt(d, o)->isChecked();
            click(d, "cmdZap");
        });
        QVERIFY(!anyChecked);
        QCOMPARE(employeeColumn("NOVÁJA00", "pohlavie"), QString("Z"));
        QCOMPARE(employeeColumn("NOVÁJA00", "int-ext"), QString("I"));
        QCOMPARE(employeeColumn("NOVÁJA00", "kvalifikacia"), QString("x"));
    }

    void changedKeyMovesTheReferences()
    {
        Session s;
        QVERIFY(s.start([] {
            test::addEmployee("NOVÁJA00", "Jana", "Nová");
            test::addEmployee("MALÁJA00", "Jarmila", "Malá");
            test::addEmployee("NOVÁJA001", "Jana", "Nová");
            addReferences("NOVÁJA00");
            addReferences("NOVÁJA00", "INYKLIEN00");
            addReferences("NOVÁJA001");
            addReferences("MALÁJA00");
            test::sql("INSERT INTO k_zaznam_spc (idkod, idkod_P) VALUES ('TRETIKL00', 'NOVÁJA00 ')");
        }));
        s.selectEmployee("NOVÁJA00");
        s.open("cmdOprava", [&](QDialog *d) {
            field(d, 1)->setText("Malá");
            click(d, "cmdZap");
            QVERIFY(!d->isVisible());
        });
        QVERIFY(s.prompter.prompts.isEmpty());
        // MALÁJA00 is taken: the new key is tried from 00 on.
        QCOMPARE(employeeColumn("MALÁJA01", "meno"), QString("Jana"));
        QCOMPARE(count("zamestnanci", "idkod = 'NOVÁJA00'"), 0);
        QCOMPARE(referencesTo("MALÁJA01"), 7); // a trailing blank still names the employee
        QCOMPARE(referencesTo("NOVÁJA00"), 0);
        QCOMPARE(count("k_zaznam_zmeny", "idkod_P = 'MALÁJA01'"), 2); // the idkod_P spelling
        // Keys that differ only in the counter keep their references.
        QCOMPARE(referencesTo("NOVÁJA001"), 3);
        QCOMPARE(referencesTo("MALÁJA00"), 3);
        // The list stands on the renamed employee.
        QCOMPARE(shared().currentRecordId, QString("MALÁJA01"));
        QCOMPARE(s.window.employeeList()->row(s.window.currentRow()).idkod, QString("MALÁJA01"));
    }

    void failedSaveIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("surname");
        QTest::newRow("cascade fails in recorded changes")
            << "cmdOprava" << "BEFORE UPDATE ON k_zaznam_zmeny" << "Malá";
        QTest::newRow("row update fails") << "cmdOprava" << "BEFORE UPDATE ON zamestnanci" << "Nová";
        QTest::newRow("new row refused") << "CmdNovy" << "BEFORE INSERT ON zamestnanci" << "Malá";
    }
    void failedSaveIsReportedAndChangesNothing()
    {
        QFETCH(QString, button);
        QFETCH(QString, trigger);
        QFETCH(QString, surname);
        Session s;
        QVERIFY(s.start([&] {
            test::addEmployee("NOVÁJA00", "Jana", "Nová");
            addReferences("NOVÁJA00");
            test::sql("CREATE TRIGGER refuse " + trigger + " BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        }));
        s.selectEmployee("NOVÁJA00");
        s.prompter.answer(PromptAnswer::Ok);
        QString keptSurname;
        bool stillOpen = false;
        s.open(button.toLatin1().constData(), [&](QDialog *d) {
            fillIn(d, "Jana", surname, "Psychológ");
            click(d, "cmdZap");
            stillOpen = d->isVisible();
            keptSurname = field(d, 1)->text();
        });
        QVERIFY(stillOpen);
        QCOMPARE(keptSurname, surname);
        QCOMPARE(s.prompter.prompts.size(), 1);
        QVERIFY(s.prompter.prompts.at(0).text.startsWith("Údaje zamestnanca sa nepodarilo zapísať"));
        QVERIFY(s.prompter.prompts.at(0).text.endsWith("\ndatabáza zápis odmietla (kód 1811)"));
        QCOMPARE(s.prompter.prompts.at(0).title, QString("Chybová správa"));
        QCOMPARE(count("zamestnanci"), 1);
        QCOMPARE(employeeColumn("NOVÁJA00", "priezv"), QString("Nová"));
        QCOMPARE(referencesTo("NOVÁJA00"), 3);
    }
};

QTEST_MAIN(EmployeeWindowTest)
#include "EmployeeWindowTest.moc"
