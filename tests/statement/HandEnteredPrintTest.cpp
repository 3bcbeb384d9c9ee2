#include "app/ui/MainWindow.h"
#include "data/DataEnvironment.h"
#include "data/Database.h"
#include "reports/DopUkazReport.h"
#include "reports/OdbStarReport.h"
#include "reports/ReportDocument.h"
#include "reports/ReportPainter.h"
#include "statement/ui/StatementBox.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/reports/ReportTexts.h"
#include "support/ui/ProgramWindow.h"
#include "support/ui/ShownReports.h"

#include "OdbStarSeed.h"
#include "StatementDriver.h"

#include <QAction>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace ulk;
using report::PlacedText;
using report::ReportDocument;
using report::ReportPage;
using test::detailRows;
using test::texts;
using test::ScriptedPrompter;

namespace {

StatementBox *box(QWidget *w, const QString &name) { return w->findChild<StatementBox *>(name); }

// The stub of section V as printed: marker, name and code of every row.
const QList<QStringList> kCareRows = {
    {"     ", "Diagnostika", "0501"},
    {"     ", "       špeciálnopedagogická", "0502"},
    {"     ", "       psychologická", "0503"},
    {"v tom", "       sociálna", "0504"},
    {"     ", "       iná", "0505"},
    {"     ", "Poradenstvo", "0506"},
    {"     ", "       špeciálnopedagogické", "0507"},
    {"     ", "       psychologické", "0508"},
    {"     ", "       liečebno-pedagogické", "0509"},
    {"v tom", "       profesijné", "0510"},
    {"     ", "       sociálne", "0511"},
    {"     ", "       rodinám a zákonným zástupcom", "0512"},
    {"     ", "       v oblasti kompenzačných pomôcok", "0513"},
    {"     ", "       iné", "0514"},
    {"     ", "Špeciálnopedagogické intervencie", "0515"},
    {"     ", "       prevencia", "0516"},
    {"     ", "       kompenzácia", "0517"},
    {"v tom", "       reedukcia (edukácia)", "0518"},
    {"     ", "       korekcia", "0519"},
    {"     ", "       rehabilitácia", "0520"},
    {"     ", "      iné", "0521"},
    {"     ", "Pedagogickopsychologické intervencie", "0522"},
    {"     ", "       psychoterapia", "0523"},
    {"     ", "       socioterapia", "0524"},
    {"v tom", "       terapia prostredníctvom umeleckých médií", "0525"},
    {"     ", "       liečebno-pedagogická terapia", "0526"},
    {"     ", "       iné", "0527"},
    {"     ", "Kontrolný súčet (0501 až 0527)", "0536"},
};

} // namespace

class HandEnteredPrintTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ShownReports> m_reports;
    std::unique_ptr<test::ProgramWindow> m_program;

    bool start() { return m_program->start(); }
    void print(const char *item)
    {
        auto *a = m_program->window.findChild<QAction *>(item);
        QVERIFY(a);
        QVERIFY(a->isEnabled());
        a->trigger();
    }

private slots:
    void init()
    {
        m_reports = std::make_unique<test::ShownReports>();
        m_program = std::make_unique<test::ProgramWindow>();
    }
    void cleanup()
    {
        const QStringList unexpected = m_program->prompter.unexpected;
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(" | ")));
        m_reports.reset();
        m_program.reset();
    }

    void sectionFourPrintsWhatWasLastSaved()
    {
        QVERIFY(start());
        QCOMPARE(m_program->window.findChild<QAction *>("mniDopUkaz")->text(), QString("Dopĺňajúce ukazovatele"));
        const QStringList typed = {"3", "1", "2", "4", "10"};
        QVERIFY(test::openFromTile(m_program->window, "ulk::DoUkazWindow", "Label3", [&](QDialog *d) {
            for (int i = 0; i < 5; ++i) {
                QTest::keyClicks(box(d, QStringLiteral("TextPsych%1").arg(i)), typed[i]);
                QTest::keyClick(test::focused(), Qt::Key_Return);
            }
            QTest::keyClick(test::focused(), Qt::Key_Return); // on "Zápis"
        }));
        print("mniDopUkaz");
        QCOMPARE(m_reports->docs.size(), 1);
        const ReportDocument &doc = m_reports->docs[0];
        QCOMPARE(doc.reportName, QString("rptDopUkaz"));
        QCOMPARE(doc.orientation, report::Orientation::Portrait);
        QCOMPARE(doc.pageCount(), 1);
        const ReportPage &page = doc.pages[0];
        QCOMPARE(texts(page.textsOf("Section4")), QStringList({"IV. Dopĺňajúce ukazovatele"}));
        QCOMPARE(texts(page.textsOf("Section2")), QStringList({"a", "I.r.", "b", "Spolu", "1"}));
        QCOMPARE(detailRows(page),
                 QList<QStringList>({{"Počet miestností", "spolu", "0401", "3", "nevyhovujúce", "0402", "1",
                                      "Diagnostické pobyty", "počet detí", "0403", "2", "počet hodín", "0404", "4",
                                      "Kontrolný súčet (0401 až 0404)", "0416", "10"}}));
        // Each value stands on its code's line, right of the code, under "1".
        const PlacedText one = page.textsOf("Section2", "lbl1").first();
        const QStringList fields = {"r_0401", "r_0402", "r_0403", "r_0404", "r_0416"};
        double lastTop = 0;
        for (int i = 0; i < fields.size(); ++i) {
            const PlacedText value = page.textsOfField(fields[i]).first();
            const PlacedText code = page.textsOf("Section1", "lblKod" + fields[i].mid(2)).first();
            QCOMPARE(value.rect.top(), code.rect.top());
            QVERIFY(value.rect.left() > code.rect.right());
            QVERIFY(value.rect.left() >= one.rect.left() && value.rect.right() <= one.rect.right());
            QVERIFY(value.rect.top() > lastTop);
            lastTop = value.rect.top();
        }
        QVERIFY(m_reports->connectedWhileShown);
        QVERIFY(!DataEnvironment::denUlk().isLoaded());

        // A print right after a save shows the new values.
        QVERIFY(test::openFromTile(m_program->window, "ulk::DoUkazWindow", "Picture3", [&](QDialog *d) {
            QTest::keyClicks(box(d, "TextPsych0"), "5");
            QTest::mouseClick(d->findChild<QPushButton *>("cmdZap"), Qt::LeftButton);
        }));
        print("mniDopUkaz");
        QCOMPARE(m_reports->docs.size(), 2);
        QCOMPARE(page.textsOfField("r_0401").first().text, QString("3"));
        QCOMPARE(m_reports->docs[1].pages[0].textsOfField("r_0401").first().text, QString("5"));
        QVERIFY(m_program->prompter.prompts.isEmpty());
    }

    void sectionFivePrintsLandscapeWhatWasLastSaved()
    {
        QVERIFY(start());
        QCOMPARE(m_program->window.findChild<QAction *>("mniOdbStar")->text(), QString("Odborná starostlivosť"));
        QVERIFY(test::openFromTile(m_program->window, "ulk::OdbStarWindow", "Label6", [&](QDialog *d) {
            QTest::keyClicks(box(d, "txt1_0"), "12");
            test::clickInto(box(d, "txt2_24"));
            QTest::keyClicks(box(d, "txt2_24"), "007");
            QTest::mouseClick(d->findChild<QPushButton *>("cmdOk"), Qt::LeftButton);
        }));
        print("mniOdbStar");
        QCOMPARE(m_reports->docs.size(), 1);
        const ReportDocument &doc = m_reports->docs[0];
        QCOMPARE(doc.reportName, QString("rptOdbStar"));
        QCOMPARE(doc.orientation, report::Orientation::Landscape);
        QVERIFY(doc.pageSize.width() > doc.pageSize.height());
        QCOMPARE(doc.pageCount(), 1);
        const ReportPage &page = doc.pages[0];
        QCOMPARE(texts(page.textsOf("Section4")), QStringList({"V. Klienti, ktorým bola poskytnutá odborná starostlivosť"}));
        const QList<QStringList> rows = detailRows(page);
        QCOMPARE(rows.size(), 28);
        for (int r = 0; r < 28; ++r) {
            QStringList expected = kCareRows[r];
            for (int c = 1; c <= 10; ++c)
                expected << (r == 0 && c == 1 ? "12" : r == 24 && c == 2 ? "007" : " ");
            QCOMPARE(rows[r], expected);
        }
        QCOMPARE(rows[24][0], QString("v tom"));
        QCOMPARE(rows[24][1], QString("       terapia prostredníctvom umeleckých médií"));
        QCOMPARE(rows[20][1], QString("      iné"));
        // Every line fits the landscape body.
        for (const PlacedText &t : page.texts)
            QVERIFY2(t.rect.right() <= doc.pageSize.width() - 720 + 1, qPrintable(t.name));

        // The heads stand over the columns they name.
        const auto column = [&](const QString &field) { return page.textsOfField(field).first().rect; };
        struct Head {
            const char *name;
            const char *caption;
            QStringList fields;
        };
        const QList<Head> heads = {
            {"lblA", "a", {"naz_ria"}},
            {"lblB", "b", {"c_ria"}},
            {"lblIr", "I.r.", {"c_ria"}},
            {"lblStlpec1", "1", {"s_1"}},
            {"lblSpolu1", "spolu", {"s_1"}},
            {"lblSkupina1", "Počet aktivít ambulantných", {"s_2", "s_3", "s_4", "s_5"}},
            {"lblVTom1", "v tom", {"s_2", "s_5"}},
            {"lblIndividualne1", "individuálne", {"s_2", "s_3"}},
            {"lblSkupinove1", "skupinové", {"s_4", "s_5"}},
            {"lblDruhA2", "jedno-", {"s_2"}},
            {"lblDruhB2", "rázové", {"s_2"}},
            {"lblDruhA3", "opaku-", {"s_3"}},
            {"lblDruhB3", "júce sa", {"s_3"}},
            {"lblDruhA4", "jedno-", {"s_4"}},
            {"lblDruhB5", "júce sa", {"s_5"}},
            {"lblStlpec6", "6", {"s_6"}},
            {"lblSpolu2", "spolu", {"s_6"}},
            {"lblSkupina2", "Počet aktivít terénnych (mobilných)", {"s_7", "s_10"}},
            {"lblVTom2", "v tom", {"s_7", "s_10"}},
            {"lblIndividualne2", "individuálne ", {"s_7", "s_8"}},
            {"lblSkupinove2", "skupinové", {"s_9", "s_10"}},
            {"lblDruhA7", "jedno-", {"s_7"}},
            {"lblDruhB8", "júce sa", {"s_8"}},
            {"lblDruhA9", "jedno-", {"s_9"}},
            {"lblDruhB10", "júce sa", {"s_10"}},
            {"lblStlpec10", "10", {"s_10"}},
        };
        for (const Head &h : heads) {
            const QList<PlacedText> found = page.textsOf("Section2", QString::fromLatin1(h.name));
            QVERIFY2(found.size() == 1, h.name);
            QCOMPARE(found[0].text, QString::fromUtf8(h.caption));
            for (const QString &f : h.fields) {
                QVERIFY2(found[0].rect.left() <= column(f).left() + 1, h.name);
                QVERIFY2(found[0].rect.right() >= column(f).right() - 1, h.name);
            }
        }
        QVERIFY(!DataEnvironment::denUlk().isLoaded());
        QVERIFY(m_program->prompter.prompts.isEmpty());
    }

    void emptyTablesPrintHeadsOnly()
    {
        QVERIFY(start());
        print("mniDopUkaz");
        print("mniOdbStar");
        QCOMPARE(m_reports->docs.size(), 2);
        QVERIFY(m_reports->docs[0].pages[0].textsOf("Section1").isEmpty());
        QCOMPARE(m_reports->docs[0].pages[0].textsOf("Section2").size(), 5);
        QVERIFY(m_reports->docs[1].pages[0].textsOf("Section1").isEmpty());
        QVERIFY(!m_reports->docs[1].pages[0].textsOf("Section2").isEmpty());
        QVERIFY(m_program->prompter.prompts.isEmpty());
    }

    void sectionFiveOnPaper()
    {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed");
        QCOMPARE(Database::open(m_program->dir.path()), Database::OpenResult::Ok);
        test::seedOdbStar({{{3, 5}, "41"}});
        Database::close();
        QVERIFY(start());
        print("mniOdbStar");
        QCOMPARE(m_reports->docs.size(), 1);
        const QString pdf = m_program->dir.file("odbstar.pdf");
        QVERIFY(report::ReportPainter::writePdf(m_reports->docs[0], pdf));
        QProcess run;
        run.start(pdftotext, {"-layout", pdf, "-"});
        QVERIFY(run.waitForFinished(20000));
        const QString text = QString::fromUtf8(run.readAllStandardOutput());
        for (const QString &t : QStringList{"V. Klienti, ktorým bola poskytnutá odborná starostlivosť",
                                            "Diagnostika", "Kontrolný súčet (0501 až 0527)",
                                            "Počet aktivít terénnych (mobilných)", "0536", "41"})
            QVERIFY2(text.contains(t), qPrintable(t + " not in:\n" + text));
        QVERIFY(text.indexOf("Diagnostika") < text.indexOf("Poradenstvo"));
    }

    void readFailureIsTold()
    {
        QVERIFY(start());
        test::sql("DROP TABLE odbstar");
        m_program->prompter.answer(PromptAnswer::Ok);
        print("mniOdbStar");
        QVERIFY(m_reports->docs.isEmpty());
        QCOMPARE(m_program->prompter.prompts.size(), 1);
        QVERIFY(m_program->prompter.prompts[0].text.startsWith(
            "Zostavu nie je možné zobraziť: údaje sa nepodarilo načítať"));
        QVERIFY(!DataEnvironment::denUlk().isLoaded());
    }
};

QTEST_MAIN(HandEnteredPrintTest)
#include "HandEnteredPrintTest.moc"
