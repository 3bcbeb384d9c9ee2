#include "common/SharedState.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FieldProcedures.h"
#include "common/ui/QtPrompter.h"
#include "employee/ui/EmployeeWindow.h"
#include "statement/ui/StatementBox.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/WhenModal.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

using namespace ulk;
using test::ScriptedPrompter;

Q_DECLARE_METATYPE(ulk::CheckResult)
Q_DECLARE_METATYPE(ulk::PromptAnswer)
Q_DECLARE_METATYPE(ulk::PromptButtons)

namespace {

// A form of three fields where Enter runs a check on the first one and, as
// the record windows do, moves on only when the user did not choose Retry.
class CheckForm : public QWidget {
public:
    explicit CheckForm(std::function<CheckResult(FieldEdit *)> check) : m_check(std::move(check))
    {
        auto *l = new QVBoxLayout(this);
        for (FieldEdit *f : {&first, &second, &third}) {
            l->addWidget(f);
            f->installEventFilter(this);
        }
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto *f = static_cast<FieldEdit *>(o);
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (f == &first && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            if (retry(m_check(f))) {
                f->selectAll();
                return true;
            }
        }
        return enterAsTab(f, key);
    }
    FieldEdit first, second, third;

private:
    std::function<CheckResult(FieldEdit *)> m_check;
};

// Types the text into a field as the user would, so that it counts as changed.
void typeInto(FieldEdit &f, const QString &text)
{
    f.loadText(QString());
    if (text.isEmpty())
        f.setText("a"); // typed and erased again
    f.setText(text);
    QVERIFY(f.dataChanged());
}

// Gives a field the text of a table row: typed by the user (changed) or
// loaded from the register as it was stored.
void fill(FieldEdit &f, const QString &text, bool changed)
{
    if (changed)
        typeInto(f, text);
    else
        f.loadText(text);
}

} // namespace

class FieldProceduresTest : public QObject {
    Q_OBJECT
private slots:
    void init() { shared().comboEscPressed = false; }

    // Single-line fields of every kind: control characters set or pasted are
    // dropped, and so are the characters that turn the direction of text.
    void singleLineFieldsDropControlCharacters()
    {
        test::ProgramDir dir;
        EmployeeWindow employee(dir.path());
        FieldEdit field;
        StatementBox box(0, 0, nullptr);
        for (QLineEdit *e : {static_cast<QLineEdit *>(&field), static_cast<QLineEdit *>(&box), employee.findChild<QLineEdit *>("TextPsych0")}) {
            e->setText("Ján\tKo\r\nváč\a\x1b");
            QCOMPARE(e->text(), QString("JánKováč"));
            e->setText("Ko");
            QGuiApplication::clipboard()->setText("vá\tč\n");
            e->paste();
            QCOMPARE(e->text(), QString("Kováč"));
            e->setText("\u202EJán\u202A\u202B\u202C\u202D \u2066Kováč\u2067\u2068\u2069");
            QCOMPARE(e->text(), QString("Ján Kováč"));
            QGuiApplication::clipboard()->setText("\u202Eová");
            e->paste();
            QCOMPARE(e->text(), QString("Ján Kováčová"));
            e->setText("Ko\u200Dvá\u200Dčie\u00AD\uFEFFová \u200BEva\U000E0001");
            QCOMPARE(e->text(), QString("Kováčieová Eva"));
        }
    }

    void fieldEditChangeFlag()
    {
        FieldEdit f;
        QVERIFY(!f.dataChanged());
        QSignalSpy loaded(&f, &FieldEdit::loaded);
        f.loadText("Nitra");
        QCOMPARE(f.text(), QString("Nitra"));
        QVERIFY(!f.dataChanged());
        QCOMPARE(loaded.count(), 1);
        f.setText("Nitra"); // the same text is no change
        QVERIFY(!f.dataChanged());
        f.setText("Trnava"); // a program write
        QVERIFY(f.dataChanged());
        f.loadText("Trnava");
        QVERIFY(!f.dataChanged());
        QTest::keyClicks(&f, "x"); // a user edit
        QVERIFY(f.dataChanged());
        f.setTag("BK");
        f.setIndex(13);
        QCOMPARE(f.tag(), QString("BK"));
        QCOMPARE(f.index(), 13);
    }

    // --- confirmFix ----------------------------------------------------------
    void confirmFix_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<bool>("result");
        QTest::newRow("Yes") << PromptAnswer::Yes << true;
        QTest::newRow("No") << PromptAnswer::No << false;
    }
    void confirmFix()
    {
        QFETCH(PromptAnswer, answer);
        QFETCH(bool, result);
        ScriptedPrompter p;
        p.answer(answer);
        QWidget w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.grabMouse(); // a press that the question interrupted
        QCOMPARE(QWidget::mouseGrabber(), &w);
        QCOMPARE(ulk::confirmFix("Súčet riadkov nesedí."), result);
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].text, QString("Súčet riadkov nesedí. Opraviť ?"));
        QCOMPARE(p.prompts[0].title, QString("Chyba !"));
        QCOMPARE(p.prompts[0].icon, PromptIcon::Critical);
        QCOMPARE(p.prompts[0].buttons, PromptButtons::YesNo);
        QCOMPARE(p.prompts[0].defaultButton, 0);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }

    // --- enterAsTab ----------------------------------------------------------
    void enterAsTab()
    {
        ScriptedPrompter p;
        CheckForm form([](FieldEdit *) { return CheckResult::Accepted; });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.second.setFocus();
        QTRY_VERIFY(form.second.hasFocus());
        QTest::keyClicks(&form.second, "ab");
        QCOMPARE(form.second.text(), QString("ab")); // other keys pass untouched
        QVERIFY(form.second.hasFocus());
        QTest::keyClick(&form.second, Qt::Key_Return);
        QTRY_VERIFY(form.third.hasFocus());
        QCOMPARE(form.second.text(), QString("ab")); // Enter never reached the field
        QTest::keyClick(&form.third, Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_VERIFY(form.first.hasFocus());
        QVERIFY(!ulk::enterAsTab(&form.first, Qt::Key_A));
        QVERIFY(!ulk::enterAsTab(&form.first, Qt::Key_Tab));
        QVERIFY(form.first.hasFocus());
        QVERIFY(p.prompts.isEmpty());
    }

    // --- checkSex ------------------------------------------------------------
    void checkSex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<PromptAnswer>("answer"); // Ok: no message expected
        QTest::addColumn<CheckResult>("result");
        QTest::addColumn<QString>("after");
        const auto none = PromptAnswer::Ok;
        QTest::newRow("m") << "m" << true << none << CheckResult::Accepted << "M";
        QTest::newRow("Z") << "Z" << true << none << CheckResult::Accepted << "Z";
        QTest::newRow("word") << "muž" << true << none << CheckResult::Accepted << "M";
        QTest::newRow("empty") << "" << true << none << CheckResult::Accepted << "";
        QTest::newRow("Ž, Retry") << "Žena" << true << PromptAnswer::Retry << CheckResult::Retry << "Žena";
        QTest::newRow("Ž, Cancel") << "Žena" << true << PromptAnswer::Cancel << CheckResult::Accepted << "";
        QTest::newRow("x, Cancel") << "x" << true << PromptAnswer::Cancel << CheckResult::Accepted << "";
        QTest::newRow("unchanged bad text") << "x" << false << none << CheckResult::Accepted << "x";
        QTest::newRow("unchanged lower case") << "m" << false << none << CheckResult::Accepted << "m";
    }
    void checkSex()
    {
        QFETCH(QString, text);
        QFETCH(bool, changed);
        QFETCH(PromptAnswer, answer);
        QFETCH(CheckResult, result);
        QFETCH(QString, after);
        ScriptedPrompter p;
        p.answerUnlessOk(answer);
        FieldEdit f;
        fill(f, text, changed);
        QCOMPARE(ulk::checkSex(&f), result);
        QCOMPARE(f.text(), after);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), answer == PromptAnswer::Ok ? 0 : 1);
        if (!p.prompts.isEmpty())
            expectPrompt(p.prompts[0], "Pohlavie môže nadobudnúť len hodnotu M alebo Z!", PromptButtons::RetryCancel, 1);
    }

    // --- checkDisability -----------------------------------------------------
    void checkDisability_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("duplicateTest");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<CheckResult>("result");
        QTest::addColumn<QString>("after");
        const auto none = PromptAnswer::Ok;
        QTest::newRow("no test, held code") << "3" << true << false << none << CheckResult::Accepted << "3";
        QTest::newRow("no test, out of range") << "12" << true << false << none << CheckResult::Skipped << "12";
        QTest::newRow("test, 0") << "0" << true << true << none << CheckResult::Accepted << "0";
        QTest::newRow("test, empty") << "" << true << true << none << CheckResult::Accepted << "";
        QTest::newRow("test, free code") << "4" << true << true << none << CheckResult::Skipped << "4";
        QTest::newRow("test, dominant held, Retry") << "3" << true << true << PromptAnswer::Retry << CheckResult::Retry << "3";
        QTest::newRow("test, associated held, Cancel") << "5" << true << true << PromptAnswer::Cancel << CheckResult::Accepted << "";
        QTest::newRow("unchanged held code") << "3" << false << true << none << CheckResult::Accepted << "3";
    }
    void checkDisability()
    {
        QFETCH(QString, text);
        QFETCH(bool, changed);
        QFETCH(bool, duplicateTest);
        QFETCH(PromptAnswer, answer);
        QFETCH(CheckResult, result);
        QFETCH(QString, after);
        ScriptedPrompter p;
        p.answerUnlessOk(answer);
        FieldEdit f;
        fill(f, text, changed);
        const QStringList codeSlots = {"3", "1", "5", " ", " ", " ", " ", " ", " "};
        QCOMPARE(ulk::checkDisability(&f, duplicateTest, "K", codeSlots), result);
        QCOMPARE(f.text(), after);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), answer == PromptAnswer::Ok ? 0 : 1);
        if (!p.prompts.isEmpty())
            expectPrompt(p.prompts[0], "Postihnutie môže nadobudnúť len hodnotu 1 až 9 bez duplicít !",
                         PromptButtons::RetryCancel, 1);
    }

    // --- checkBirthNumber ----------------------------------------------------
    void checkBirthNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("dateBefore");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<CheckResult>("result");
        QTest::addColumn<QString>("numberAfter");
        QTest::addColumn<QString>("sexAfter");
        QTest::addColumn<QString>("dateAfter");
        const auto none = PromptAnswer::Ok;
        QTest::newRow("man, empty date filled") << "8001010006" << true << "" << none << CheckResult::Accepted
                                                << "8001010006" << "M" << "01.01.1980";
        QTest::newRow("woman, date kept") << "0552150005" << true << "3.4.2005" << none << CheckResult::Accepted
                                          << "0552150005" << "Z" << "3.4.2005";
        QTest::newRow("boy of 2004, month plus 20") << "0423150002" << true << "" << none << CheckResult::Accepted
                                                    << "0423150002" << "M" << "15.03.2004";
        QTest::newRow("girl of 2004, month plus 70") << "0473150007" << true << "" << none << CheckResult::Accepted
                                                     << "0473150007" << "Z" << "15.03.2004";
        QTest::newRow("nine digits, Abort") << "800101005" << true << "" << PromptAnswer::Abort
                                            << CheckResult::Accepted << "" << "x" << "";
        QTest::newRow("not divisible, Retry") << "8001010007" << true << "" << PromptAnswer::Retry
                                              << CheckResult::Retry << "8001010007" << "x" << "";
        QTest::newRow("not divisible, Ignore") << "8001010007" << true << "" << PromptAnswer::Ignore
                                               << CheckResult::Accepted << "8001010007" << "x" << "";
        QTest::newRow("31 April, Ignore") << "8004310006" << true << "" << PromptAnswer::Ignore
                                          << CheckResult::Accepted << "8004310006" << "x" << "";
        QTest::newRow("zeros, Abort") << "0000000000" << true << "" << PromptAnswer::Abort
                                      << CheckResult::Accepted << "" << "x" << "";
        QTest::newRow("unchanged invalid") << "8001010007" << false << "" << none << CheckResult::Accepted
                                           << "8001010007" << "x" << "";
        QTest::newRow("unchanged valid derives nothing") << "8001010006" << false << "" << none
                                                         << CheckResult::Accepted << "8001010006" << "x" << "";
        QTest::newRow("empty") << "" << true << "" << none << CheckResult::Accepted << "" << "x" << "";
    }
    void checkBirthNumber()
    {
        QFETCH(QString, number);
        QFETCH(bool, changed);
        QFETCH(QString, dateBefore);
        QFETCH(PromptAnswer, answer);
        QFETCH(CheckResult, result);
        QFETCH(QString, numberAfter);
        QFETCH(QString, sexAfter);
        QFETCH(QString, dateAfter);
        ScriptedPrompter p;
        p.answerUnlessOk(answer);
        FieldEdit num, sex, date;
        fill(num, number, changed);
        sex.loadText("x");
        date.loadText(dateBefore);
        QCOMPARE(ulk::checkBirthNumber(&num, &sex, &date), result);
        QCOMPARE(num.text(), numberAfter);
        QCOMPARE(sex.text(), sexAfter);
        QCOMPARE(date.text(), dateAfter);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), answer == PromptAnswer::Ok ? 0 : 1);
        if (!p.prompts.isEmpty())
            expectPrompt(p.prompts[0], "Nesprávne rodné číslo ,opraviť ?", PromptButtons::AbortRetryIgnore, 0);
        if (sexAfter != "x")
            QVERIFY(sex.dataChanged()); // the derived values count as changes of those fields
    }

    void birthNumberWithoutTargets()
    {
        ScriptedPrompter p;
        FieldEdit num;
        typeInto(num, "8051010000");
        QCOMPARE(ulk::checkBirthNumber(&num, nullptr, nullptr), CheckResult::Accepted);
        QVERIFY(p.prompts.isEmpty());
    }

    // --- checkDate -----------------------------------------------------------
    void checkDate_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<CheckResult>("result");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("message");
        const auto none = PromptAnswer::Ok;
        const QString bad = "Chybný dátum, zadaj v tvare dd.mm.rrrr!";
        const QString gone = "Zadaný dátum neexistuje, zadaj v tvare dd.mm.rrrr!";
        QTest::newRow("empty") << "" << true << none << CheckResult::Accepted << "" << "";
        QTest::newRow("blanks only") << "  " << true << none << CheckResult::Accepted << "" << "";
        QTest::newRow("short year") << "1.2.99" << true << none << CheckResult::Accepted << "1.2.1999" << "";
        QTest::newRow("padded") << "01.02.1999" << true << none << CheckResult::Accepted << "01.02.1999" << "";
        QTest::newRow("blanks") << "1. 2. 70" << true << none << CheckResult::Accepted << "1.2.2070" << "";
        QTest::newRow("no gate: loaded text normalised") << "5.6.71" << false << none << CheckResult::Accepted << "5.6.1971" << "";
        QTest::newRow("three-digit year, Retry") << "1. 2.999" << true << PromptAnswer::Retry << CheckResult::Retry << "1.2.999" << bad;
        QTest::newRow("letters, Cancel") << "zajtra" << true << PromptAnswer::Cancel << CheckResult::Accepted << "" << bad;
        QTest::newRow("31 February, Retry") << "31.2.2020" << true << PromptAnswer::Retry << CheckResult::Retry << "31.2.2020" << gone;
        QTest::newRow("31 April, Cancel") << "31. 4. 99" << true << PromptAnswer::Cancel << CheckResult::Accepted << "" << gone;
    }
    void checkDate()
    {
        QFETCH(QString, typed);
        QFETCH(bool, changed);
        QFETCH(PromptAnswer, answer);
        QFETCH(CheckResult, result);
        QFETCH(QString, after);
        QFETCH(QString, message);
        ScriptedPrompter p;
        p.answerUnlessOk(answer);
        FieldEdit f;
        fill(f, typed, changed);
        QCOMPARE(ulk::checkDate(&f), result);
        QCOMPARE(f.text(), after);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), message.isEmpty() ? 0 : 1);
        if (!p.prompts.isEmpty())
            expectPrompt(p.prompts[0], message, PromptButtons::RetryCancel, 0);
    }

    // --- focus outcome -------------------------------------------------------
    void focusFollowsTheAnswer_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<bool>("stays");
        QTest::addColumn<QString>("after");
        QTest::newRow("valid date moves on") << "1.2.99" << PromptAnswer::Ok << false << "1.2.1999";
        QTest::newRow("Retry keeps the focus") << "31.2.2020" << PromptAnswer::Retry << true << "31.2.2020";
        QTest::newRow("Cancel moves on, field empty") << "31.2.2020" << PromptAnswer::Cancel << false << "";
    }
    void focusFollowsTheAnswer()
    {
        QFETCH(QString, typed);
        QFETCH(PromptAnswer, answer);
        QFETCH(bool, stays);
        QFETCH(QString, after);
        ScriptedPrompter p;
        p.answerUnlessOk(answer);
        CheckForm form([](FieldEdit *f) { return ulk::checkDate(f); });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.first.setFocus();
        QTRY_VERIFY(form.first.hasFocus());
        QTest::keyClicks(&form.first, typed);
        QTest::keyClick(&form.first, Qt::Key_Return);
        if (stays) {
            QVERIFY(form.first.hasFocus());
            QCOMPARE(form.first.selectedText(), after);
        } else {
            QTRY_VERIFY(form.second.hasFocus());
        }
        QCOMPARE(form.first.text(), after);
        QVERIFY(p.unexpected.isEmpty());
    }

    // --- the real message boxes: Enter chooses the default button -----------
    void enterChoosesTheDefaultButton_data()
    {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button"); // the default, chosen by Enter
        QTest::addColumn<CheckResult>("result");
        QTest::addColumn<QString>("after");
        QTest::newRow("birth number: Abort") << "birth" << "800101005" << "Nesprávne rodné číslo ,opraviť ?"
                                             << "Abort" << CheckResult::Accepted << "";
        QTest::newRow("date: Retry") << "date" << "1.2.999" << "Chybný dátum, zadaj v tvare dd.mm.rrrr!"
                                     << "Retry" << CheckResult::Retry << "1.2.999";
        QTest::newRow("nonexistent date: Retry") << "date" << "31.2.2020"
                                                 << "Zadaný dátum neexistuje, zadaj v tvare dd.mm.rrrr!"
                                                 << "Retry" << CheckResult::Retry << "31.2.2020";
        QTest::newRow("sex: Cancel") << "sex" << "x" << "Pohlavie môže nadobudnúť len hodnotu M alebo Z!"
                                     << "Cancel" << CheckResult::Accepted << "";
        QTest::newRow("disability: Cancel") << "disability" << "3"
                                            << "Postihnutie môže nadobudnúť len hodnotu 1 až 9 bez duplicít !"
                                            << "Cancel" << CheckResult::Accepted << "";
    }
    void enterChoosesTheDefaultButton()
    {
        QFETCH(QString, check);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(CheckResult, result);
        QFETCH(QString, after);
        QtPrompter qt;
        setPrompter(&qt);
        QWidget owner;
        FieldEdit f(&owner);
        owner.show();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        typeInto(f, typed);
        QString seenText, seenTitle, seenDefault;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        test::whenModal("QMessageBox", [&](QWidget *w) {
            auto *box = static_cast<QMessageBox *>(w);
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            if (QPushButton *b = box->defaultButton())
                seenDefault = buttonName(box->standardButton(b));
            QTest::keyClick(box, Qt::Key_Return);
        });
        CheckResult r = CheckResult::Skipped;
        if (check == "birth")
            r = ulk::checkBirthNumber(&f, nullptr, nullptr);
        else if (check == "date")
            r = ulk::checkDate(&f);
        else if (check == "sex")
            r = ulk::checkSex(&f);
        else
            r = ulk::checkDisability(&f, true, "K", {"3"});
        setPrompter(nullptr);
        QCOMPARE(seenText, text);
        QCOMPARE(seenTitle, QString("Chybová správa"));
        QCOMPARE(seenIcon, QMessageBox::Warning);
        QCOMPARE(seenDefault, button);
        QCOMPARE(r, result);
        QCOMPARE(f.text(), after);
    }

private:
    static QString buttonName(QMessageBox::StandardButton b)
    {
        switch (b) {
        case QMessageBox::Abort: return "Abort";
        case QMessageBox::Retry: return "Retry";
        case QMessageBox::Ignore: return "Ignore";
        case QMessageBox::Cancel: return "Cancel";
        case QMessageBox::Yes: return "Yes";
        case QMessageBox::No: return "No";
        default: return "other";
        }
    }
    static void expectPrompt(const test::Prompt &p, const QString &text, PromptButtons buttons, int defaultButton)
    {
        QCOMPARE(p.text, text);
        QCOMPARE(p.title, QString("Chybová správa"));
        QCOMPARE(p.icon, PromptIcon::Exclamation);
        QCOMPARE(p.buttons, buttons);
        QCOMPARE(p.defaultButton, defaultButton);
    }
};

QTEST_MAIN(FieldProceduresTest)
#include "FieldProceduresTest.moc"
