#include "app/ui/MainWindow.h"
#include "data/Database.h"
#include "data/PersonListModel.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>

using namespace ulk;
using test::ScriptedPrompter;

namespace {

const QStringList kClientTables = {"k_memo",       "k_navstevy",   "k_surodenci",    "k_vysetrenie",
                                   "k_zariad",     "k_zaznam_spc", "k_zaznam_zmeny", "k_zaklad"};

struct Session : test::ProgramWindow {

    bool start(bool clients, const std::function<void()> &seed)
    {
        if (!window.load())
            return false;
        seed();
        if (!show())
            return false;
        QTest::mouseClick(window.findChild<QLabel *>(clients ? "Label1" : "Label2"), Qt::LeftButton);
        return window.listMode() == (clients ? 1 : 2);
    }
    QPushButton *button(const char *name) const { return window.findChild<QPushButton *>(name); }
    QTableView *grid() const
    {
        return window.findChild<QTableView *>(window.listMode() == 1 ? "dbgKlient" : "dbgPsych");
    }
    PersonListModel *list() const
    {
        return window.listMode() == 1 ? window.clientList() : window.employeeList();
    }
    void select(const QString &key) const
    {
        const int r = list()->rowOfKey(key);
        QVERIFY2(r >= 0, qPrintable(key));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(list()->index(r, 0)).center());
        QCOMPARE(window.currentRow(), r);
    }
    QString currentKey() const
    {
        const int r = window.currentRow();
        return r < 0 ? QString() : list()->row(r).idkod;
    }
    bool onlyNewEnabled() const
    {
        return button("CmdNovy")->isEnabled() && !button("cmdOprava")->isEnabled()
            && !button("cmdHladaj")->isEnabled() && !button("cmdVymaz")->isEnabled();
    }
};

int rowsOf(const QString &table, const QString &key)
{
    return test::scalar("SELECT count(*) FROM " + table + " WHERE idkod = ?", {key}).toInt();
}

// A client with two rows in every sub-record table (one k_memo row).
void addClientWithRecords(const QString &key, const QString &meno, const QString &priezv)
{
    test::addClient(key, meno, priezv, key.right(3));
    for (int i = 0; i < 2; ++i) {
        test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, '2024-01-02')", {key});
        test::sql("INSERT INTO k_surodenci (idkod, meno) VALUES (?, 'Súrodenec')", {key});
        test::sql("INSERT INTO k_vysetrenie (idkod, idkod_p) VALUES (?, 'NOVAJA00')", {key});
        test::sql("INSERT INTO k_zariad (idkod, nazzar) VALUES (?, '16')", {key});
        test::sql("INSERT INTO k_zaznam_spc (idkod, idkod_P) VALUES (?, 'NOVAJA00')", {key});
        test::sql("INSERT INTO k_zaznam_zmeny (idkod, idkod_P) VALUES (?, 'NOVAJA00')", {key});
    }
}

void seedSearchClients()
{
    test::sql("INSERT INTO k_zaklad (idkod, meno, priezv) VALUES ('BEZMEN00', NULL, 'Bezmena')");
    test::addClient("KOVÁČJÁ00", "Ján", "Kováč");
    test::addClient("NOVÁKPE00", "Peter", "Novák");
    test::addClient("NOVÁKOJA00", "Jana", "Nováková");
    test::addClient("O'NEILMA00", "Mary", "O'Neil");
    test::addClient("PER%CEAN00", "Anna", "Per%cent");
    test::addClient("STAR*XCY00", "Cyril", "Star*x");
    test::addClient("UNDER_BE00", "Beáta", "Under_score");
}

} // namespace

class SearchDeleteTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void searchClients_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("found"); // empty: not found
        QTest::newRow("prefix, first in list order") << "nov" << "NOVÁKPE00";
        QTest::newRow("upper case") << "NOVÁKOVÁ" << "NOVÁKOJA00";
        QTest::newRow("surname and first name") << "nov j" << "NOVÁKOJA00";
        QTest::newRow("blanks around the first name") << "nov   pe " << "NOVÁKPE00";
        QTest::newRow("apostrophe") << "o'n" << "O'NEILMA00";
        QTest::newRow("apostrophe with first name") << "o'neil mary" << "O'NEILMA00";
        QTest::newRow("percent taken literally") << "per%" << "PER%CEAN00";
        QTest::newRow("percent alone") << "%" << "";
        QTest::newRow("underscore taken literally") << "under_" << "UNDER_BE00";
        QTest::newRow("underscore alone") << "_" << "";
        QTest::newRow("underscore is no wildcard") << "und_r" << "";
        QTest::newRow("star taken literally") << "star*" << "STAR*XCY00";
        QTest::newRow("star alone") << "*" << "";
        QTest::newRow("star is no wildcard") << "s*" << "";
        QTest::newRow("trailing blank needs a first name") << "bez " << "";
        QTest::newRow("trailing blank") << "kov " << "KOVÁČJÁ00";
        QTest::newRow("leading blank: any surname") << " jan" << "NOVÁKOJA00";
        QTest::newRow("unknown") << "xyz" << "";
        QTest::newRow("unknown first name") << "kováč x" << "";
    }
    void searchClients()
    {
        QFETCH(QString, answer);
        QFETCH(QString, found);
        Session s;
        QVERIFY(s.start(true, seedSearchClients));
        QCOMPARE(s.list()->row(0).idkod, QString("BEZMEN00"));
        s.select("UNDER_BE00");
        s.prompter.type(answer);
        if (found.isEmpty())
            s.prompter.answer(PromptAnswer::Ok);
        QTest::mouseClick(s.button("cmdHladaj"), Qt::LeftButton);

        QVERIFY(s.prompter.unexpected.isEmpty());
        QCOMPARE(s.prompter.prompts.at(0).kind, test::Prompt::Input);
        QCOMPARE(s.prompter.prompts.at(0).text, QString("Zadaj priezvisko a meno klienta :"));
        QCOMPARE(s.prompter.prompts.at(0).title, QString("Hľadanie podľa priezviska"));
        QCOMPARE(s.prompter.prompts.at(0).defaultText, QString());
        if (found.isEmpty()) {
            QCOMPARE(s.prompter.prompts.size(), 2);
            QCOMPARE(s.prompter.prompts.at(1).text, "Klient  '" + answer + "' nie je v databáze");
            QCOMPARE(s.prompter.prompts.at(1).title, QString("Informácia"));
            QCOMPARE(s.prompter.prompts.at(1).icon, PromptIcon::Information);
            QCOMPARE(s.prompter.prompts.at(1).buttons, PromptButtons::Ok);
            QCOMPARE(s.currentKey(), QString("BEZMEN00"));
        } else {
            QCOMPARE(s.prompter.prompts.size(), 1);
            QCOMPARE(s.currentKey(), found);
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(s.grid()));
    }

    void searchFollowsTheCatalogueOrder()
    {
        Session s;
        QVERIFY(s.start(true, [] {
            test::addClient("NOVÁKPE00", "Peter", "Novák", "20");
            test::addClient("NOVÁKOJA00", "Jana", "Nováková", "3");
        }));
        QTest::mouseClick(s.button("CmdSort"), Qt::LeftButton);
        s.prompter.type("nov");
        QTest::mouseClick(s.button("cmdHladaj"), Qt::LeftButton);
        QCOMPARE(s.currentKey(), QString("NOVÁKOJA00"));
    }

    void searchEmployees_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("found");
        QTest::newRow("surname and first name") << "nov ja" << "NOVÁJA00";
        QTest::newRow("case ignored") << "MALÁ" << "MALÁEV00";
        QTest::newRow("apostrophe, not found") << "o'x" << "";
        QTest::newRow("percent, not found") << "%" << "";
    }
    void searchEmployees()
    {
        QFETCH(QString, answer);
        QFETCH(QString, found);
        Session s;
        QVERIFY(s.start(false, [] {
            test::addEmployee("MALÁEV00", "Eva", "Malá");
            test::addEmployee("NOVÁJA00", "Jana", "Nová");
            test::addEmployee("NOVÁPE00", "Peter", "Nová");
        }));
        s.select("NOVÁPE00");
        s.prompter.type(answer);
        if (found.isEmpty())
            s.prompter.answer(PromptAnswer::Ok);
        QTest::mouseClick(s.button("cmdHladaj"), Qt::LeftButton);
        QVERIFY(s.prompter.unexpected.isEmpty());
        QCOMPARE(s.prompter.prompts.at(0).text, QString("Zadaj priezvisko a meno zamestnanca :"));
        QCOMPARE(s.prompter.prompts.at(0).title, QString("Hľadanie podľa priezviska"));
        if (found.isEmpty()) {
            QCOMPARE(s.prompter.prompts.at(1).text, "Zamestnanec  '" + answer + "' nie je v databáze");
            QCOMPARE(s.prompter.prompts.at(1).title, QString("Informácia"));
            QCOMPARE(s.currentKey(), QString("MALÁEV00"));
        } else {
            QCOMPARE(s.prompter.prompts.size(), 1);
            QCOMPARE(s.currentKey(), found);
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(s.grid()));
    }

    void searchWithoutAnAnswerChangesNothing_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("Cancel") << true;
        QTest::newRow("empty answer") << false;
    }
    void searchWithoutAnAnswerChangesNothing()
    {
        QFETCH(bool, cancel);
        Session s;
        QVERIFY(s.start(true, seedSearchClients));
        s.select("STAR*XCY00");
        if (cancel)
            s.prompter.cancelInput();
        else
            s.prompter.type("");
        QTest::mouseClick(s.button("cmdHladaj"), Qt::LeftButton);
        QCOMPARE(s.prompter.prompts.size(), 1);
        QVERIFY(s.prompter.unexpected.isEmpty());
        QCOMPARE(s.currentKey(), QString("STAR*XCY00"));
    }

    void emptyListsAreRefused_data()
    {
        QTest::addColumn<bool>("clients");
        QTest::addColumn<bool>("search");
        QTest::addColumn<QString>("message");
        QTest::newRow("search clients") << true << true << "Nie sú nahraní žiadni klienti!";
        QTest::newRow("search employees") << false << true << "Nie sú nahraní žiadni zamestnanci!";
        QTest::newRow("delete client") << true << false << "Nie je vybraný žiaden klient ";
        QTest::newRow("delete employee") << false << false << "Nie je vybraný žiaden zamestnanec ";
    }
    void emptyListsAreRefused()
    {
        QFETCH(bool, clients);
        QFETCH(bool, search);
        QFETCH(QString, message);
        Session s;
        QVERIFY(s.start(clients, [] {}));
        QVERIFY(s.onlyNewEnabled());
        s.prompter.answer(PromptAnswer::Ok);
        // The buttons are disabled on an empty list; the handlers still refuse.
        if (search)
            s.window.search();
        else
            s.window.deleteRecord();
        QCOMPARE(s.prompter.texts(), QStringList({message}));
        QCOMPARE(s.prompter.prompts.at(0).title, QString("Upozornenie"));
        QCOMPARE(s.prompter.prompts.at(0).icon, PromptIcon::Critical);
        QCOMPARE(s.prompter.prompts.at(0).buttons, PromptButtons::Ok);
    }

    void deleteClientTakesOnlyThatClient_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("counter 10 beside 100") << "KOVACJA10";
        QTest::newRow("counter 100 beside 10") << "KOVACJA100";
        QTest::newRow("eleven characters") << "KOVACOJA100";
        QTest::newRow("ten characters beside eleven") << "KOVACOJA10";
    }
    void deleteClientTakesOnlyThatClient()
    {
        QFETCH(QString, target);
        const QStringList keys = {"KOVACJA1", "KOVACJA10", "KOVACJA100", "KOVACOJA10", "KOVACOJA100", "KOVACJA10 X"};
        Session s;
        QVERIFY(s.start(true, [&] {
            for (const QString &k : keys)
                addClientWithRecords(k, k == target ? "  Ján " : "Ján", k == target ? " Kováč  " : "Kováč");
            // Rows of the client kept under a key padded by blanks.
            for (const QString &t : kClientTables.mid(0, 7))
                test::sql("INSERT INTO " + t + " (idkod) VALUES (?)", {target + "  "});
        }));
        s.select(target);
        s.prompter.answer(PromptAnswer::Yes);
        QTest::mouseClick(s.button("cmdVymaz"), Qt::LeftButton);
        QVERIFY(s.prompter.unexpected.isEmpty());
        QCOMPARE(s.prompter.texts(), QStringList({"Naozaj chceš vymazať klienta : Ján  Kováč ?"}));
        QCOMPARE(s.prompter.prompts.at(0).title, QString("Výmaz klienta"));
        QCOMPARE(s.prompter.prompts.at(0).icon, PromptIcon::None);
        QCOMPARE(s.prompter.prompts.at(0).buttons, PromptButtons::YesNo);
        for (const QString &t : kClientTables) {
            QCOMPARE(test::scalar("SELECT count(*) FROM " + t + " WHERE rtrim(idkod) = ?", {target}).toInt(), 0);
            const int expected = (t == "k_memo" || t == "k_zaklad") ? 1 : 2;
            for (const QString &other : keys)
                if (other != target)
                    QVERIFY2(rowsOf(t, other) == expected, qPrintable(t + " " + other));
        }
        QCOMPARE(s.list()->rowCount(), keys.size() - 1);
        QCOMPARE(s.window.currentRow(), 0);
        QVERIFY(s.button("cmdVymaz")->isEnabled());
    }

    void deleteClientAnsweredNoKeepsEverything()
    {
        Session s;
        QVERIFY(s.start(true, [] { addClientWithRecords("KOVACJA00", "Ján", "Kováč"); }));
        s.prompter.answer(PromptAnswer::No);
        QTest::mouseClick(s.button("cmdVymaz"), Qt::LeftButton);
        QCOMPARE(s.prompter.prompts.size(), 1);
        for (const QString &t : kClientTables)
            QVERIFY(rowsOf(t, "KOVACJA00") > 0);
        QCOMPARE(s.list()->rowCount(), 1);
    }

    void deletingTheLastClientLeavesOnlyNew()
    {
        Session s;
        QVERIFY(s.start(true, [] { test::addClient("KOVACJA00", "Ján", "Kováč"); }));
        s.prompter.answer(PromptAnswer::Yes);
        QTest::mouseClick(s.button("cmdVymaz"), Qt::LeftButton);
        QCOMPARE(s.list()->rowCount(), 0);
        QVERIFY(s.onlyNewEnabled());
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 0);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_memo").toInt(), 0);
    }

    void failedClientDeleteChangesNothing()
    {
        Session s;
        QVERIFY(s.start(true, [] {
            addClientWithRecords("KOVACJA00", "Ján", "Kováč");
            test::sql("CREATE TRIGGER refuse BEFORE DELETE ON k_zariad BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        }));
        s.prompter.answer(PromptAnswer::Yes).answer(PromptAnswer::Ok);
        QTest::mouseClick(s.button("cmdVymaz"), Qt::LeftButton);
        QVERIFY(s.prompter.unexpected.isEmpty());
        QCOMPARE(s.prompter.prompts.size(), 2);
        QVERIFY(s.prompter.prompts.at(1).text.startsWith("Klienta sa nepodarilo vymazať"));
        QVERIFY(s.prompter.prompts.at(1).text.endsWith("\ndatabáza zápis odmietla (kód 1811)"));
        QCOMPARE(s.prompter.prompts.at(1).title, QString("Chybová správa"));
        // The statements before the failing one are undone too.
        for (const QString &t : kClientTables)
            QVERIFY2(rowsOf(t, "KOVACJA00") > 0, qPrintable(t));
        QCOMPARE(s.list()->rowCount(), 1);
    }

    // A list that meets a damaged page is told at once with what to do, and
    // is not shown short.
    void aListThatCannotBeReadIsTold()
    {
        Session s;
        QVERIFY(s.start(false, [] { test::addClient("KOVACJA00", "Ján", "Kováč"); }));
        const qint64 root = test::scalar("SELECT rootpage FROM sqlite_master WHERE name = 'k_zaklad'").toLongLong();
        QFile file(s.dir.dbPath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek((root - 1) * 4096) && file.write(QByteArray(4096, '\xff')) == 4096);
        // Another program's change, as the register's change counter tells it.
        QVERIFY(file.seek(24) && file.write(QByteArray("\x7f\x7f\x7f\x7f", 4)) == 4);
        file.close();
        s.prompter.answer(PromptAnswer::Ok);
        QTest::mouseClick(s.window.findChild<QLabel *>("Label1"), Qt::LeftButton);
        QCOMPARE(s.prompter.texts(), QStringList({"Zoznam klientov sa nepodarilo prečítať.\nsúbor databázy je "
                                                  "poškodený, pokúste sa o obnovu archívu (Servis – Obnova "
                                                  "archivovaných dát)"}));
        QCOMPARE(s.list()->rowCount(), 0);
        QVERIFY(s.onlyNewEnabled());
    }

    void employeeStillNamedIsNotDeleted_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("message");
        const QString colon = "Zamestnanca : -Jana  Nová- nie je možné vymazať";
        const QString noBlank = "Zamestnanca: -Jana  Nová- nie je možné vymazať";
        QTest::newRow("examination") << QStringList{"k_vysetrenie"} << "NOVAJA10" << colon;
        QTest::newRow("recorded change") << QStringList{"k_zaznam_zmeny"} << "NOVAJA10" << noBlank;
        QTest::newRow("record of care") << QStringList{"k_zaznam_spc"} << "NOVAJA10" << noBlank;
        QTest::newRow("change and care") << QStringList{"k_zaznam_spc", "k_zaznam_zmeny"} << "NOVAJA10" << noBlank;
        QTest::newRow("all three") << QStringList{"k_zaznam_spc", "k_vysetrenie", "k_zaznam_zmeny"} << "NOVAJA10"
                                   << colon;
        QTest::newRow("key with a trailing blank") << QStringList{"k_zaznam_spc"} << "NOVAJA10 " << noBlank;
    }
    void employeeStillNamedIsNotDeleted()
    {
        QFETCH(QStringList, tables);
        QFETCH(QString, reference);
        QFETCH(QString, message);
        Session s;
        QVERIFY(s.start(false, [&] {
            test::addEmployee("NOVAJA10", " Jana ", "Nová ");
            for (const QString &t : tables)
                test::sql("INSERT INTO " + t + " (idkod, idkod_p) VALUES ('KLIENT00', ?)", {reference});
        }));
        s.prompter.answer(PromptAnswer::Ok);
        QTest::mouseClick(s.button("cmdVymaz"), Qt::LeftButton);
        QVERIFY(s.prompter.unexpected.isEmpty());
        QCOMPARE(s.prompter.texts(), QStringList({message}));
        QCOMPARE(s.prompter.prompts.at(0).title, QString("Chybová správa"));
        QCOMPARE(s.prompter.prompts.at(0).icon, PromptIcon::Exclamation);
        QCOMPARE(s.prompter.prompts.at(0).buttons, PromptButtons::Ok);
        QCOMPARE(test::scalar("SELECT count(*) FROM zamestnanci WHERE idkod = 'NOVAJA10'").toInt(), 1);
    }

    void deleteEmployee_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void deleteEmployee()
    {
        QFETCH(bool, yes);
        Session s;
        QVERIFY(s.start(false, [] {
            test::addEmployee("NOVAJA10", "Jana", "Nová");
            test::addEmployee("NOVAJA100", "Jana", "Nová");
            test::addEmployee("NOVAJA1", "Jana", "Nová");
            // Only keys that differ in the counter are still named.
            test::sql("INSERT INTO k_vysetrenie (idkod, idkod_p) VALUES ('KLIENT00', 'NOVAJA100')");
            test::sql("INSERT INTO k_zaznam_zmeny (idkod, idkod_P) VALUES ('KLIENT00', 'NOVAJA1')");
            test::sql("INSERT INTO k_zaznam_spc (idkod, idkod_P) VALUES ('KLIENT00', 'NOVAJA1 ')");
        }));
        s.select("NOVAJA10");
        s.prompter.answer(yes ? PromptAnswer::Yes : PromptAnswer::No);
        QTest::mouseClick(s.button("cmdVymaz"), Qt::LeftButton);
        QVERIFY(s.prompter.unexpected.isEmpty());
        QCOMPARE(s.prompter.texts(), QStringList({"Naozaj chceš vymazať zamestnanca : Jana  Nová ?"}));
        QCOMPARE(s.prompter.prompts.at(0).title, QString("výmaz zamestnanca"));
        QCOMPARE(s.prompter.prompts.at(0).icon, PromptIcon::None);
        QCOMPARE(s.prompter.prompts.at(0).buttons, PromptButtons::YesNo);
        QCOMPARE(test::scalar("SELECT count(*) FROM zamestnanci WHERE idkod = 'NOVAJA10'").toInt(), yes ? 0 : 1);
        QCOMPARE(test::scalar("SELECT count(*) FROM zamestnanci").toInt(), yes ? 2 : 3);
        QCOMPARE(s.list()->rowCount(), yes ? 2 : 3);
    }

    void deletingTheLastEmployeeLeavesOnlyNew()
    {
        Session s;
        QVERIFY(s.start(false, [] { test::addEmployee("NOVAJA00", "Jana", "Nová"); }));
        s.prompter.answer(PromptAnswer::Yes);
        QTest::mouseClick(s.button("cmdVymaz"), Qt::LeftButton);
        QCOMPARE(s.list()->rowCount(), 0);
        QVERIFY(s.onlyNewEnabled());
        QCOMPARE(test::scalar("SELECT count(*) FROM zamestnanci").toInt(), 0);
    }
};

QTEST_MAIN(SearchDeleteTest)
#include "SearchDeleteTest.moc"
