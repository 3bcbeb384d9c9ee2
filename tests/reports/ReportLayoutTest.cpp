#include "common/Clock.h"
#include "data/DataEnvironment.h"
#include "data/Database.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPainter.h"
#include "reports/ReportRule.h"
#include "support/ProgramDir.h"
#include "support/reports/ReportTexts.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ulk;
using namespace ulk::report;
using test::texts;

namespace {

const QDate kToday(2007, 3, 5);

QString pdfText(const QString &pdf, const QStringList &options = {"-layout"})
{
    QProcess run;
    run.start(QStandardPaths::findExecutable("pdftotext"), options + QStringList{pdf, "-"});
    run.waitForFinished(20000);
    return QString::fromUtf8(run.readAllStandardOutput());
}

// A report with a title, a column heading, a detail line and a page footer.
ReportDefinition listReport()
{
    ReportDefinition r("rptTest");
    r.section(SectionKind::ReportHeader).height = 600;
    r.section(SectionKind::ReportHeader).add(
        ReportControl::label("lblNadpis", "Skúška", 0, 0, 3000, ReportFont::timesNewRoman(11.25, true)));
    r.section(SectionKind::PageHeader).height = 400;
    r.section(SectionKind::PageHeader).add(
        ReportControl::label("lblHlava", "Hlavička", 0, 0, 2000, ReportFont::timesNewRoman(9.75, true)));
    r.section(SectionKind::Detail).height = 1000;
    r.section(SectionKind::Detail).add(ReportControl::textBox("txtMeno", "meno", 0, 0, 2000, ReportFont::arial(9)));
    r.section(SectionKind::PageFooter).height = 300;
    r.section(SectionKind::PageFooter).add(ReportControl::label("lblPata", "Päta", 0, 0, 1000, ReportFont::arial(8)));
    r.section(SectionKind::ReportFooter).height = 300;
    r.section(SectionKind::ReportFooter).add(ReportControl::label("lblKoniec", "Koniec", 0, 0, 1000, ReportFont::arial(8)));
    return r;
}

RowSet names(int count)
{
    RowSet rows({"meno"});
    for (int i = 0; i < count; ++i)
        rows.append({QStringLiteral("Meno %1").arg(i)});
    return rows;
}

} // namespace

class ReportLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        Clock::setToday(QDate());
        Database::close();
    }

    void designedFontsAreDrawnWithLiberation()
    {
        QCOMPARE(QFontInfo(ReportFont::timesNewRoman(9).qfont()).family(), QString("Liberation Serif"));
        QCOMPARE(QFontInfo(ReportFont::arial(9, true).qfont()).family(), QString("Liberation Sans"));
        QCOMPARE(ReportFont::timesNewRoman(11.25).qfont().pixelSize(), 225);
        QCOMPARE(ReportFont::arial(8.25).qfont().pixelSize(), 165);
    }

    void valuesAreFormatted_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("text");
        const int date = int(DataFormat::Date), text = int(DataFormat::Text);
        QTest::newRow("iso date") << QVariant("2001-02-03") << date << "03.02.2001";
        QTest::newRow("date and time") << QVariant("2001-12-31 00:00:00") << date << "31.12.2001";
        QTest::newRow("QDate") << QVariant(QDate(1999, 7, 9)) << date << "09.07.1999";
        QTest::newRow("null date") << QVariant() << date << "";
        QTest::newRow("empty date") << QVariant("") << date << "";
        QTest::newRow("not a date") << QVariant("neznámy") << date << "neznámy";
        QTest::newRow("text") << QVariant("O'Neil") << text << "O'Neil";
        QTest::newRow("number") << QVariant(qlonglong(42)) << text << "42";
        QTest::newRow("null") << QVariant() << text << "";
    }

    void valuesAreFormatted()
    {
        QFETCH(QVariant, value);
        QFETCH(int, format);
        QFETCH(QString, text);
        QCOMPARE(ReportLayout::formatValue(value, DataFormat(format)), text);
    }

    void growingFieldWrapsAndPushesControlsDown()
    {
        ReportDefinition r("rptGrow");
        ReportSection &d = r.section(SectionKind::Detail);
        d.height = 600;
        const ReportFont font = ReportFont::timesNewRoman(9);
        d.add(ReportControl::textBox("txtDlhy", "dlhy", 0, 0, 1500, font, true, 250));
        d.add(ReportControl::label("lblPod", "pod", 0, 300, 800, font));
        d.add(ReportControl::textBox("txtVedla", "vedla", 2000, 0, 600, font));
        const QString longText = "Dieťa komunikuje len vo dvojslovných vetách, slovná zásoba je primeraná "
                                 "veku, výslovnosť hlások Ľ, Ť a Ď je nepresná.";
        RowSet rows({"dlhy", "vedla"});
        rows.append({longText, "prvý riadok\ndruhý riadok"});
        rows.append({"krátky", "x"});
        const std::optional<ReportDocument> doc = ReportLayout::layOut(r, rows, kToday);
        QVERIFY(doc);
        const ReportPage &page = doc->pages.first();

        const QList<PlacedText> wrapped = page.textsOf("Section1", "txtDlhy");
        QVERIFY(wrapped.size() > 3 + 1); // several lines of the first row, one of the second
        QList<PlacedText> firstRow;
        for (const PlacedText &t : wrapped)
            if (t.row == 0)
                firstRow << t;
        const double lineHeight = font.lineHeight();
        const QFontMetricsF fm(font.qfont());
        for (int i = 0; i < firstRow.size(); ++i) {
            QCOMPARE(firstRow[i].rect.top(), 1440 + i * lineHeight);
            QVERIFY2(fm.horizontalAdvance(firstRow[i].text) <= 1500, qPrintable(firstRow[i].text));
        }
        QCOMPARE(texts(firstRow).join(' '), longText);

        // The label under the grown box moved down by the growth; the box
        // beside it did not move and is cut to its first line.
        const double growth = firstRow.size() * lineHeight - 250;
        QCOMPARE(page.textsOf("Section1", "lblPod").first().rect.top(), 1440 + 300 + growth);
        const QList<PlacedText> beside = page.textsOf("Section1", "txtVedla");
        QCOMPARE(beside.first().text, QString("prvý riadok"));
        QCOMPARE(beside.first().rect.top(), 1440.0);
        QCOMPARE(beside.first().rect.right(), 1440 + 2600.0);
        // The next row starts under the grown band.
        QCOMPARE(beside[1].row, 1);
        QCOMPARE(beside[1].rect.top(), 1440 + 600 + growth);
    }

    // A label or a one-line box designed lower than its font's line does
    // not make its band taller: rows follow each other at the band's height.
    void lowControlsKeepTheBandHeight()
    {
        ReportDefinition r("rptLow");
        ReportSection &d = r.section(SectionKind::Detail);
        d.height = 255;
        d.add(ReportControl::label("lblDash", "--", 0, 0, 285, ReportFont::arial(8.25), 165));
        d.add(ReportControl::textBox("txtA", "a", 400, 0, 500, ReportFont::timesNewRoman(9), false, 100));
        d.add(ReportControl::textBox("txtB", "b", 1000, 200, 500, ReportFont::timesNewRoman(9)));
        QVERIFY(ReportFont::arial(8.25).lineHeight() > 165);
        RowSet rows({"a", "b"});
        rows.append({"x", "y"});
        rows.append({"x", "y"});
        const std::optional<ReportDocument> doc = ReportLayout::layOut(r, rows, kToday);
        QVERIFY(doc);
        const QList<PlacedText> dash = doc->pages.first().textsOf("Section1", "lblDash");
        QCOMPARE(dash.size(), 2);
        QCOMPARE(dash[1].rect.top() - dash[0].rect.top(), 255.0);
        // Nothing below them moves.
        QCOMPARE(doc->pages.first().textsOf("Section1", "txtB").first().rect.top(), 1440 + 200.0);
    }

    void pagesRepeatThePageHeader()
    {
        Clock::setToday(kToday);
        ReportDefinition r = listReport();
        const int rows = 40;
        const std::optional<ReportDocument> doc = ReportLayout::layOut(r, names(rows), kToday);
        QVERIFY(doc);
        const double pageHeight = 16838, footerTop = pageHeight - 1440 - 300;
        // 1440 + 600 + 400 = 2440: 12 lines of 1000 fit above 15098 on page 1,
        // 1440 + 400 = 1840: 13 lines on each further page.
        QCOMPARE(doc->pageCount(), 4);
        QStringList printed;
        for (int n = 0; n < doc->pageCount(); ++n) {
            const ReportPage &page = doc->pages[n];
            QCOMPARE(texts(page.textsOf("Section4")), n == 0 ? QStringList{"Skúška"} : QStringList());
            const QList<PlacedText> head = page.textsOf("Section2");
            QCOMPARE(texts(head), QStringList{"Hlavička"});
            QCOMPARE(head.first().rect.top(), n == 0 ? 1440 + 600.0 : 1440.0);
            QCOMPARE(page.textsOf("Section3").first().rect.top(), footerTop);
            const QList<PlacedText> lines = page.textsOf("Section1");
            QCOMPARE(lines.size(), n == 0 ? 12 : n < 3 ? 13 : 2);
            for (int k = 0; k < lines.size(); ++k) {
                QCOMPARE(lines[k].rect.top(), head.first().rect.top() + 400 + 1000 * k);
                QVERIFY(lines[k].rect.top() + 1000 <= footerTop);
                printed << lines[k].text;
            }
        }
        QCOMPARE(printed.size(), rows);
        for (int i = 0; i < rows; ++i)
            QCOMPARE(printed[i], QStringLiteral("Meno %1").arg(i));
        // The report footer follows the last line.
        const ReportPage &last = doc->pages.last();
        QCOMPARE(last.textsOf("Section5").first().rect.top(), 1440 + 400 + 2000.0);
        for (int n = 0; n + 1 < doc->pageCount(); ++n)
            QVERIFY(doc->pages[n].textsOf("Section5").isEmpty());
    }

    void textTallerThanAPageIsSplit()
    {
        ReportDefinition r = listReport();
        r.section(SectionKind::Detail).add(
            ReportControl::textBox("txtPolozka", "", 0, 300, 8790, ReportFont::arial(8.25), true));
        QVERIFY(r.setDataField("section1", "TXTPOLOZKA", "poznamky"));
        QStringList paragraphs;
        for (int i = 0; i < 150; ++i)
            paragraphs << QStringLiteral("Odsek %1 poznámok o klientovi.").arg(i);
        RowSet rows({"meno", "poznamky"});
        rows.append({"Ján", paragraphs.join('\n')});
        const std::optional<ReportDocument> doc = ReportLayout::layOut(r, rows, kToday);
        QVERIFY(doc);
        QVERIFY(doc->pageCount() >= 2);
        QStringList printed;
        const double footerTop = 16838 - 1440 - 300;
        for (const ReportPage &page : doc->pages) {
            QCOMPARE(texts(page.textsOf("Section2")), QStringList{"Hlavička"});
            for (const PlacedText &t : page.textsOf("Section1", "txtPolozka")) {
                QVERIFY(t.rect.bottom() <= footerTop);
                printed << t.text;
            }
        }
        QCOMPARE(printed, paragraphs);
        QCOMPARE(doc->pages[1].textsOf("Section1", "txtPolozka").first().rect.top(), 1440 + 400.0);
    }

    void settingsByNameBeforeTheShow()
    {
        ReportDefinition r("rptDemo");
        r.section(SectionKind::ReportHeader).add(
            ReportControl::label("lblNadpis", "Dieťa v rannom predškolskom veku", 0, 0, 7650,
                                 ReportFont::timesNewRoman(11.25, true, false, true), 225));
        r.section(SectionKind::ReportHeader).add(
            ReportControl::label("lblDatum", "Dátum: %d", 7880, 57, 1020, ReportFont::arial(8.25)));
        r.section(SectionKind::Detail).add(ReportControl::textBox("txtPolozka", "", 0, 0, 8790, r.defaultFont, true));
        QVERIFY(r.setCaption("Section4", "lblNadpis", "Poznámky"));
        QVERIFY(r.setDataField("Section1", "txtPolozka", "poznamky"));
        QVERIFY(!r.setCaption("Section1", "txtPolozka", "x"));
        QVERIFY(!r.setDataField("Section4", "lblNadpis", "x"));
        QVERIFY(!r.setCaption("Section9", "lblNadpis", "x"));
        QVERIFY(!r.setCaption("Section4", "lblNic", "x"));
        r.orientation = Orientation::Landscape;
        RowSet rows({"u_dieta", "poznamky"});
        rows.append({"ranný vek", "Poznámka s 'úvodzovkami'"});
        const std::optional<ReportDocument> doc = ReportLayout::layOut(r, rows, kToday);
        QVERIFY(doc);
        QCOMPARE(doc->pageSize, QSizeF(16838, 11906));
        QCOMPARE(texts(doc->pages[0].textsOf("Section4")), QStringList({"Poznámky", "Dátum: 5.3.2007"}));
        QCOMPARE(texts(doc->pages[0].textsOf("Section1")), QStringList{"Poznámka s 'úvodzovkami'"});
        QCOMPARE(ReportPainter::pageLayout(*doc).orientation(), QPageLayout::Landscape);
    }

    void missingColumnIsRefused()
    {
        ReportDefinition r = listReport();
        QString error;
        QVERIFY(!ReportLayout::layOut(r, RowSet({"priezv"}), kToday, &error));
        QCOMPARE(error, QString("zostava rptTest číta stĺpec meno, ktorý zdroj údajov neobsahuje"));
    }

    void rowsHandedOverOrReadThroughTheRule()
    {
        Clock::setToday(kToday);
        test::OpenRegister dir;
        ReportDefinition r = listReport();
        QString error;
        QVERIFY(!ReportRule::prepare(r, dir.path(), &error));
        QCOMPARE(error, QString("zostava rptTest nemá zdroj údajov"));

        r.setDataSource(names(2));
        std::optional<ReportDocument> doc = ReportRule::prepare(r, dir.path(), &error);
        ReportRule::finish();
        QVERIFY(doc);
        QCOMPARE(texts(doc->pages[0].textsOf("Section1")), QStringList({"Meno 0", "Meno 1"}));

        // Over a command: statement section IV rows of dop_ukaz.
        r.clearDataSource();
        r.section(SectionKind::Detail).control("txtMeno")->dataField = "r_0401";
        r.setDataMember("cmdDopUkaz");
        test::sql("INSERT INTO dop_ukaz (r_0401) VALUES ('12')");
        doc = ReportRule::prepare(r, dir.path(), &error);
        QVERIFY(DataEnvironment::denUlk().isLoaded());
        ReportRule::finish();
        QVERIFY(!DataEnvironment::denUlk().isLoaded());
        QVERIFY(doc);
        QCOMPARE(texts(doc->pages[0].textsOf("Section1")), QStringList({"12"}));
    }

    // A text wider than its box is cut at the box's right edge; one that
    // fits is drawn whole.
    void longTextCutAtItsBox()
    {
        ReportPage page;
        PlacedText cut;
        cut.text = QStringLiteral("Bánovce nad Bebravou Bánovce nad Bebravou");
        cut.rect = QRectF(0, 0, 1200, 300);
        cut.font = ReportFont::timesNewRoman(9);
        PlacedText whole = cut;
        whole.text = QStringLiteral("Psč");
        whole.rect = QRectF(0, 400, 1200, 300);
        page.texts = {cut, whole};
        QImage image(1600, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.scale(0.25, 0.25);
            ReportPainter::paintPage(page, painter);
        }
        const auto inked = [&](int x0, int x1, int y0, int y1) {
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        return true;
            return false;
        };
        QVERIFY(inked(0, 300, 0, 75));
        QVERIFY(!inked(301, 1600, 0, 75));
        QVERIFY(inked(0, 300, 100, 175));
    }

    void pdfHoldsTheTexts()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed");
        ReportDefinition r = listReport();
        RowSet rows({"meno"});
        rows.append({"Ľubica O'Ňeil"});
        rows.append({"Šťastný Žiak"});
        const std::optional<ReportDocument> doc = ReportLayout::layOut(r, rows, kToday);
        QVERIFY(doc);
        QTemporaryDir tmp;
        const QString pdf = tmp.filePath("skuska.pdf");
        QString error;
        QVERIFY2(ReportPainter::writePdf(*doc, pdf, &error), qPrintable(error));
        const QString text = pdfText(pdf);
        for (const QString &t : QStringList{"Skúška", "Hlavička", "Ľubica O'Ňeil", "Šťastný Žiak", "Päta", "Koniec"})
            QVERIFY2(text.contains(t), qPrintable(QString(t) + " not in:\n" + text));
        QVERIFY(text.indexOf("Ľubica") < text.indexOf("Šťastný"));

        // Landscape pages come out landscape.
        r.orientation = Orientation::Landscape;
        QVERIFY(ReportPainter::writePdf(*ReportLayout::layOut(r, rows, kToday), pdf));
        QProcess info;
        info.start(QStandardPaths::findExecutable("pdfinfo"), {pdf});
        info.waitForFinished(20000);
        const QString pages = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(pages.contains("842 x 595 pts"), qPrintable(pages));

        QVERIFY(!ReportPainter::writePdf(*doc, tmp.filePath("nie/je/tu.pdf"), &error));
        QCOMPARE(error, QString("súbor alebo adresár neexistuje"));
    }
};

QTEST_MAIN(ReportLayoutTest)
#include "ReportLayoutTest.moc"
