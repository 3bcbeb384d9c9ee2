// "Tlač záložku": the saved queries written for the open client, the
// settings made on the reports, the recorded changes of the open client
// only, failures told with nothing printed, and a PDF from the preview.
#include "DossierFixture.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace ulk;
using namespace ulk::test;
using report::PlacedText;

namespace {

const QString kKey = QStringLiteral("NOVAKJA00");

void addChange(const QString &key, const QString &date, const QString &employee, const QString &text)
{
    sql("INSERT INTO k_zaznam_zmeny (idkod, datum, idkod_P, zmeny) VALUES (?,?,?,?)", {key, date, employee, text});
}

QString headerName(const ShownReports &shown)
{
    return shown.page().textsOf("Section4", "lblMeno").value(0).text;
}

// Some rows of every kind for a client.
void addRecord(const QString &key, const QString &meno, const QString &priezv, const QString &text)
{
    addClient(key, meno, priezv, "1");
    sql("UPDATE k_zaklad SET postih = '2', matvla = 1, matka = ?, otec = ? WHERE idkod = ?", {text, text, key});
    sql("UPDATE k_memo SET u_dieta = ?, u_ziak = ?, u_zhrn = ?, u_dolezite = ?, poznamky = ?, ip_ulkz = ? "
        "WHERE idkod = ?",
        {text, text, text, text, text, text, key});
    sql("INSERT INTO k_surodenci (idkod, meno, postih) VALUES (?, ?, '1')", {key, text});
    sql("INSERT INTO k_zariad (idkod, nazzar, adresa, vzar_od, akronym) VALUES (?, '01', ?, '2005-09-01', 'VYCH')",
        {key, text});
    sql("INSERT INTO k_vysetrenie (idkod, datum, idkod_p, popis) VALUES (?, '2007-01-10', 'OBRIENPA00', ?)",
        {key, text});
    sql("INSERT INTO k_zaznam_spc (idkod, datum, idkod_P, cinnost) VALUES (?, '2007-01-11', 'OBRIENPA00', ?)",
        {key, text});
    addChange(key, "2007-01-12", "OBRIENPA00", text);
    sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, '2007-01-13')", {key});
}

// The column that each tab's page prints the record's own text in.
const char *const kTextColumn[14] = {nullptr,  "matka",   "meno",    "u_dieta", "u_ziak",
                                     "u_zhrn", "u_dolezite", "poznamky", "ip_ulkz", "adresa",
                                     "popis",  "cinnost", "zmeny",   nullptr};

} // namespace

class TabPrinterTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        DataEnvironment::denUlk().unload();
        Database::close();
    }

    // Tab 3, then 7, then 4: one report, its title and column set anew each time.
    void memoTabsShareOneReport()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        addClient(kKey, "Ján", "Novák", "1");
        sql("UPDATE k_memo SET u_dieta = 'Raný vývoj.', poznamky = 'Poznámka.', u_ziak = 'Žiak.' WHERE idkod = ?",
            {kKey});
        ShownReports shown;
        const QList<std::tuple<int, QString, QString, QString>> prints = {
            {3, "Dieťa v rannom predškolskom veku", "u_dieta", "Raný vývoj."},
            {7, "Poznámky", "poznamky", "Poznámka."},
            {4, "Žiak vo výchovno-vyučovacom procese", "u_ziak", "Žiak."},
        };
        for (const auto &[tab, title, column, text] : prints) {
            QVERIFY(print(dir, tab, kKey, "Ján", "Novák"));
            const report::ReportPage &page = shown.page();
            QCOMPARE(shown.last().reportName, QString("rptDemo"));
            QCOMPARE(page.textsOf("Section4", "lblNadpis").value(0).text, title);
            const QList<PlacedText> body = page.textsOf("Section1", "txtPolozka");
            QCOMPARE(body.size(), 1);
            QCOMPARE(body[0].field, column);
            QCOMPARE(body[0].text, text);
            QVERIFY2(viewSql("vyp_memo").endsWith("SELECT  k_memo." + column
                                                  + " FROM k_memo WHERE (k_memo.idkod >= 'NOVAKJA00' AND "
                                                    "k_memo.idkod < 'NOVAKJA00!' AND rtrim(k_memo.idkod) = "
                                                    "'NOVAKJA00')"),
                     qPrintable(viewSql("vyp_memo")));
            if (tab == 7)
                QVERIFY(viewSql("vyp_memo").contains("k_memo.poznamky"));
        }
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(shown.docs.size(), 3);
    }

    void nameLabel_data()
    {
        QTest::addColumn<QString>("meno");
        QTest::addColumn<QString>("priezv");
        QTest::addColumn<QString>("label");
        QTest::newRow("plain") << "Ján" << "Novák" << "Ján  Novák";
        QTest::newRow("blanks around") << "  Ján " << " Novák  " << "Ján  Novák";
        QTest::newRow("two first names") << "Ján Peter" << "Novák" << "Ján Peter  Novák";
        QTest::newRow("no first name") << "" << "Novák" << "  Novák";
    }

    void nameLabel()
    {
        QFETCH(QString, meno);
        QFETCH(QString, priezv);
        QFETCH(QString, label);
        ScriptedPrompter p;
        OpenRegister dir;
        addClient(kKey, meno, priezv, "1");
        ShownReports shown;
        for (int tab : {0, 6, 12}) {
            QVERIFY(print(dir, tab, kKey, meno, priezv));
            QCOMPARE(headerName(shown), label);
        }
        QVERIFY(p.unexpected.isEmpty());
    }

    // A new client whose basic data are not saved has an empty key: every
    // page is printed without rows, though rows with an empty key exist.
    void emptyKeySelectsNoRows_data()
    {
        QTest::addColumn<int>("tab");
        for (int tab = 0; tab < 14; ++tab)
            QTest::newRow(qPrintable(QString::number(tab))) << tab;
    }

    void emptyKeySelectsNoRows()
    {
        QFETCH(int, tab);
        ScriptedPrompter p;
        OpenRegister dir;
        addEmployee("OBRIENPA00", "Pat", "O'Brien");
        addRecord(kKey, "Ján", "Novák", "text");
        addRecord("", "Bez", "Kľúča", "text");
        ShownReports shown;
        QVERIFY(print(dir, tab, "", "", ""));
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(shown.docs.size(), 1);
        QCOMPARE(detailRows(shown.page()), 0);
        QCOMPARE(shown.page().textsOf("Section4").size(), 3);
        // The same page of the saved client has its rows.
        QVERIFY(print(dir, tab, kKey, "Ján", "Novák"));
        QCOMPARE(detailRows(shown.page()), 1);
    }

    // O'Neil: every text with an apostrophe, the key too.
    void apostrophesEverywhere()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        const QString key = "O'NEILJA00";
        const QString text = "D'Arcy 'x' ''";
        addEmployee("OBRIENPA00", "Pat'", "O'Brien");
        addRecord(key, "Ján'", "O'Neil", text);
        addRecord("O'NEILJA01", "Iný", "O'Neil", "cudzí");
        ShownReports shown;
        for (int tab = 0; tab < 14; ++tab) {
            QVERIFY2(print(dir, tab, key, "Ján'", "O'Neil"), qPrintable(QString::number(tab)));
            QCOMPARE(shown.docs.size(), tab + 1);
            QCOMPARE(headerName(shown), QString("Ján'  O'Neil"));
            QCOMPARE(detailRows(shown.page()), 1);
            if (const char *column = kTextColumn[tab])
                QCOMPARE(columnTexts(shown.page(), column).join(' '), text);
        }
        QCOMPARE(columnTexts(shown.docs[10].pages[0], "Expr1"), QStringList{"Pat'  O'Brien"});
        QCOMPARE(columnTexts(shown.docs[0].pages[0], "retaz1"), QStringList{"mentálne"});
        QVERIFY(viewSql("vyp_zaklad").contains("rtrim(k_zaklad.idkod) = 'O''NEILJA00'"));
        QVERIFY(p.unexpected.isEmpty());
    }

    // The recorded changes come from the saved query that the database
    // holds, which printing never writes; the page shows the open client's.
    void recordedChangesOfTheOpenClientOnly()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        addClient(kKey, "Ján", "Novák", "1");
        addClient("HORAJA00", "Jana", "Horáková", "2");
        addEmployee("MALAEV00", "Eva", "Malá");
        addChange(kKey, "2007-02-01", "MALAEV00", "Druhá zmena.");
        addChange("HORAJA00", "2007-01-15", "MALAEV00", "Zmena inej klientky.");
        addChange(kKey + "  ", "2006-12-01", "MALAEV00  ", "Prvá zmena.");
        // A change whose employee is no longer found is printed all the same.
        addChange(kKey, "2007-03-01", "NIKTO00", "Tretia zmena.");
        const QString stored = viewSql("vyp_zazZmeny");
        const QVariant views = scalar("SELECT group_concat(sql, '|') FROM sqlite_master WHERE type = 'view'");

        ShownReports shown;
        QVERIFY(print(dir, 12, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        const report::ReportPage &page = shown.page();
        QCOMPARE(columnTexts(page, "zmeny"), QStringList({"Prvá zmena.", "Druhá zmena.", "Tretia zmena."}));
        QCOMPARE(columnTexts(page, "datum"), QStringList({"01.12.2006", "01.02.2007", "01.03.2007"}));
        QCOMPARE(columnTexts(page, "Expr1"), QStringList({"Eva  Malá", "Eva  Malá", "  "}));
        QCOMPARE(described(page, "Section1", kMargin + 1305, 0),
                 QStringList({"dátum: @0,0,675", "datum=01.12.2006 @624,0,960", "meno zamestnanca: @1871,0,1644",
                              "Expr1=Eva  Malá @3515,0,4422", "zmeny : @0,283,737", "zmeny=Prvá zmena. @0,566,8731"}));
        // Nothing was written into the database.
        QCOMPARE(viewSql("vyp_zazZmeny"), stored);
        QCOMPARE(scalar("SELECT group_concat(sql, '|') FROM sqlite_master WHERE type = 'view'"), views);

        QVERIFY(print(dir, 12, "HORAJA00", "Jana", "Horáková"));
        QCOMPARE(columnTexts(shown.page(), "zmeny"), QStringList({"Zmena inej klientky."}));
        QCOMPARE(headerName(shown), QString("Jana  Horáková"));
    }

    void failuresAreTold_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing vyp_zaklad") << 0 << "DROP VIEW vyp_zaklad"
                                            << "Záložku nie je možné vytlačiť, v databáze chýba dotaz vyp_zaklad.";
        QTest::newRow("missing vyp_zazspc") << 11 << "DROP VIEW vyp_zazSpc"
                                            << "Záložku nie je možné vytlačiť, v databáze chýba dotaz vyp_zazspc.";
        QTest::newRow("missing vyp_zazZmeny")
            << 12 << "DROP VIEW vyp_zazZmeny" << "Záložku nie je možné vytlačiť, v databáze chýba dotaz vyp_zazZmeny.";
        QTest::newRow("changes without key") << 12 << "DROP VIEW vyp_zazZmeny; CREATE VIEW vyp_zazZmeny AS "
                                                      "SELECT datum, zmeny, '' AS Expr1 FROM k_zaznam_zmeny"
                                             << "Záložku nie je možné vytlačiť, dotaz vyp_zazZmeny neobsahuje "
                                                "stĺpec idkod.";
        QTest::newRow("changes broken") << 12 << "DROP VIEW vyp_zazZmeny; CREATE VIEW vyp_zazZmeny AS "
                                                 "SELECT nosuch FROM k_zaznam_zmeny"
                                        << "Záložku nie je možné vytlačiť, dotaz vyp_zazZmeny sa nepodarilo overiť.\n";
        QTest::newRow("changes lack a column") << 12 << "DROP VIEW vyp_zazZmeny; CREATE VIEW vyp_zazZmeny AS "
                                                        "SELECT idkod, datum, zmeny FROM k_zaznam_zmeny"
                                               << "Zostavu nie je možné zobraziť: zostava rptZaz_zmeny číta stĺpec "
                                                  "Expr1, ktorý zdroj údajov neobsahuje";
        QTest::newRow("rewrite refused") << 13 << "PRAGMA query_only = 1"
                                         << "Záložku nie je možné vytlačiť, dotaz vyp_navstevy sa nepodarilo "
                                            "prepísať.\nsúbor alebo adresár je len na čítanie";
        QTest::newRow("unreadable view") << 0 << "DROP TABLE c_zdrpoi"
                                         << "Zostavu nie je možné zobraziť: údaje sa nepodarilo načítať (vyp_zaklad: ";
        QTest::newRow("unknown tab") << 14 << "" << "Záložku nie je možné vytlačiť, neznáma záložka 14.";
        QTest::newRow("database closed") << 0 << "close" << "Záložku nie je možné vytlačiť, databáza nie je otvorená.";
    }

    void failuresAreTold()
    {
        QFETCH(int, tab);
        QFETCH(QString, setup);
        QFETCH(QString, message);
        ScriptedPrompter p;
        OpenRegister dir;
        addClient(kKey, "Ján", "Novák", "1");
        if (setup == "close")
            Database::close();
        else
            for (const QString &statement : setup.split(';', Qt::SkipEmptyParts))
                sql(statement.trimmed());
        const QString prepared =
            Database::isOpen() ? scalar("SELECT group_concat(name || sql, '|') FROM sqlite_master").toString() : "";

        ShownReports shown;
        p.answer(PromptAnswer::Ok);
        QVERIFY(!print(dir, tab, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), 1);
        QVERIFY2(p.prompts[0].text.startsWith(message), qPrintable(p.prompts[0].text));
        QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
        QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
        QCOMPARE(p.prompts[0].buttons, PromptButtons::Ok);
        QVERIFY(shown.docs.isEmpty());
        QVERIFY(!DataEnvironment::denUlk().isLoaded());
        QVERIFY(!QSqlDatabase::contains(DataEnvironment::connectionName()));
        if (setup == "close")
            return;
        // A missing saved query is not created, a refused rewrite keeps the
        // saved query as it was (unless the rewrite was written whole).
        if (!message.startsWith("Zostavu"))
            QCOMPARE(scalar("SELECT group_concat(name || sql, '|') FROM sqlite_master").toString(), prepared);
        test::sql("PRAGMA query_only = 0");

        // The window goes on: another tab prints.
        QVERIFY(print(dir, 7, kKey, "Ján", "Novák"));
        QCOMPARE(shown.docs.size(), 1);
    }

    // The preview saves the page as a PDF, in landscape for the wide pages.
    void previewSavesPdf()
    {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
        if (pdftotext.isEmpty() || pdfinfo.isEmpty())
            QFAIL("pdftotext and pdfinfo (poppler-utils) are needed");
        Clock::setToday(kPrintDay);
        ScriptedPrompter p;
        OpenRegister dir;
        addClient(kKey, "Šimon", "O'Neil", "1");
        sql("UPDATE k_zaklad SET postih = '25', rodcis = '0105171234' WHERE idkod = ?", {kKey});
        const QString pdf = dir.file("zakladne.pdf");
        p.chooseFile(pdf);
        bool seen = false;
        whenModal("ulk::report::PreviewDialog", [&](QWidget *dlg) {
            seen = true;
            QCOMPARE(dlg->windowTitle(), QString("Základné údaje o klientovi"));
            auto *save = dlg->findChild<QAction *>("actUlozitPdf");
            QVERIFY(save);
            save->trigger();
            dlg->close();
        });
        QVERIFY(print(dir, 0, kKey, "Šimon", "O'Neil"));
        Clock::setToday(QDate());
        QVERIFY(seen);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].defaultText, QString("Základné údaje o klientovi.pdf"));
        QProcess run;
        run.start(pdftotext, {"-layout", pdf, "-"});
        QVERIFY(run.waitForFinished(20000));
        const QString text = QString::fromUtf8(run.readAllStandardOutput());
        for (const QString &s : QStringList{"Základné údaje o klientovi :", "Šimon  O'Neil", "5.3.2007",
                                            "rodné číslo :", "0105171234", "postihnutie klienta :", "mentálne",
                                            "rečové"})
            // The text extraction joins the blanks between words into one.
            QVERIFY2(text.simplified().contains(QString(s).simplified()), qPrintable(s + " not in:\n" + text));
        QProcess info;
        info.start(pdfinfo, {pdf});
        QVERIFY(info.waitForFinished(20000));
        const QString pages = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(pages.contains(QRegularExpression("Page size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts")), qPrintable(pages));
        QVERIFY(!DataEnvironment::denUlk().isLoaded());
    }
};

QTEST_MAIN(TabPrinterTest)
#include "TabPrinterTest.moc"
