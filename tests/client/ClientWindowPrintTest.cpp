#include "ClientWindowDriver.h"
#include "data/Database.h"
#include "reports/ui/ReportViewer.h"

#include <QTest>

using namespace ulk;
using namespace ulk::test;

// "Tlač záložku" prints the page of the tab in front for the open client, and
// a save never stores the catalogue number of another client.
class ClientWindowPrintTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        report::ReportViewer::setPresenter({});
        test::closeProgram();
    }

    void printsTheTabInFrontAndComesBackToTheFirstName()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(program.start());
        addClient("O'NEILMA00", "Mary", "O'Neil", "7", "2015-03-12");
        sql("UPDATE k_memo SET poznamky = 'Pozná farby.' WHERE idkod = 'O''NEILMA00'");
        addClient("NOVÁKJA00", "Ján", "Novák", "8");
        sql("UPDATE k_memo SET poznamky = 'Iný klient.' WHERE idkod = 'NOVÁKJA00'");
        QVERIFY(chooseClients(w));
        QStringList printed;
        QString reportName;
        report::ReportViewer::setPresenter([&](const report::ReportDocument &doc, QWidget *) {
            reportName = doc.reportName;
            for (const report::ReportPage &page : doc.pages)
                for (const report::PlacedText &t : page.texts)
                    printed << t.text;
        });
        QVERIFY(openClient(w, "O'NEILMA00", [&](ClientWindow *window) {
            clickTab(window, 7); // "Poznámky"
            clickButton(window, "cmdTlac");
            QCOMPARE(window->tabs()->currentIndex(), 0);
            QCOMPARE(focusedField(window), 0);
        }));
        QCOMPARE(reportName, QString("rptDemo"));
        QVERIFY2(printed.contains("Poznámky"), qPrintable(printed.join("|")));
        QVERIFY(printed.contains("Mary  O'Neil"));
        QVERIFY(printed.contains("Pozná farby."));
        QVERIFY(!printed.contains("Iný klient."));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
    }

    void aSaveRefusesAnotherClientsCatalogueNumber()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(program.start());
        addClient("NOVÁKJA00", "Ján", "Novák", "7");
        QVERIFY(chooseClients(w));
        QVERIFY(inClientWindow(mainButton(w, "CmdNovy"), [&](ClientWindow *window) {
            window->field(0)->setText("Eva");
            window->field(1)->setText("Malá");
            window->field(6)->setText("7");
            p.answer(PromptAnswer::Ok);
            // Straight to the save button, as with a mouse click.
            window->button("cmdZap")->click();
            QVERIFY(window->isVisible());
            QCOMPARE(p.prompts.last().text, QString("V databáze už existuje klient s tým istým kat.číslom!"));
            QCOMPARE(p.prompts.last().title, QString("Upozornenie"));
            QCOMPARE(focusedField(window), 6);
        }));
        QCOMPARE(scalar("SELECT count(*) FROM k_zaklad").toInt(), 1);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
    }
};

QTEST_MAIN(ClientWindowPrintTest)
#include "ClientWindowPrintTest.moc"
