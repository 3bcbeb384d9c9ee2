#include "app/ui/MainWindow.h"
#include "common/Clock.h"
#include "common/ui/WaitingWindow.h"
#include "data/DataEnvironment.h"
#include "data/Database.h"
#include "reports/AgeSectionReport.h"
#include "reports/EducationSectionReport.h"
#include "reports/EmployeeSectionReport.h"
#include "reports/ui/ReportViewer.h"
#include "statement/ui/StatementPrint.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"
#include "support/ui/WhenModal.h"
#include "StatementFixtures.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QTest>
#include <QTimer>

using namespace ulk;
using report::ReportDocument;
using report::ReportPage;

namespace {

const QString kTitle = QStringLiteral("Chybová správa");

struct Shown {
    ReportDocument doc;
    QList<QStringList> table;  // the work table while the preview was open
    bool reportConnectionOpen = false;
};

// The menu item of a section and its work table.
struct Section {
    const char *item;
    const char *table;
    int lines;
};
const Section kAges{"mniVek", "z_vek", 19};
const Section kEducation{"mniVzd", "z_vzdelavanie", 11};
const Section kEmployees{"mniZam", "z_zam", 9};

} // namespace

class StatementPrintTest : public QObject {
    Q_OBJECT

    QList<Shown> m_shown;
    MainWindow *m_window = nullptr;
    QString m_table;

    void print(MainWindow &w, const Section &s)
    {
        m_window = &w;
        m_table = QString::fromLatin1(s.table);
        auto *item = w.findChild<QAction *>(QString::fromLatin1(s.item));
        QVERIFY(item);
        QVERIFY(item->isEnabled());
        item->trigger();
    }

    // After every print: the work table is empty and the report connection
    // that the shown rows were read on released.
    void checkReleased(const Section &s)
    {
        QCOMPARE(test::rowCount(QString::fromLatin1(s.table)), 0);
        QVERIFY(m_shown.isEmpty() || m_shown.last().reportConnectionOpen);
        QVERIFY(!DataEnvironment::denUlk().isLoaded());
        for (const QString &name : QSqlDatabase::connectionNames())
            QVERIFY2(!name.startsWith("ulk-report"), qPrintable(name));
    }

private slots:
    void init()
    {
        m_shown.clear();
        Clock::setToday(QDate(2007, 3, 5));
        report::ReportViewer::setPresenter([this](const ReportDocument &doc, QWidget *) {
            m_shown << Shown{doc, test::tableRows(m_table),
                             !QSqlDatabase::connectionNames().filter(QRegularExpression("^ulk-report")).isEmpty()};
        });
    }

    void cleanup()
    {
        report::ReportViewer::setPresenter({});
        Clock::setToday(QDate());
        Database::close();
    }

    void menuItems()
    {
        test::ProgramWindow program;
        MainWindow &w = program.window;
        QVERIFY(w.load());
        const std::pair<const char *, const char *> items[] = {
            {"mniVek", "Zostava klientov zoradena podľa veku"},
            {"mniVzd", "Zostava klientov zoradená podľa spôsobu vzdelávania"},
            {"mniZam", "Evidenčný počet zamestnancov"}};
        for (const auto &[name, caption] : items) {
            auto *a = w.findChild<QAction *>(name);
            QVERIFY(a);
            QCOMPARE(a->text(), QString::fromUtf8(caption));
            QVERIFY(a->isEnabled());
        }
    }

    void employeeSection()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addEmployee("RIAD00", "Jana", "Riaditeľová", 1, "z", "e", "a");
        test::addEmployee("PSYCH00", "Eva", "Malá", 4, "z", "i", "n");
        test::addEmployee("PSYCH01", "Ján", "Veľký", 4, "m", "i", "a");
        print(w, kEmployees);
        print(w, kEmployees);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QCOMPARE(m_shown.size(), 2);
        const Shown &s = m_shown.first();
        QCOMPARE(s.doc.reportName, QString("rptZam"));
        QCOMPARE(s.doc.orientation, report::Orientation::Landscape);
        QVERIFY(s.reportConnectionOpen);
        const QList<QStringList> expected = {
            {"Riaditeľ", "0301", "", "", "", "   x", "   x", "   x"},
            {"Špeciálny pedagóg", "0302", "", "", "", "", "", ""},
            {"Školský špeciálny pedagóg", "0303", "", "", "", "", "", ""},
            {"Psychológ", "0304", "2", "1", "1", "", "", ""},
            {"Liečebný pedagóg", "0305", "", "", "", "", "", ""},
            {"Zdravotnícky zamestnanec", "0306", "", "", "", "", "", ""},
            {"Sociálny zamestnanec", "0307", "", "", "", "", "", ""},
            {"Iní", "0308", "", "", "", "", "", ""},
            {"Spolu (0301 až 0308)", "0316", "2", "1", "1", "1", "1", "1"}};
        QCOMPARE(s.table, expected);
        QCOMPARE(test::detailRows(s.doc.pages.first()), expected);
        // Printing twice gives the same preview.
        QCOMPARE(test::detailRows(m_shown[1].doc.pages.first()), expected);
        checkReleased(kEmployees);
    }

    void ageSection()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addStatementClient("DNES00", "2000-03-05", "Z", "7");
        test::addStatementClient("VIAC00", "2000-03-06", "M", "23");
        test::addStatementClient("STARY00", "1982-01-01", "M", "2 3");
        for (const char *k : {"DNES00", "VIAC00", "STARY00"})
            test::addCare(k, "2007-08-31");
        test::addCare("DNES00", "2006-09-01");
        print(w, kAges);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QCOMPARE(m_shown.size(), 1);
        const Shown &s = m_shown.first();
        QCOMPARE(s.doc.reportName, QString("rptVek"));
        QCOMPARE(s.doc.orientation, report::Orientation::Landscape);
        QVERIFY(s.reportConnectionOpen);
        QCOMPARE(s.table.size(), 19);
        const ReportPage &page = s.doc.pages.first();
        // The page prints the work table's rows in order, the columns in the report's order.
        const QList<QStringList> rows = test::detailRows(page);
        QCOMPARE(rows.size(), 19);
        QCOMPARE(rows[6], QStringList({"o", "    6 - 7", "0107", "1", "", "", "", "", "", "", "", "", "", "", "", "",
                                       "", "1", "", "", "", "", "", "", ""}));
        QCOMPARE(rows[7], QStringList({" ", "    7 - 8", "0108", "1", "1", "", "", "", "", "", "", "", "", "", "",
                                       "", "", "", "", "1", "1", "", "", "", ""}));
        QCOMPARE(rows[18].mid(0, 5), QStringList({" ", " 18 a viac", "0119", "1", ""}));
        QCOMPARE(rows[18][5 + 2], QString("1"));
        for (int a = 0; a < 19; ++a)
            QCOMPARE(rows[a].mid(0, 3), s.table[a].mid(0, 3));
        QCOMPARE(test::textOf(page, "Section4", "Label105"), QString("za školský rok 2006/2007"));
        const std::pair<const char *, const char *> totals[] = {
            {"Label68", "3"}, {"Label69", "1"}, {"Label72", "1"}, {"Label82", "1"}, {"Label84", "1"},
            {"Label85", "1"}, {"Label70", ""},  {"Label83", ""},  {"Label89", ""},  {"Label88", ""}};
        for (const auto &[label, text] : totals)
            QCOMPARE(test::textOf(page, "Section5", label), QString(text));
        QCOMPARE(test::queryRows("SELECT idkod, vek FROM k_zaklad ORDER BY idkod"),
                 QList<QStringList>({{"DNES00", "7"}, {"STARY00", "18"}, {"VIAC00", "6"}}));
        checkReleased(kAges);
    }

    // The ages are written while the preview is shown; a write that fails is
    // told once the preview is closed, and writes none.
    void ageWriteThatFailsIsTold()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addStatementClient("DNES00", "2000-03-05", "Z", "7");
        test::addStatementClient("VIAC00", "2000-03-06", "M", "23");
        test::addCare("DNES00", "2007-01-31");
        test::addCare("VIAC00", "2007-01-31");
        test::sql("CREATE TRIGGER plny BEFORE UPDATE OF vek ON k_zaklad WHEN new.vek = 6 "
                  "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
        p.answer(PromptAnswer::Ok);
        print(w, kAges);
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(test::detailRows(m_shown.first().doc.pages.first())[6][3], QString("1"));
        QCOMPARE(p.texts(), QStringList({"Vek klientov sa nepodarilo zapísať do registra.\nna disku nie je miesto"}));
        QCOMPARE(p.prompts.first().title, kTitle);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad WHERE vek IS NOT NULL").toInt(), 0);
        checkReleased(kAges);
    }

    // Section I's ages still being written when the preview is closed: a
    // wait longer than about half a second is told in the program's waiting
    // window, the main window repaints meanwhile, and the window goes by
    // itself once the write has ended.
    void longAgeWriteShowsWhatItWaitsFor()
    {
        test::ProgramDir dir;
        MainWindow w(dir.path());
        QVERIFY(w.load());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        struct Paints : QObject {
            int count = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                count += e->type() == QEvent::Paint;
                return false;
            }
        } paints;
        w.installEventFilter(&paints);
        WaitingWindow waiting;
        LongWork::setView(&waiting);
        const auto note = [] {
            for (QWidget *t : QApplication::topLevelWidgets())
                if (t->objectName() == "frmCakanie" && t->isVisible())
                    return t;
            return static_cast<QWidget *>(nullptr);
        };
        // The write ends once the main window has repainted under the
        // window (or, the window never coming, after ten seconds).
        bool written = false;
        QString told, title;
        bool stays = false;
        int paintsBefore = -1;
        QElapsedTimer since;
        since.start();
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, [&] {
            if (since.elapsed() > 10000) {
                written = true;
            } else if (QWidget *shown = note(); shown && paintsBefore < 0) {
                told = shown->findChild<QLabel *>("lblCinnost")->text();
                title = shown->windowTitle();
                // Nothing to cancel: neither closing nor Esc takes it away.
                shown->close();
                QTest::keyClick(shown, Qt::Key_Escape);
                stays = shown->isVisible();
                paintsBefore = paints.count;
                w.update();
            } else if (paintsBefore >= 0 && paints.count > paintsBefore) {
                written = true;
            }
        });
        watch.start();
        statement::StatementPrint::awaitAgeWrite([&] { return written; });
        LongWork::setView(nullptr);
        QVERIFY(written);
        QCOMPARE(told, QString("Zapisuje sa vek klientov do registra…"));
        QCOMPARE(title, QString("Zápis veku klientov"));
        QVERIFY(stays);
        QVERIFY(!note());
    }

    void ageSectionOfTheChosenSchoolYear()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        test::addStatementClient("LONI00", "2001-01-01", "M", "4");
        test::addCare("LONI00", "2006-08-31");
        print(w, kAges);
        p.type("2005/2006");
        QTest::mouseClick(w.findChild<QLabel *>("lblSkolskyRok"), Qt::LeftButton);
        QCOMPARE(w.schoolYear(), QString("2005/2006"));
        print(w, kAges);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QCOMPARE(m_shown.size(), 2);
        const ReportPage &first = m_shown[0].doc.pages.first();
        const ReportPage &second = m_shown[1].doc.pages.first();
        QCOMPARE(test::textOf(first, "Section4", "Label105"), QString("za školský rok 2006/2007"));
        QCOMPARE(test::textOf(first, "Section5", "Label68"), QString(""));
        QCOMPARE(test::textOf(second, "Section4", "Label105"), QString("za školský rok 2005/2006"));
        QCOMPARE(test::textOf(second, "Section5", "Label68"), QString("1"));
        QCOMPARE(test::textOf(second, "Section5", "Label76"), QString("1"));
        // The age is the one on the day of printing.
        QCOMPARE(test::detailRows(second)[6].mid(2, 2), QStringList({"0107", "1"}));
        checkReleased(kAges);
    }

    void educationSection()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addStatementClient("MS00", "2003-01-01", "Z", "5 3");
        test::addCare("MS00", "2007-01-01");
        test::addStay("MS00", "01");
        test::addStay("MS00", "16");
        test::addStatementClient("RODINA00", "2003-01-01", "M", "5");
        test::addCare("RODINA00", "2007-02-02");
        test::addStay("RODINA00", "08");
        print(w, kEducation);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QCOMPARE(m_shown.size(), 1);
        const Shown &s = m_shown.first();
        QCOMPARE(s.doc.reportName, QString("rptVzd"));
        QCOMPARE(s.doc.orientation, report::Orientation::Landscape);
        QVERIFY(s.reportConnectionOpen);
        QCOMPARE(s.table.size(), 11);
        QCOMPARE(s.table[0].mid(0, 7),
                 QStringList({" ", "v pred-", "v materskej škole v bežnej triede", "01", "0201", "1", "1"}));
        const ReportPage &page = s.doc.pages.first();
        QList<QStringList> rows = test::detailRows(page);
        QCOMPARE(rows.size(), 11);
        QStringList codes;
        for (const report::PlacedText &t : page.textsOfField("c_riad"))
            codes << t.text;
        QCOMPARE(codes, QStringList({"0201", "0202", "0203", "0204", "0205", "0206", "0207", "0208", "0209", "0210",
                                     "0211"}));
        const auto cells = [&](const QString &code) {
            QStringList out;
            const int row = int(codes.indexOf(code));
            for (const report::PlacedText &t : page.textsOf("Section1"))
                if (t.row == row && t.field != "kod_txt" && t.field.startsWith("p_"))
                    out << t.field + "=" + t.text;
            return out.filter(QRegularExpression("=.+$"));
        };
        QCOMPARE(cells("0201"), QStringList({"p_viacn=1", "p_viacn_z=1"}));
        QCOMPARE(cells("0208"), QStringList({"p_rec=1"}));
        QCOMPARE(cells("0210").size(), 20);
        QVERIFY(cells("0210").first().endsWith("=  x"));
        const std::pair<const char *, const char *> totals[] = {
            {"Label66", "2"}, {"Label67", "1"}, {"Label76", "1"}, {"Label80", "1"},
            {"Label81", "1"}, {"Label77", ""},  {"Label68", ""},  {"Label87", ""}};
        for (const auto &[label, text] : totals)
            QCOMPARE(test::textOf(page, "Section5", label), QString(text));
        checkReleased(kEducation);
    }

    void rowsLeftByAnInterruptedPrintGo_data()
    {
        QTest::addColumn<int>("section");
        QTest::newRow("I") << 0;
        QTest::newRow("II") << 1;
        QTest::newRow("III") << 2;
    }

    void rowsLeftByAnInterruptedPrintGo()
    {
        QFETCH(int, section);
        const Section s = section == 0 ? kAges : section == 1 ? kEducation : kEmployees;
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        const QString table = QString::fromLatin1(s.table);
        const QString first = section == 2 ? "fcia" : section == 1 ? "stlpec_1" : "stlpec";
        test::sql(QStringLiteral("INSERT INTO %1 (%2) VALUES ('zvyšok')").arg(table, first));
        test::sql(QStringLiteral("INSERT INTO %1 (%2) VALUES ('zvyšok')").arg(table, first));
        print(w, s);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].table.size(), s.lines);
        QCOMPARE(test::detailRows(m_shown[0].doc.pages.first()).size(), s.lines);
        for (const QStringList &row : m_shown[0].table)
            QVERIFY(row[0] != "zvyšok");
        checkReleased(s);
    }

    void failedComputationIsTold_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("breaking");
        QTest::newRow("I") << 0 << "ALTER TABLE k_zaznam_spc RENAME TO k_zaznam_spc_old";
        QTest::newRow("II") << 1 << "ALTER TABLE k_zariad RENAME TO k_zariad_old";
        QTest::newRow("III") << 2 << "ALTER TABLE zamestnanci RENAME TO zamestnanci_old";
        QTest::newRow("work table not filled") << 2 << "CREATE TRIGGER no_fill BEFORE INSERT ON z_zam "
                                                       "WHEN NEW.cria = '0305' BEGIN SELECT RAISE(ABORT, 'plné'); END";
    }

    void failedComputationIsTold()
    {
        QFETCH(int, section);
        QFETCH(QString, breaking);
        const Section s = section == 0 ? kAges : section == 1 ? kEducation : kEmployees;
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addStatementClient("NOVAK00", "2001-01-01", "M", "4");
        test::addCare("NOVAK00", "2007-01-01");
        const QString table = QString::fromLatin1(s.table);
        test::sql(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table));
        test::sql(breaking);
        p.answer(PromptAnswer::Ok);
        print(w, s);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].title, kTitle);
        QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
        QVERIFY2(p.prompts[0].text.startsWith("Výkaz nie je možné zostaviť: "), qPrintable(p.prompts[0].text));
        QVERIFY(m_shown.isEmpty());
        checkReleased(s);
        QVERIFY(test::scalar("SELECT vek FROM k_zaklad").isNull() || section == 0);
    }

    void failedReportIsTold()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        report::ReportDefinition &rpt = report::EmployeeSectionReport::instance();
        QVERIFY(rpt.setDataField("Section1", "txtCria", "nosuch"));
        p.answer(PromptAnswer::Ok);
        print(w, kEmployees);
        QVERIFY(rpt.setDataField("Section1", "txtCria", "cria"));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].title, kTitle);
        QCOMPARE(p.prompts[0].text,
                 QString("Zostavu nie je možné zobraziť: zostava rptZam číta stĺpec nosuch, ktorý zdroj údajov "
                         "neobsahuje"));
        QVERIFY(m_shown.isEmpty());
        checkReleased(kEmployees);
        // The next print goes as usual.
        print(w, kEmployees);
        QCOMPARE(m_shown.size(), 1);
        checkReleased(kEmployees);
    }

    void moreKindsThanRowsAreTold()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        for (const char *kod : {"10", "11", "12", "13", "14", "15"})
            test::sql("INSERT INTO c_zariad (kod, nazov, akronym, v_nazov) VALUES (?, 'Iné', 'VYCH', 'v inom')", {kod});
        p.answer(PromptAnswer::Ok);
        print(w, kEducation);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].title, kTitle);
        QCOMPARE(p.prompts[0].text, QString("Výkaz nie je možné zostaviť: číselník zariadení c_zariad má 17 druhov "
                                            "výchovy a vzdelávania (VYCH), výkaz má riadky len pre 16 (0201 až 0216)"));
        QVERIFY(m_shown.isEmpty());
        checkReleased(kEducation);
    }

    void printPreviewWindow()
    {
        report::ReportViewer::setPresenter({});
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addEmployee("PSYCH00", "Eva", "Malá", 4, "z", "i", "a");
        bool seen = false;
        int rowsWhileShown = -1;
        test::whenModal("ulk::report::PreviewDialog", [&](QWidget *dlg) {
            seen = true;
            QCOMPARE(dlg->windowTitle(), QString("Evidenčný počet zamestnancov"));
            rowsWhileShown = test::rowCount("z_zam");
            dlg->close();
        });
        print(w, kEmployees);
        QVERIFY(seen);
        QCOMPARE(rowsWhileShown, 9);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        checkReleased(kEmployees);
    }
};

QTEST_MAIN(StatementPrintTest)
#include "StatementPrintTest.moc"
