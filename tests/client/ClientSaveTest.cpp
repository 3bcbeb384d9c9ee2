#include "ClientWindowDriver.h"

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


} // namespace

class ClientSaveTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { test::closeProgram(); }

    void renameMovesEveryRowOfTheClient()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        test::addClient("NOVÁKJÁ00", "Ján", "Novák", "2");
        test::addRowsEverywhere("KOVÁČOMÁ00");
        test::addRowsEverywhere("NOVÁKJÁ00");
        test::sql("UPDATE k_memo SET u_zhrn = 'zhrnutie' WHERE idkod = 'KOVÁČOMÁ00'");
        test::sql("UPDATE k_navstevy SET datum = '2024-01-05' WHERE idkod = 'KOVÁČOMÁ00'");
        QVERIFY(program.show());
        QVERIFY(test::inClientWindowOf(w, "KOVÁČOMÁ00", [&](ClientWindow *window) {
            QCOMPARE(window->subRecordList(SubRecordListModel::Kind::Visits)->rowCount(), 1);
            QCOMPARE(window->subRecordList(SubRecordListModel::Kind::Visits)->lineAt(0), QString("05.01.2024"));
            QCOMPARE(window->memoField(5)->toPlainText(), QString("zhrnutie"));
            test::retype(window->field(1), "o'neilová");
            test::clickButton(window, "cmdZap");
            QVERIFY(!window->isVisible());
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        const QString renamed = "O'NEILMÁ00";
        QCOMPARE(shared().currentRecordId, renamed);
        QCOMPARE(test::scalar("SELECT priezv FROM k_zaklad WHERE idkod = ?", {renamed}).toString(), QString("O'neilová"));
        QCOMPARE(test::scalar("SELECT u_zhrn FROM k_memo WHERE idkod = ?", {renamed}).toString(), QString("zhrnutie"));
        // Every table of the register with a client key: the old key nowhere.
        QCOMPARE(test::placesHolding("KOVÁČOMÁ00"), QStringList());
        QCOMPARE(test::placesHolding(renamed), test::placesHolding("NOVÁKJÁ00"));
        for (const QString &t : test::tablesWithColumn("idkod").filter("k_"))
            QCOMPARE(test::rowCount(t), 2);
        // The main window's list stands on the renamed client.
        const int row = w.currentRow();
        QVERIFY(row >= 0);
        QCOMPARE(w.clientList()->row(row).idkod, renamed);
    }

    void renameAfterTheFirstSave()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            test::typeAndPress("Mária");
            test::typeAndPress("Kováčová");
            test::retype(window->field(6), "9");
            test::clickButton(window, "cmdZaklUd");
            QCOMPARE(shared().currentRecordId, QString("KOVÁČOMÁ00"));
            // Rows the sub-record tabs store meanwhile under the client's key.
            test::sql("INSERT INTO k_surodenci (idkod, meno) VALUES ('KOVÁČOMÁ00', 'Peter')");
            test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES ('KOVÁČOMÁ00', '2024-02-01')");
            test::retype(window->field(0), "Zuzana");
            test::clickButton(window, "cmdZap");
            QVERIFY(!window->isVisible());
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(test::rowCount("k_zaklad"), 1);
        QCOMPARE(test::scalar("SELECT idkod FROM k_zaklad").toString(), QString("KOVÁČOZU00"));
        QCOMPARE(test::scalar("SELECT idkod FROM k_memo").toString(), QString("KOVÁČOZU00"));
        QCOMPARE(test::scalar("SELECT idkod FROM k_surodenci").toString(), QString("KOVÁČOZU00"));
        QCOMPARE(test::scalar("SELECT idkod FROM k_navstevy").toString(), QString("KOVÁČOZU00"));
    }

    void saveAndNewShowsAnEmptyClient()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        test::sql("UPDATE k_zaklad SET kon_pomer = 'matka', matvla = 1, postih = '3', matka = 'Jana' "
                  "WHERE idkod = 'KOVÁČOMÁ00'");
        test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES ('KOVÁČOMÁ00', '2024-02-01')");
        QVERIFY(program.show());
        QVERIFY(test::inClientWindowOf(w, "KOVÁČOMÁ00", [&](ClientWindow *window) {
            QVERIFY(window->pages().option(4)->isChecked());
            QVERIFY(window->field(19)->isEnabled());
            test::clickTab(window, 1);
            test::clickButton(window, "cmdzapNew");
            QVERIFY(window->isVisible());
            QCOMPARE(shared().recordMode, quint8(1));
            QCOMPARE(shared().currentRecordId, QString());
            QCOMPARE(shared().recordCaption, QString());
            QCOMPARE(window->windowTitle(), QString("Údaje klientaKOVÁČOMÁ00 : Mária  Kováčová"));
            QCOMPARE(window->tabs()->currentIndex(), 0);
            QCOMPARE(test::focusedField(window), 0);
            QVERIFY(window->button("cmdZaklUd")->isVisible());
            for (int t = 1; t < 14; ++t)
                QVERIFY(!window->tabs()->isTabEnabled(t));
            for (int i = 0; i < 57; ++i)
                QCOMPARE(window->field(i)->text(), QString());
            for (int i = 4; i <= 6; ++i)
                QVERIFY(!window->pages().option(i)->isChecked());
            QVERIFY(window->pages().option(1)->isChecked());
            QVERIFY(!window->field(19)->isEnabled());
            QCOMPARE(window->subRecordList(SubRecordListModel::Kind::Visits)->rowCount(), 0);
            test::typeAndPress("Eva");
            test::typeAndPress("Malá");
            test::retype(window->field(6), "2");
            test::clickButton(window, "cmdZap");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(test::rowCount("k_zaklad"), 2);
        QCOMPARE(test::scalar("SELECT kon_pomer FROM k_zaklad WHERE idkod = 'MALÁEV00'").toString(), QString());
        QCOMPARE(test::scalar("SELECT matvla FROM k_zaklad WHERE idkod = 'MALÁEV00'").toInt(), 0);
        QCOMPARE(test::scalar("SELECT postih FROM k_zaklad WHERE idkod = 'KOVÁČOMÁ00'").toString(), QString("3"));
    }

    void aFailedSaveKeepsTheWindowAndTheInput()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::sql("CREATE TRIGGER refuse BEFORE INSERT ON k_memo BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
        QVERIFY(program.show());
        p.answer(PromptAnswer::Ok);
        QVERIFY(test::inClientWindowOf(w, QString(), [&](ClientWindow *window) {
            test::typeAndPress("Mária");
            test::typeAndPress("Kováčová");
            test::retype(window->field(6), "3");
            test::clickButton(window, "cmdZap");
            QVERIFY(window->isVisible());
            QCOMPARE(p.prompts.size(), 1);
            QCOMPARE(p.prompts[0].text, QString("Údaje klienta sa nepodarilo zapísať, v databáze zostali bez zmeny.\n"
                                                "databáza zápis odmietla (kód 1811)"));
            QCOMPARE(window->field(1)->text(), QString("Kováčová"));
            QCOMPARE(shared().currentRecordId, QString());
            QCOMPARE(shared().recordMode, quint8(1));
        }));
        QCOMPARE(test::rowCount("k_zaklad"), 0);
    }

    void disabilityStringsAndAMissingMemoRow()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::sql("INSERT INTO k_zaklad (idkod, meno, priezv, katcis, postih, otepos) "
                  "VALUES ('KOVÁČOMÁ00', 'Mária', 'Kováčová', '1', '235      ', '4')");
        QVERIFY(program.show());
        QVERIFY(test::inClientWindowOf(w, "KOVÁČOMÁ00", [&](ClientWindow *window) {
            const QStringList shownSlots = {"2", "3", "5", "", "", "", "", "", ""};
            for (int i = 0; i < 9; ++i)
                QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("textPosK%1").arg(i))->text(), shownSlots[i]);
            QVERIFY(window->field(19)->isEnabled());
            QVERIFY(!window->field(34)->isEnabled());
            QVERIFY(window->field(49)->isEnabled());
            QCOMPARE(window->pages().associatedList(BasicDataPages::Client)->count(), 7);
            for (int m = 0; m < 6; ++m)
                QCOMPARE(window->memoField(m)->toPlainText(), QString());
            test::clickTab(window, 8);
            test::typeText(window->memoField(2), "plán");
            test::clickButton(window, "cmdZap");
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(test::scalar("SELECT postih FROM k_zaklad").toString(), QString("235"));
        QCOMPARE(test::scalar("SELECT matpos FROM k_zaklad").toString(), QString(""));
        QCOMPARE(test::scalar("SELECT otepos FROM k_zaklad").toString(), QString("4"));
        QCOMPARE(test::scalar("SELECT ip_ulkz FROM k_memo WHERE idkod = 'KOVÁČOMÁ00'").toString(), QString("plán"));
    }

    void pageDownAndEnterSaves()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        p.answer(PromptAnswer::Ok);
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            test::typeAndPress("Eva");
            test::typeAndPress("Malá");
            test::retype(window->field(6), "8");
            // A date that cannot be stored is not saved as no date.
            window->field(17)->setText("31.2.2005");
            test::typeAndPress(QString(), Qt::Key_PageDown);
            QCOMPARE(QApplication::focusWidget(), window->button("cmdZap"));
            test::typeAndPress(QString(), Qt::Key_Return);
            QVERIFY(window->isVisible());
            QCOMPARE(p.texts(), QStringList({"Zadaný dátum neexistuje, zadaj v tvare dd.mm.rrrr!"}));
            QCOMPARE(test::focusedField(window), 17);
            window->field(17)->setText("28.2.2005");
            QTest::mouseClick(window->button("cmdZap"), Qt::LeftButton);
            QVERIFY(!window->isVisible());
        }));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
        QCOMPARE(test::scalar("SELECT datevi FROM k_zaklad WHERE idkod = 'MALÁEV00'").toString(), QString("2005-02-28"));
    }

    void anOneilSurname()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            test::typeAndPress("Seán");
            test::typeAndPress("O'Neil");
            test::retype(window->field(6), "4");
            test::clickButton(window, "cmdZap");
        }));
        QCOMPARE(test::scalar("SELECT priezv FROM k_zaklad WHERE idkod = ?", {"O'NEILSE00"}).toString(), QString("O'Neil"));
        QVERIFY(test::selectClient(w, "O'NEILSE00"));
        QVERIFY(test::inClientWindow(test::mainButton(w, "cmdOprava"), [&](ClientWindow *window) {
            QCOMPARE(window->field(1)->text(), QString("O'Neil"));
            test::retype(window->field(0), "Sean");
            test::clickButton(window, "cmdZap");
        }));
        QCOMPARE(test::scalar("SELECT meno FROM k_zaklad WHERE idkod = ?", {"O'NEILSE00"}).toString(), QString("Sean"));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('|')));
    }

};

QTEST_MAIN(ClientSaveTest)
#include "ClientSaveTest.moc"
