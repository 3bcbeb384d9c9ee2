// The checks of the basic-data fields in the client record window, driven
// through the main window: every message with its answers, the towns and
// codes, the parents' years and ages, and the catalogue number.
#include "ClientWindowDriver.h"

#include "client/ui/ClientFieldChecks.h"
#include "data/Database.h"

using namespace ulk;
using test::ScriptedPrompter;

namespace {

const QString kKey = "KOVÁČOMÁ00";
const QString kError = "Chybová správa";

// The main window on a fresh register that holds the client to edit (born
// 12.3.2005, catalogue number 1) and two others with the numbers 12 and " 7 ".
struct Clients : test::ProgramWindow {
    explicit Clients(const QString &birthDate = "2005-03-12")
    {
        dir.openRegister();
        test::addClient(kKey, "Mária", "Kováčová", "1", birthDate);
        test::sql("UPDATE k_zaklad SET matvek = 0, otevek = 0 WHERE idkod = ?", {kKey});
        test::addClient("NOVÁKJÁ00", "Ján", "Novák", "12");
        test::addClient("ADAMPE00", "Peter", "Adam", " 7 ");
    }
};


void comparePrompt(const test::Prompt &prompt, const QString &text, const QString &title, PromptIcon icon,
                   PromptButtons buttons, int defaultButton)
{
    QCOMPARE(prompt.text, text);
    QCOMPARE(prompt.title, title);
    QCOMPARE(prompt.icon, icon);
    QCOMPARE(prompt.buttons, buttons);
    QCOMPARE(prompt.defaultButton, defaultButton);
}

} // namespace

class ClientChecksTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { test::closeProgram(); }

    void messagesAndTheirAnswers_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<PromptIcon>("icon");
        QTest::addColumn<PromptButtons>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<QString>("after"); // the field's text after the answer
        QTest::addColumn<bool>("stays");    // the focus stays in (or comes back to) the field

        const auto X = PromptIcon::Exclamation;
        const auto ARI = PromptButtons::AbortRetryIgnore;
        const auto RC = PromptButtons::RetryCancel;
        const QString town = "Zadaný reťazec :Xyz nie je v číselníku";
        QTest::newRow("town Retry") << 13 << "xyz" << PromptAnswer::Retry << town << kError << X << ARI << 1 << "Xyz"
                                    << true;
        QTest::newRow("town Abort") << 13 << "xyz" << PromptAnswer::Abort << town << kError << X << ARI << 1 << ""
                                    << false;
        QTest::newRow("town Ignore") << 13 << "xyz" << PromptAnswer::Ignore << town << kError << X << ARI << 1 << "Xyz"
                                     << false;
        QTest::newRow("birth place Ignore")
            << 2 << "nitraa" << PromptAnswer::Ignore << "Zadaný reťazec :Nitraa nie je v číselníku" << kError << X
            << ARI << 1 << "Nitraa" << false;
        const QString code = "Zadaný kód :99 sa nenašiel v číselníku";
        QTest::newRow("insurer Retry") << 7 << "99" << PromptAnswer::Retry << code << kError << X << RC << 1 << "99"
                                       << true;
        QTest::newRow("insurer Cancel") << 7 << "99" << PromptAnswer::Cancel << code << kError << X << RC << 1 << ""
                                        << false;
        QTest::newRow("nationality Cancel") << 8 << "77" << PromptAnswer::Cancel
                                            << "Zadaný kód :77 sa nenašiel v číselníku" << kError << X << RC << 1
                                            << "" << false;
        QTest::newRow("citizenship Retry") << 9 << "zz" << PromptAnswer::Retry
                                           << "Zadaný kód :zz sa nenašiel v číselníku" << kError << X << RC << 1
                                           << "zz" << true;
        QTest::newRow("language Cancel") << 10 << "50" << PromptAnswer::Cancel
                                         << "Zadaný kód :50 sa nenašiel v číselníku" << kError << X << RC << 1 << ""
                                         << false;
        QTest::newRow("home language Retry") << 11 << "5" << PromptAnswer::Retry
                                             << "Zadaný kód :5 sa nenašiel v číselníku" << kError << X << RC << 1
                                             << "5" << true;
        const QString number = "Nesprávne rodné číslo ,opraviť ?";
        QTest::newRow("birth number Abort") << 3 << "1234567890" << PromptAnswer::Abort << number << kError << X
                                            << ARI << 0 << "" << false;
        QTest::newRow("birth number Retry") << 3 << "1234567890" << PromptAnswer::Retry << number << kError << X
                                            << ARI << 0 << "1234567890" << true;
        QTest::newRow("birth number Ignore") << 3 << "123456789" << PromptAnswer::Ignore << number << kError << X
                                             << ARI << 0 << "123456789" << false;
        const QString date = "Chybný dátum, zadaj v tvare dd.mm.rrrr!";
        QTest::newRow("birth date Retry") << 4 << "32.1.2020" << PromptAnswer::Retry << date << kError << X << RC << 0
                                          << "32.1.2020" << true;
        QTest::newRow("birth date Cancel") << 4 << "1.1.202" << PromptAnswer::Cancel << date << kError << X << RC
                                           << 0 << "" << false;
        QTest::newRow("register date Cancel") << 17 << "1.13.2020" << PromptAnswer::Cancel << date << kError << X
                                              << RC << 0 << "" << false;
        const QString sex = "Pohlavie môže nadobudnúť len hodnotu M alebo Z!";
        QTest::newRow("sex Retry") << 5 << "x" << PromptAnswer::Retry << sex << kError << X << RC << 1 << "x" << true;
        QTest::newRow("sex Cancel") << 5 << "x" << PromptAnswer::Cancel << sex << kError << X << RC << 1 << ""
                                    << false;
        const QString taken = "V databáze už existuje klient s tým istým kat.číslom!";
        QTest::newRow("catalogue number") << 6 << "12" << PromptAnswer::Ok << taken << "Upozornenie"
                                          << PromptIcon::Information << PromptButtons::Ok << 0 << "12" << true;
        QTest::newRow("catalogue number stored with blanks")
            << 6 << "7" << PromptAnswer::Ok << taken << "Upozornenie" << PromptIcon::Information << PromptButtons::Ok
            << 0 << "7" << true;
    }
    void messagesAndTheirAnswers()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(PromptAnswer, answer);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(PromptIcon, icon);
        QFETCH(PromptButtons, buttons);
        QFETCH(int, defaultButton);
        QFETCH(QString, after);
        QFETCH(bool, stays);

        Clients program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            FieldEdit *f = window->field(field);
            // Confirmed with Enter, then left with the mouse.
            for (const bool byEnter : {true, false}) {
                const int before = int(p.prompts.size());
                test::retype(f, typed);
                p.answer(answer);
                if (byEnter)
                    QTest::keyClick(f, Qt::Key_Return);
                else
                    QTest::mouseClick(window->field(16), Qt::LeftButton);
                QCOMPARE(int(p.prompts.size()), before + 1);
                comparePrompt(p.prompts.last(), message, title, icon, buttons, defaultButton);
                QCOMPARE(f->text(), after);
                if (stays) {
                    QTRY_COMPARE(test::focusedField(window), field);
                    if (byEnter)
                        QCOMPARE(f->selectedText(), after);
                } else {
                    QCOMPARE(test::focusedField(window), byEnter ? field + 1 : 16);
                }
            }
            test::clickButton(window, "cmdStorno");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

    void townsAndCodesTypedInLowerCase_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("listed");
        QTest::newRow("birth place") << 2 << "bratislava" << "Bratislava";
        QTest::newRow("town") << 13 << "košice" << "Košice";
        QTest::newRow("mother's town") << 25 << "žilina" << "Žilina";
        QTest::newRow("father's town") << 40 << "banská bystrica" << "Banská Bystrica";
        QTest::newRow("representative's town") << 52 << "ružomberok" << "Ružomberok";
        QTest::newRow("citizenship") << 9 << "sk" << "SK";
        QTest::newRow("language") << 10 << "01" << "01";
    }
    void townsAndCodesTypedInLowerCase()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, listed);
        Clients program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            if (field >= 20)
                test::clickTab(window, 1);
            test::retype(window->field(field), typed);
            QTest::keyClick(window->field(field), Qt::Key_Return);
            QCOMPARE(window->field(field)->text(), listed);
            QCOMPARE(test::focusedField(window), field + 1);
            test::clickButton(window, "cmdZap");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QVERIFY(p.prompts.isEmpty());
        const QString column = BasicDataFields::columnOf(field);
        QCOMPARE(test::scalar(QStringLiteral("SELECT %1 FROM k_zaklad WHERE idkod = ?").arg(column), {kKey}).toString(),
                 listed);
    }

    void parentsAges_data()
    {
        QTest::addColumn<int>("yearField");
        QTest::addColumn<QString>("birthDate"); // stored
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("age");     // the age field afterwards
        QTest::addColumn<QString>("message"); // empty: none
        const QString mother = "Logicky chybne zadané dátumy matky a klienta !";
        const QString father = "Logicky chybne zadané dátumy otca a klienta !";
        QCOMPARE(ClientFieldChecks::motherDatesMessage(), mother);
        QCOMPARE(ClientFieldChecks::fatherDatesMessage(), father);
        QTest::newRow("mother 1975 Enter") << 21 << "2005-03-12" << "1975" << true << "30" << "";
        QTest::newRow("father 1975 left") << 36 << "2005-03-12" << "1975" << false << "30" << "";
        QTest::newRow("mother a year before") << 21 << "2005-03-12" << "2004" << false << "1" << "";
        QTest::newRow("father 99 years") << 36 << "2005-03-12" << "1906" << true << "99" << "";
        QTest::newRow("mother 1890 Enter") << 21 << "2005-03-12" << "1890" << true << "0" << mother;
        QTest::newRow("father 1890 left") << 36 << "2005-03-12" << "1890" << false << "0" << father;
        QTest::newRow("mother the same year left") << 21 << "2005-03-12" << "2005" << false << "0" << mother;
        QTest::newRow("father a later year Enter") << 36 << "2005-03-12" << "2010" << true << "0" << father;
        QTest::newRow("mother three digits") << 21 << "2005-03-12" << "975" << true << "0" << mother;
        QTest::newRow("no birth date") << 21 << "" << "2010" << false << "0" << "";
    }
    void parentsAges()
    {
        QFETCH(int, yearField);
        QFETCH(QString, birthDate);
        QFETCH(QString, year);
        QFETCH(bool, byEnter);
        QFETCH(QString, age);
        QFETCH(QString, message);
        Clients program(birthDate.isEmpty() ? QString() : birthDate);
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            test::clickTab(window, 1);
            FieldEdit *f = window->field(yearField);
            test::retype(f, year);
            if (!message.isEmpty())
                p.answer(PromptAnswer::Ok);
            if (byEnter)
                QTest::keyClick(f, Qt::Key_Return);
            else
                QTest::mouseClick(window->field(yearField + 2), Qt::LeftButton);
            QCOMPARE(window->field(yearField + 1)->text(), age);
            QCOMPARE(f->text(), year);
            if (message.isEmpty()) {
                QVERIFY(p.prompts.isEmpty());
                QCOMPARE(test::focusedField(window), byEnter ? yearField + 1 : yearField + 2);
                QCOMPARE(window->tabs()->currentIndex(), 1);
            } else {
                QCOMPARE(p.prompts.size(), 1);
                comparePrompt(p.prompts[0], message, kError, PromptIcon::Exclamation, PromptButtons::Ok, 0);
                // The client's birth date is the one to look at, on its own tab.
                QTRY_COMPARE(test::focusedField(window), 4);
                QCOMPARE(window->tabs()->currentIndex(), 0);
                QCOMPARE(window->field(4)->text(), QString("12.3.2005"));
                // No second message on the way, nor on coming back to the tab.
                QCOMPARE(p.prompts.size(), 1);
                QCOMPARE(f->tag(), QString("BK"));
                if (yearField == 21)
                    test::clickTab(window, 1);
                else
                    QTest::keyClick(window->field(4), Qt::Key_Tab, Qt::ControlModifier);
                QCoreApplication::processEvents();
                QCOMPARE(window->tabs()->currentIndex(), 1);
                QCOMPARE(p.prompts.size(), 1);
            }
            test::clickButton(window, "cmdZap");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        const QString column = yearField == 21 ? "matvek" : "otevek";
        QCOMPARE(test::scalar(QStringLiteral("SELECT %1 FROM k_zaklad WHERE idkod = ?").arg(column), {kKey}).toString(),
                 age);
    }

    void ageFieldsHoldZeroWhenLeftEmpty()
    {
        Clients program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            test::clickTab(window, 1);
            FieldEdit *mother = window->field(22);
            QCOMPARE(mother->text(), QString("0"));
            QTest::mouseClick(mother, Qt::LeftButton);
            QCOMPARE(mother->text(), QString());
            QTest::mouseClick(window->field(23), Qt::LeftButton);
            QCOMPARE(mother->text(), QString("0"));
            // Enter has no check of its own, the leave that follows fills the 0.
            QTest::mouseClick(mother, Qt::LeftButton);
            QTest::keyClick(mother, Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 23);
            QCOMPARE(mother->text(), QString("0"));
            FieldEdit *father = window->field(37);
            test::retype(father, "45");
            QTest::keyClick(father, Qt::Key_Return);
            QCOMPARE(father->text(), QString("45"));
            // Even a field marked by a move key is treated when it is left.
            QTest::mouseClick(father, Qt::LeftButton);
            QTest::keyClick(father, Qt::Key_Backspace);
            QTest::keyClick(father, Qt::Key_Backspace);
            QTest::keyClick(father, Qt::Key_Up);
            QCOMPARE(test::focusedField(window), 36);
            QCOMPARE(father->text(), QString("0"));
            test::clickButton(window, "cmdZap");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(test::scalar("SELECT otevek FROM k_zaklad WHERE idkod = ?", {kKey}).toInt(), 0);
    }

    void catalogueNumberOfANewClient()
    {
        Clients program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            test::typeAndPress("Eva");
            test::typeAndPress("Nová");
            FieldEdit *number = window->field(6);
            // Taken by another client: the focus stays.
            test::retype(number, "12");
            p.answer(PromptAnswer::Ok);
            QTest::keyClick(number, Qt::Key_Return);
            QCOMPARE(p.texts(), QStringList({"V databáze už existuje klient s tým istým kat.číslom!"}));
            QCOMPARE(test::focusedField(window), 6);
            // Leading zeros make another number.
            test::retype(number, "07");
            QTest::keyClick(number, Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 7);
            QCOMPARE(p.prompts.size(), 1);
            test::clickButton(window, "cmdZaklUd");
            QCOMPARE(shared().currentRecordId, QString("NOVÁEV00"));
            QCOMPARE(shared().recordMode, quint8(1));
            // Once stored, the client's own row is no other client.
            QTest::mouseClick(number, Qt::LeftButton);
            QTest::keyClick(number, Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 7);
            QCOMPARE(p.prompts.size(), 1);
            // The number of another client is still refused after the first save.
            test::retype(number, "7");
            p.answer(PromptAnswer::Ok);
            QTest::mouseClick(window->field(12), Qt::LeftButton);
            QCOMPARE(p.prompts.size(), 2);
            QTRY_COMPARE(test::focusedField(window), 6);
            test::retype(number, "07");
            test::clickButton(window, "cmdZap");
            QVERIFY(!window->isVisible());
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(test::scalar("SELECT katcis FROM k_zaklad WHERE idkod = 'NOVÁEV00'").toString(), QString("07"));
    }

    void catalogueNumberOfAnEditedClient()
    {
        Clients program;
        auto &[dir, p, w] = program;
        // A second client with the edited client's number, stored after it.
        test::addClient("ZELENÝJO00", "Jozef", "Zelený", "1");
        QVERIFY(test::openClient(w, kKey, [&](ClientWindow *window) {
            FieldEdit *number = window->field(6);
            // Unchanged: the client's own number.
            QTest::mouseClick(number, Qt::LeftButton);
            p.answer(PromptAnswer::Ok);
            QTest::keyClick(number, Qt::Key_Return);
            // The other client with the same number is found, not only the first row.
            QCOMPARE(p.texts(), QStringList({"V databáze už existuje klient s tým istým kat.číslom!"}));
            QCOMPARE(test::focusedField(window), 6);
            test::retype(number, "2");
            QTest::keyClick(number, Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 7);
            QCOMPARE(p.prompts.size(), 1);
            test::clickButton(window, "cmdZap");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(test::scalar("SELECT katcis FROM k_zaklad WHERE idkod = ?", {kKey}).toString(), QString("2"));

        // Alone with its number, an edited client passes.
        QVERIFY(test::selectClient(w, kKey));
        QVERIFY(test::inClientWindow(test::mainButton(w, "cmdOprava"), [&](ClientWindow *window) {
            QTest::mouseClick(window->field(6), Qt::LeftButton);
            QTest::keyClick(window->field(6), Qt::Key_Return);
            QCOMPARE(test::focusedField(window), 7);
            test::clickButton(window, "cmdStorno");
        }));
        QCOMPARE(p.prompts.size(), 1);
    }
};

QTEST_MAIN(ClientChecksTest)
#include "ClientChecksTest.moc"
