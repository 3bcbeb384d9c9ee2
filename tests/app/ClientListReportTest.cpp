#include "app/ui/MainWindow.h"
#include "data/DataEnvironment.h"
#include "data/Database.h"
#include "reports/ReportDocument.h"
#include "reports/ui/ReportViewer.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/reports/ReportTexts.h"
#include "support/ui/ProgramWindow.h"
#include "support/ui/ShownReports.h"
#include "support/ui/WhenModal.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace ulk;
using report::PlacedText;
using report::ReportDocument;
using report::ReportPage;
using test::detailRows;
using test::texts;

namespace {

const QStringList kHeadings = {"Meno", "Priezvisko", "K.číslo", "Dat.narodenia", "R.číslo", "Ulica", "Mesto", "Psč"};
const QStringList kFields = {"meno", "priezv", "katcis", "datnar", "rodcis", "ulica", "obec", "psc"};
const QList<int> kHeadingLefts = {0, 1247, 3402, 4130, 5420, 6330, 7824, 10091};
const QList<int> kFieldLefts = {0, 1247, 3402, 4130, 5370, 6330, 7823, 10091};
const QList<int> kFieldWidths = {1140, 2100, 600, 900, 900, 1450, 1995, 450};
// The view the list is read from, as the program creates it.
const QString kView = QStringLiteral("CREATE VIEW \"vyp_zoz_klient\" AS SELECT k_zaklad.meno,k_zaklad.priezv,"
                                     "k_zaklad.rodcis,k_zaklad.katcis,k_zaklad.datnar,k_zaklad.ulica,"
                                     "k_zaklad.obec,k_zaklad.psc FROM k_zaklad  "
                                     "ORDER BY k_zaklad.priezv||k_zaklad.meno");
constexpr double kLeftMargin = 680;
constexpr double kTopMargin = 1134;

void addFullClient(const QString &idkod, const QString &meno, const QString &priezv, const QString &rodcis,
                   const QString &katcis, const QString &datnar, const QString &ulica, const QString &obec,
                   const QString &psc)
{
    test::sql("INSERT INTO k_zaklad (idkod, meno, priezv, rodcis, katcis, datnar, ulica, obec, psc) "
              "VALUES (?,?,?,?,?,?,?,?,?)",
              {idkod, meno, priezv, rodcis, katcis, datnar, ulica, obec, psc});
}

} // namespace

class ClientListReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ShownReports> m_reports;

    // Shows the list through the menu item, as the user does.
    void printList(MainWindow &w)
    {
        auto *item = w.findChild<QAction *>("mniZozKlient");
        QVERIFY(item);
        QVERIFY(item->isEnabled());
        item->trigger();
    }

private slots:
    void init() { m_reports = std::make_unique<test::ShownReports>(); }
    void cleanup()
    {
        m_reports.reset();
        Database::close();
    }

    void emptyRegisterPrintsHeadersOnly()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        printList(w);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(m_reports->docs.size(), 1);
        const ReportDocument &doc = m_reports->docs.first();
        QCOMPARE(doc.reportName, QString("rptZozKlient"));
        QCOMPARE(doc.orientation, report::Orientation::Portrait);
        QCOMPARE(doc.pageCount(), 1);
        const ReportPage &page = doc.pages.first();

        const QList<PlacedText> header = page.textsOf("Section4");
        QCOMPARE(texts(header), QStringList({"Zoznam klientov ULK :", "5.3.2007"}));
        QCOMPARE(header[0].rect.topLeft(), QPointF(kLeftMargin, kTopMargin));
        QCOMPARE(header[0].rect.width(), 2325.0);
        QVERIFY(header[0].font.bold && header[0].font.underline);
        QCOMPARE(header[0].font.family, QString("Times New Roman"));
        QCOMPARE(header[0].font.pointSize, 11.25);
        QCOMPARE(header[1].rect.topLeft(), QPointF(kLeftMargin + 9298, kTopMargin + 57));
        QCOMPARE(header[1].font.family, QString("Arial"));
        QCOMPARE(header[1].font.pointSize, 9.0);

        const QList<PlacedText> headings = page.textsOf("Section2");
        QCOMPARE(texts(headings), kHeadings);
        for (int i = 0; i < headings.size(); ++i) {
            QCOMPARE(headings[i].rect.left(), kLeftMargin + kHeadingLefts[i]);
            QCOMPARE(headings[i].rect.top(), kTopMargin + 810);
            QCOMPARE(headings[i].font.pointSize, 9.75);
            QVERIFY(headings[i].font.bold);
        }
        QCOMPARE(page.lines.size(), 1);
        QCOMPARE(page.lines[0].line, QLineF(kLeftMargin, kTopMargin + 810 + 283, kLeftMargin + 10488,
                                            kTopMargin + 810 + 283));
        QVERIFY(page.textsOf("Section1").isEmpty());

        // The view was created with its SQL, and the data environment was
        // connected only while the report was shown.
        QCOMPARE(test::scalar("SELECT count(*) FROM sqlite_master WHERE type='view' AND name='vyp_zoz_klient'").toInt(), 1);
        QVERIFY(m_reports->connectedWhileShown);
        QVERIFY(!DataEnvironment::denUlk().isLoaded());
        QVERIFY(!QSqlDatabase::contains(DataEnvironment::connectionName()));
    }

    void oneClientInColumnOrder()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        dir.openRegister();
        addFullClient("NOVAKJA00", "Ján", "Novák", "0101011234", "17", "2001-01-01", "Hlavná 5", "Nitra", "94901");
        Database::close();
        QVERIFY(w.load());
        printList(w);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(m_reports->docs.size(), 1);
        const ReportPage &page = m_reports->docs.first().pages.first();
        QCOMPARE(detailRows(page),
                 QList<QStringList>({{"Ján", "Novák", "17", "01.01.2001", "0101011234", "Hlavná 5", "Nitra", "94901"}}));
        const QList<PlacedText> line = page.textsOf("Section1");
        for (int i = 0; i < line.size(); ++i) {
            QCOMPARE(line[i].field, kFields[i]);
            QCOMPARE(line[i].rect.left(), kLeftMargin + kFieldLefts[i]);
            QCOMPARE(line[i].rect.width(), double(kFieldWidths[i]));
            QCOMPARE(line[i].rect.top(), kTopMargin + 810 + 465);
            QCOMPARE(line[i].font, report::ReportFont::timesNewRoman(9));
        }
    }

    void threePagesRepeatHeadings()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        dir.openRegister();
        QStringList expectedSurnames;
        for (int i = 0; i < 100; ++i) {
            const QString surname = QStringLiteral("Klient%1").arg(i, 3, 10, QLatin1Char('0'));
            expectedSurnames << surname;
            addFullClient(QStringLiteral("K%1").arg(i), "Eva", surname, "", QString::number(i + 1),
                          "1999-12-31", "", "", "");
        }
        Database::close();
        QVERIFY(w.load());
        printList(w);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(m_reports->docs.size(), 1);
        const ReportDocument &doc = m_reports->docs.first();
        QCOMPARE(doc.pageCount(), 3);
        QStringList surnames;
        QList<int> perPage;
        for (int n = 0; n < doc.pageCount(); ++n) {
            const ReportPage &page = doc.pages[n];
            QCOMPARE(texts(page.textsOf("Section2")), kHeadings);
            QCOMPARE(page.textsOf("Section4").size(), n == 0 ? 2 : 0);
            const double headingTop = kTopMargin + (n == 0 ? 810 : 0);
            QCOMPARE(page.textsOf("Section2").first().rect.top(), headingTop);
            QCOMPARE(page.lines.size(), 1);
            const QList<PlacedText> names = page.textsOfField("priezv");
            perPage << int(names.size());
            for (int k = 0; k < names.size(); ++k) {
                QCOMPARE(names[k].rect.top(), headingTop + 465 + 285 * k);
                QVERIFY(names[k].rect.top() + 285 <= doc.pageSize.height() - kTopMargin);
                surnames << names[k].text;
            }
            for (const PlacedText &d : page.textsOfField("datnar"))
                QCOMPARE(d.text, QString("31.12.1999"));
        }
        QCOMPARE(surnames, expectedSurnames);
        // A4 body: 46 lines under the report header, 49 on later pages.
        QCOMPARE(perPage, QList<int>({46, 49, 5}));
    }

    void apostropheAndDiacriticsInEveryText()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        dir.openRegister();
        const QStringList row = {"Ľudo'", "O'Ňeil-Šťastný", "8'", "Čč'", "Ďaľšia 'Ú' 7", "Žilina'", "Ô'5"};
        addFullClient("ONEILL00", row[0], row[1], row[4], row[2], "2003-07-09", row[5], row[6], row[3]);
        Database::close();
        QVERIFY(w.load());
        printList(w);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(m_reports->docs.size(), 1);
        QCOMPARE(detailRows(m_reports->docs.first().pages.first()),
                 QList<QStringList>({{row[0], row[1], row[2], "09.07.2003", row[4], row[5], row[6], row[3]}}));
    }

    void missingNamesComeFirst()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        dir.openRegister();
        test::addClient("ADAMPE00", "Peter", "Adam", "1");
        test::addClient("NOFIRST00", QString(), "Zeman", "2");
        test::addClient("NOLAST00", "Oto", QString(), "3");
        Database::close();
        QVERIFY(w.load());
        printList(w);
        QCOMPARE(m_reports->docs.size(), 1);
        const QList<QStringList> rows = detailRows(m_reports->docs.first().pages.first());
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[2].mid(0, 3), QStringList({"Peter", "Adam", "1"}));
        QStringList firstTwo = {rows[0][2], rows[1][2]};
        firstTwo.sort();
        QCOMPARE(firstTwo, QStringList({"2", "3"}));
    }

    // Byte order puts "Chrapko" before "Cibuľa", "Adam" before "Ábel" and
    // every Č, Ď, Š and Ž after Z; the list follows the Slovak collation,
    // and names that differ in letter case only follow their bytes.
    void slovakOrderOfSurnameAndFirstName()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        dir.openRegister();
        const QList<QStringList> expected = {{"Ján", "Cibuľa"},   {"Eva", "Čierny"},     {"Ivan", "Ďurica"},
                                             {"Ábel", "Horváth"}, {"Adam", "Horváth"},  {"Oto", "Hudák"},
                                             {"Oto", "hudák"},
                                             {"Peter", "Chrapko"}, {"Jana", "Sova"},     {"Ema", "Šimon"},
                                             {"Mia", "Zelenáková"}, {"Ali", "Žiak"}};
        for (int i = expected.size() - 1; i >= 0; --i)
            test::addClient(QStringLiteral("K%1").arg(i), expected[i][0], expected[i][1], QString::number(i + 1));
        Database::close();
        QVERIFY(w.load());
        printList(w);
        QVERIFY(p.unexpected.isEmpty());
        QList<QStringList> names;
        for (const QStringList &row : detailRows(m_reports->docs.first().pages.first()))
            names << row.mid(0, 2);
        QCOMPARE(names, expected);
        QCOMPARE(test::scalar("SELECT sql FROM sqlite_master WHERE name='vyp_zoz_klient'").toString(), kView);
    }

    void viewCreatedOnceAndNeverRewritten()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addClient("BBB00", "Beáta", "Bartová", "2");
        test::addClient("AAA00", "Adam", "Zubor", "1");
        printList(w);
        const QString created =
            test::scalar("SELECT sql FROM sqlite_master WHERE name='vyp_zoz_klient'").toString();
        QCOMPARE(created, kView);
        printList(w);
        QCOMPARE(test::scalar("SELECT sql FROM sqlite_master WHERE name='vyp_zoz_klient'").toString(), created);
        QCOMPARE(test::scalar("SELECT count(*) FROM sqlite_master WHERE lower(name)='vyp_zoz_klient'").toInt(), 1);
        QCOMPARE(m_reports->docs.size(), 2);
        QCOMPARE(detailRows(m_reports->docs[0].pages[0]), detailRows(m_reports->docs[1].pages[0]));

        QCOMPARE(detailRows(m_reports->docs[0].pages[0])[0][1], QString("Bartová"));
        // An older database whose saved query sorts by catalogue number keeps it.
        test::sql("DROP VIEW vyp_zoz_klient");
        const QString older = "CREATE VIEW vyp_zoz_klient AS SELECT meno, priezv, rodcis, katcis, datnar, ulica, "
                              "obec, psc FROM k_zaklad ORDER BY katcis";
        test::sql(older);
        printList(w);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(test::scalar("SELECT sql FROM sqlite_master WHERE name='vyp_zoz_klient'").toString(), older);
        QCOMPARE(m_reports->docs.size(), 3);
        const QList<QStringList> rows = detailRows(m_reports->docs[2].pages[0]);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0][1], QString("Zubor"));
        QCOMPARE(rows[1][1], QString("Bartová"));
    }

    void changeBetweenShowsIsSeen()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addClient("HORAJA00", "Jana", "Horáková", "5", "2002-02-20");
        printList(w);
        test::sql("UPDATE k_zaklad SET obec = ?, datnar = ? WHERE idkod = ?", {"Trenčín", "2002-02-21", "HORAJA00"});
        test::addClient("ABELFI00", "Filip", "Abel", "6");
        printList(w);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(m_reports->docs.size(), 2);
        QCOMPARE(detailRows(m_reports->docs[0].pages[0]).size(), 1);
        const QList<QStringList> second = detailRows(m_reports->docs[1].pages[0]);
        QCOMPARE(second.size(), 2);
        QCOMPARE(second[0][1], QString("Abel"));
        QCOMPARE(second[1][3], QString("21.02.2002"));
        QCOMPARE(second[1][6], QString("Trenčín"));
    }

    void previewSavesPdfWithHeadings()
    {
        report::ReportViewer::setPresenter({});
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed");
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        addFullClient("SKODAS00", "Šimon", "Škoda", "", "42", "2004-11-30", "", "Bardejov", "");
        const QString pdf = dir.file("zoznam.pdf");
        p.chooseFile(pdf);
        bool seen = false;
        test::whenModal("ulk::report::PreviewDialog", [&](QWidget *dlg) {
            seen = true;
            QCOMPARE(dlg->windowTitle(), QString("Zoznam klientov ULK"));
            auto *save = dlg->findChild<QAction *>("actUlozitPdf");
            QVERIFY(save);
            save->trigger();
            dlg->close();
        });
        printList(w);
        QVERIFY(seen);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].kind, test::Prompt::SaveFile);
        QCOMPARE(p.prompts[0].defaultText, QString("Zoznam klientov ULK.pdf"));
        QProcess run;
        run.start(pdftotext, {"-layout", pdf, "-"});
        QVERIFY(run.waitForFinished(20000));
        const QString text = QString::fromUtf8(run.readAllStandardOutput());
        for (const QString &h : kHeadings + QStringList{"Zoznam klientov ULK :", "5.3.2007", "Šimon", "Škoda",
                                                         "30.11.2004", "Bardejov"})
            QVERIFY2(text.contains(h), qPrintable(h + " not in:\n" + text));
        QVERIFY(text.indexOf("Meno") < text.indexOf("Priezvisko"));
        QVERIFY(text.indexOf("Priezvisko") < text.indexOf("Psč"));
        QVERIFY(!DataEnvironment::denUlk().isLoaded());
    }

    // The first list printed from a file shows before its saved query is
    // written (a commit on the window thread would first wait for every page
    // of the file not yet on the disk); the view stands once the print ends.
    // One that cannot be written leaves the list printed, without a word.
    void savedQueryIsWrittenAfterTheListShows()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        const QString views = "SELECT count(*) FROM sqlite_master WHERE name='vyp_zoz_klient'";
        QList<int> viewsWhileShown;
        report::ReportViewer::setPresenter(
            [&](const ReportDocument &, QWidget *) { viewsWhileShown << test::scalar(views).toInt(); });
        test::sql("PRAGMA query_only = 1");
        printList(w);
        test::sql("PRAGMA query_only = 0");
        QCOMPARE(test::scalar(views).toInt(), 0);
        printList(w);
        QCOMPARE(viewsWhileShown, QList<int>({0, 0}));
        QCOMPARE(test::scalar(views).toInt(), 1);
        QVERIFY(p.unexpected.isEmpty());
        QVERIFY(p.prompts.isEmpty());
    }

    void readFailureIsReported_data()
    {
        QTest::addColumn<QString>("viewSql");
        QTest::addColumn<QString>("because");
        QTest::newRow("broken view") << "SELECT nosuch FROM k_zaklad" << "údaje sa nepodarilo načítať";
        QTest::newRow("column missing") << "SELECT meno, priezv FROM k_zaklad"
                                        << "zostava rptZozKlient číta stĺpec katcis, ktorý zdroj údajov neobsahuje";
    }

    void readFailureIsReported()
    {
        QFETCH(QString, viewSql);
        QFETCH(QString, because);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::sql("CREATE VIEW vyp_zoz_klient AS " + viewSql);
        p.answer(PromptAnswer::Ok);
        printList(w);
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].title, QString("Chybová správa"));
        QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
        QVERIFY2(p.prompts[0].text.startsWith("Zostavu nie je možné zobraziť: " + because),
                 qPrintable(p.prompts[0].text));
        QVERIFY(m_reports->docs.isEmpty());
        QVERIFY(!DataEnvironment::denUlk().isLoaded());
        QVERIFY(!QSqlDatabase::contains(DataEnvironment::connectionName()));
    }
};

QTEST_MAIN(ClientListReportTest)
#include "ClientListReportTest.moc"
