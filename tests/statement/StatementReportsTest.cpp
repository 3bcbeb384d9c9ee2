#include "reports/AgeSectionReport.h"
#include "reports/EducationSectionReport.h"
#include "reports/EmployeeSectionReport.h"
#include "reports/ReportLayout.h"
#include "statement/AgeSection.h"
#include "statement/EducationSection.h"
#include "statement/EmployeeSection.h"
#include "statement/WorkTable.h"
#include "StatementFixtures.h"
#include "support/reports/ReportFit.h"

#include <QFontMetricsF>
#include <QTest>

using namespace ulk;
using report::PlacedText;
using report::ReportDocument;
using statement::WorkTable;
using test::texts;

namespace {

// Full rows of a work table: the fixed texts and wide counts in every cell.
RowSet rowsOf(const WorkTable &table, const QList<QStringList> &fixed, const QString &count)
{
    RowSet rows(table.columns());
    for (QStringList line : fixed) {
        while (line.size() < table.columns().size())
            line << count;
        QVariantList values;
        for (const QString &v : line)
            values << v;
        rows.append(values);
    }
    return rows;
}

RowSet ageRows(const QString &count)
{
    QList<QStringList> fixed;
    for (int a = 0; a < statement::AgeSection::kLines; ++a) {
        const auto &l = statement::AgeSection::line(a);
        fixed << QStringList{QString::fromUtf8(l.stlpec), QString::fromUtf8(l.vek), QString::fromUtf8(l.cRiad)};
    }
    return rowsOf(WorkTable::ages(), fixed, count);
}

RowSet educationRows(const QString &count)
{
    QList<QStringList> fixed;
    for (int i = 0; i < statement::EducationSection::kRows; ++i) {
        const auto &r = statement::EducationSection::row(i);
        fixed << QStringList{QString::fromUtf8(r.stlpec1), QString::fromUtf8(r.stlpec2),
                             QStringLiteral("v prípravnom ročníku špeciálnej základnej školy"), QStringLiteral("07"),
                             QString::fromUtf8(r.cRiad)};
    }
    return rowsOf(WorkTable::education(), fixed, count);
}

RowSet employeeRows(const QString &count)
{
    QList<QStringList> fixed;
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 0}) {
        const auto &l = statement::EmployeeSection::line(n);
        fixed << QStringList{QString::fromUtf8(l.fcia), QString::fromUtf8(l.cria)};
    }
    return rowsOf(WorkTable::employees(), fixed, count);
}

ReportDocument layOut(const report::ReportDefinition &def, const RowSet &rows)
{
    QString error;
    const auto doc = report::ReportLayout::layOut(def, rows, QDate(2007, 3, 5), &error);
    if (!doc)
        qWarning("%s", qPrintable(error));
    return doc.value_or(ReportDocument());
}

} // namespace

class StatementReportsTest : public QObject {
    Q_OBJECT

    // Every text is whole within its box, every box and line on the page's body.
    static void checkFits(const ReportDocument &doc, const report::ReportDefinition &def)
    {
        QCOMPARE(doc.orientation, report::Orientation::Landscape);
        QCOMPARE(doc.pageCount(), 1);
        const QRectF body(def.margins.left(), def.margins.top(),
                          doc.pageSize.width() - def.margins.left() - def.margins.right(),
                          doc.pageSize.height() - def.margins.top() - def.margins.bottom());
        QVERIFY(body.width() >= def.width);
        // Every text of a statement identifies: none is cut or meets another.
        const QStringList faults = test::layoutFaults(doc.pages[0], [](const PlacedText &) { return true; });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        for (const PlacedText &t : doc.pages[0].texts)
            QVERIFY2(body.contains(t.rect), qPrintable(t.name));
        for (const report::PlacedLine &l : doc.pages[0].lines) {
            QVERIFY2(body.adjusted(-1, -1, 1, 1).contains(l.line.p1()), qPrintable(l.name));
            QVERIFY2(body.adjusted(-1, -1, 1, 1).contains(l.line.p2()), qPrintable(l.name));
        }
    }

private slots:
    void ageSectionFitsItsPage()
    {
        report::ReportDefinition def = report::AgeSectionReport::create();
        for (const auto &[column, label] : report::AgeSectionReport::totalLabels())
            QVERIFY(def.setCaption("section5", label, "33000"));
        const ReportDocument doc = layOut(def, ageRows("33000"));
        checkFits(doc, def);
        const auto &page = doc.pages[0];
        QCOMPARE(test::detailRows(page).size(), 19);
        QCOMPARE(test::detailRows(page)[18].mid(0, 5), QStringList({" ", " 18 a viac", "0119", "33000", "33000"}));
    }

    void ageSectionTexts()
    {
        const report::ReportDefinition def = report::AgeSectionReport::create();
        const ReportDocument doc = layOut(def, ageRows(""));
        const auto &page = doc.pages[0];
        QCOMPARE(doc.reportName, QString("rptVek"));
        QCOMPARE(texts(page.textsOf("Section4")),
                 QStringList({"Ministerstvo školstva SR", "Registrované ŠÚ SR", "č. Vk. 622/06 z 11. 11. 2005",
                              "V rámci Programu štátnych štatistických", "zisťovaní schváleného na roky 2006-2008",
                              "Ochranu dôverných údajov upravuje", "zákon č. 540/2001 Z.z. o štátnej štatistike",
                              "Za ochranu dôverných údajov", "zodpovedá MŠ SR.", "Riaditeľstvo zariadenia odošle",
                              "výkaz do 20.9.2006", "  2x príslušnému KŠÚ", "Škol (MŠ SR) 5 - 01", "Rok", "Mes", "iac",
                              "2", "0", "0", "7", "0", "9", "Výkaz", "o špeciálnopedagogickej poradni a",
                              "detskom integračnom centre", "za školský rok 2006/2007", "Identifikačné",
                              "číslo organizácie", "Územie", "Druh", "zariad.", "Prevá-", "dzkar", "Názov", "Miesto",
                              "Ulica", "PSČ", "č.p.",
                              "I. Počet klientov evidovaných v poradenskom zariadení podľa veku"}));
        QCOMPARE(test::textOf(page, "Section4", "Label105"), QString("za školský rok 2006/2007"));
        const QStringList heads = texts(page.textsOf("Section2"));
        for (const char *h : {"v tom postihnutie (zo stľpca 1)", "I.r.", "Spolu", "z toho", "dievčatá", "syndróm",
                              "autizmu", "mentálne", "sluchové", "zrakové", "rečové", "telesné", "viacnásobné",
                              "vývojové poruchy", "správania", "učenia", "iné", "spolu", "a", "b", "1", "22"})
            QVERIFY2(heads.contains(QString::fromUtf8(h)), h);
        QCOMPARE(heads.count("spolu"), 10);
        QCOMPARE(heads.count("dievčatá"), 11);
        QCOMPARE(heads.count("vývojové poruchy"), 1);
        // Column heads left to right over the columns they name.
        auto leftOf = [&](const QString &field) { return page.textsOfField(field).first().rect.left(); };
        auto headLeft = [&](const QString &name) { return page.textsOf("Section2", name).first().rect.left(); };
        QCOMPARE(headLeft("lblStlpec3"), leftOf("spolu"));
        QCOMPARE(headLeft("lblStlpec4"), leftOf("spolu_zeny"));
        QCOMPARE(headLeft("lblSpoluAutiz"), leftOf("p_autiz"));
        QCOMPARE(headLeft("lblDievcataIne"), leftOf("p_ine_z"));
        QCOMPARE(headLeft("lblSpoluZrak"), leftOf("p_zrak"));
        QVERIFY(leftOf("p_autiz") < leftOf("p_menta") && leftOf("p_menta") < leftOf("p_sluch")
                && leftOf("p_sluch") < leftOf("p_zrak") && leftOf("p_zrak") < leftOf("p_rec")
                && leftOf("p_rec") < leftOf("p_teles") && leftOf("p_teles") < leftOf("p_viacn")
                && leftOf("p_viacn") < leftOf("p_vpsp") && leftOf("p_vpsp") < leftOf("p_vpuc")
                && leftOf("p_vpuc") < leftOf("p_ine"));
        QCOMPARE(texts(page.textsOf("Section5")).mid(0, 2), QStringList({"Spolu (0101 až  0119)", "0126"}));
        QCOMPARE(page.textsOf("Section5", "Label89").first().rect.left(), leftOf("p_ine"));
        QCOMPARE(page.textsOf("Section5", "Label88").first().rect.left(), leftOf("p_ine_z"));
        QCOMPARE(page.textsOf("Section5", "Label68").first().rect.left(), leftOf("spolu"));
    }

    void educationSectionFitsItsPage()
    {
        report::ReportDefinition def = report::EducationSectionReport::create();
        for (const auto &[column, label] : report::EducationSectionReport::totalLabels())
            QVERIFY(def.setCaption("section5", label, "33000"));
        const ReportDocument doc = layOut(def, educationRows("33000"));
        checkFits(doc, def);
        const auto &page = doc.pages[0];
        QCOMPARE(test::detailRows(page).size(), 16);
        // A long kind takes two lines within its row.
        QCOMPARE(page.textsOfField("kod_txt").size(), 32);
        const QStringList first = test::detailRows(page)[0];
        QCOMPARE(first.mid(0, 2), QStringList({" ", "v pred-"}));
        QCOMPARE(first[2] + " " + first[3], QString("v prípravnom ročníku špeciálnej základnej školy"));
        QCOMPARE(first.mid(4, 2), QStringList({"0201", "33000"}));
        QCOMPARE(doc.pageCount(), 1);
    }

    void educationSectionTexts()
    {
        const report::ReportDefinition def = report::EducationSectionReport::create();
        const ReportDocument doc = layOut(def, educationRows("  x"));
        const auto &page = doc.pages[0];
        QCOMPARE(doc.reportName, QString("rptVzd"));
        QCOMPARE(texts(page.textsOf("Section4")),
                 QStringList({"II. Počet klientov evidovaných v poradenskom zariadení podľa spôsobu vzdelávania"}));
        const QStringList heads = texts(page.textsOf("Section2"));
        for (const char *h : {"v tom postihnutie (zo stĺpca 1)", "I.r.", "Spolu", "z toho", "dievčatá", "syndróm",
                              "autizmu", "mentálne", "sluchové", "zrakové", "rečové", "telesné", "viacná-", "sobné",
                              "vývojové poruchy", "správania", "učenia", "iné", "spolu", "dievč.", "a", "b", "1", "22"})
            QVERIFY2(heads.contains(QString::fromUtf8(h)), h);
        QCOMPARE(heads.count("vývojové poruchy"), 2);
        QCOMPARE(heads.count("dievč."), 10);
        const QStringList footer = texts(page.textsOf("Section5"));
        QCOMPARE(footer.mid(0, 2), QStringList({"Spolu (0201 až 0216 )", "0226"}));
        for (const char *s : {"Odoslané dňa", "Pečiatka", "Podpis vedúceho", "spravodajskej jednotky",
                              "Výkaz zostavil", "Telefón", "Klapka", "E-mail"})
            QVERIFY2(footer.contains(QString::fromUtf8(s)), s);
        auto leftOf = [&](const QString &field) { return page.textsOfField(field).first().rect.left(); };
        QCOMPARE(page.textsOf("Section5", "Label66").first().rect.left(), leftOf("spolu"));
        QCOMPARE(page.textsOf("Section5", "Label80").first().rect.left(), leftOf("p_viacn"));
        QCOMPARE(page.textsOf("Section5", "Label87").first().rect.left(), leftOf("p_ine_z"));
        QVERIFY(leftOf("stlpec_1") < leftOf("stlpec_2") && leftOf("stlpec_2") < leftOf("kod_txt")
                && leftOf("kod_txt") < leftOf("c_riad") && leftOf("c_riad") < leftOf("spolu"));
    }

    void employeeSectionFitsItsPage()
    {
        const report::ReportDefinition def = report::EmployeeSectionReport::create();
        const ReportDocument doc = layOut(def, employeeRows("33000"));
        checkFits(doc, def);
        const auto &page = doc.pages[0];
        QCOMPARE(doc.reportName, QString("rptZam"));
        QCOMPARE(texts(page.textsOf("Section4")), QStringList({"III. Evidenčný počet zamestnancov (fyzické osoby)"}));
        QCOMPARE(texts(page.textsOf("Section2")),
                 QStringList({"Interní", "Externí", "I.r.", "spolu", "z toho", "ženy", "s požadov.", "kvalifik.",
                              "spolu", "z toho", "ženy", "s požadov.", "kvalifik.", "a", "b", "1", "2", "3", "4", "5",
                              "6"}));
        const auto rows = test::detailRows(page);
        QCOMPARE(rows.size(), 9);
        QCOMPARE(rows[8], QStringList({"Spolu (0301 až 0308)", "0316", "33000", "33000", "33000", "33000", "33000",
                                       "33000"}));
        QStringList fields;
        for (const PlacedText &t : page.textsOf("Section1"))
            if (t.row == 0)
                fields << t.field;
        QCOMPARE(fields, QStringList({"fcia", "cria", "i_spolu", "i_zeny", "i_kval", "e_spolu", "e_zeny", "e_kval"}));
    }
};

QTEST_MAIN(StatementReportsTest)
#include "StatementReportsTest.moc"
