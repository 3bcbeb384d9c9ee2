#include "client/subrecords/DossierPrintPlan.h"
#include "reports/ClientListReport.h"
#include "reports/DopUkazReport.h"
#include "reports/DossierReports.h"
#include "reports/OdbStarReport.h"
#include "reports/ReportLayout.h"
#include "statement/OdbStarRowTable.h"
#include "support/reports/ReportFit.h"

#include <QRegularExpression>
#include <QTest>

using namespace ulk;
using namespace ulk::report;

namespace {

// What identifies prints whole: dates, birth and catalogue numbers, postal
// codes, years, hours, codes and counts, and every label.
const QRegularExpression kIdentifying(
    "^(datnar|datevi|vzar_od|vzar_do|datum|dat_budn|matnar|otenar|rodcis|katcis|psc|matpsc|otepsc|kon_psc|"
    "roknar|pohlavie|hod_od|hod_do|vlnevl[mo]|c_ria|s_\\d+|r_04\\d\\d|v_tom)$",
    QRegularExpression::CaseInsensitiveOption);

// The widest value a column holds; a free text longer than any box.
QVariant widest(const QString &field)
{
    const QString f = field.toLower();
    if (QRegularExpression("^(datnar|datevi|vzar_od|vzar_do|datum|dat_budn)$").match(f).hasMatch())
        return QStringLiteral("2026-12-29");
    const QHash<QString, QString> values = {
        {"matnar", "29.12.2026"}, {"otenar", "29.12.2026"}, {"rodcis", "2205071088"}, {"katcis", "999999"},
        {"roknar", "2026"},       {"pohlavie", "Ž"},        {"hod_od", "23"},         {"hod_do", "23"},
        {"vlnevlm", "nevlastná"}, {"vlnevlo", "nevlastný"}, {"c_ria", "0525"},        {"v_tom", "v tom"}};
    if (values.contains(f))
        return values.value(f);
    if (f.endsWith("psc"))
        return QStringLiteral("97101");
    if (QRegularExpression("^(s_\\d+|r_04\\d\\d)$").match(f).hasMatch())
        return QStringLiteral("33000");
    return QStringLiteral("Šťastná-Ďuríková Ľubomíra, Wolkerova 1234/56, Banská Štiavnica, základná škola "
                          "pre žiakov s vývinovými poruchami učenia");
}

// Two rows of the widest values for every column the report reads.
RowSet widestRows(const ReportDefinition &def)
{
    QStringList columns;
    for (SectionKind k : {SectionKind::ReportHeader, SectionKind::PageHeader, SectionKind::Detail,
                          SectionKind::PageFooter, SectionKind::ReportFooter})
        for (const ReportControl &c : def.section(k).controls())
            if (c.kind == ControlKind::TextBox && !c.dataField.isEmpty() && !columns.contains(c.dataField))
                columns << c.dataField;
    RowSet rows(columns);
    QVariantList values;
    for (const QString &c : columns)
        values << widest(c);
    rows.append(values);
    rows.append(values);
    return rows;
}

QStringList faultsOf(const ReportDefinition &def, const RowSet &rows)
{
    const std::optional<ReportDocument> doc = ReportLayout::layOut(def, rows, QDate(2026, 12, 29));
    if (!doc)
        return {def.name() + ": not laid out"};
    QStringList faults;
    for (const ReportPage &page : doc->pages)
        for (const QString &f : test::layoutFaults(page, [](const PlacedText &t) {
                 return t.field.isEmpty() || kIdentifying.match(t.field).hasMatch();
             }))
            faults << def.name() + ": " + f;
    // An upright frame line ends on a rule; else it is a loose piece.
    for (const ReportPage &page : doc->pages)
        for (const PlacedLine &v : page.lines) {
            if (v.line.x1() != v.line.x2())
                continue;
            for (double y : {v.line.y1(), v.line.y2()})
                if (std::none_of(page.lines.cbegin(), page.lines.cend(), [&](const PlacedLine &h) {
                        return h.line.y1() == h.line.y2() && std::abs(h.line.y1() - y) <= 1
                            && std::min(h.line.x1(), h.line.x2()) - 1 <= v.line.x1()
                            && v.line.x1() <= std::max(h.line.x1(), h.line.x2()) + 1;
                    }))
                    faults << def.name() + ": " + v.name + " ends loose";
        }
    return faults;
}

} // namespace

class ReportFitTest : public QObject {
    Q_OBJECT
private slots:
    // Every page laid out with the widest values: nothing that identifies
    // is cut, no text runs into another.
    void widestValuesFitTheirBoxes()
    {
        QStringList faults;
        ReportDefinition list = ClientListReport::create();
        faults << faultsOf(list, widestRows(list));
        for (int tab = 0; tab < 14; ++tab) {
            const std::optional<DossierTab> plan = DossierPrintPlan::tab(tab);
            QVERIFY(plan);
            std::optional<ReportDefinition> page = DossierReports::create(plan->report);
            QVERIFY(page);
            if (plan->landscape)
                page->orientation = Orientation::Landscape;
            page->setCaption("Section4", "lblMeno", QStringLiteral("Maximilián  Šťastný-Ďuríček"));
            if (!plan->memoColumn.isEmpty()) {
                page->setCaption("Section4", "lblNadpis", plan->title);
                page->setDataField("Section1", "txtPolozka", plan->memoColumn);
            }
            faults << faultsOf(*page, widestRows(*page));
        }
        ReportDefinition additional = DopUkazReport::create();
        faults << faultsOf(additional, widestRows(additional));
        // Section V prints the rows of its row table: their names and markers.
        ReportDefinition care = OdbStarReport::create();
        care.orientation = Orientation::Landscape;
        RowSet careRows = widestRows(care);
        RowSet named(careRows.columns());
        for (int r = 0; r < OdbStarRowTable::rows; ++r) {
            QVariantList values = careRows.row(0);
            values[careRows.columnIndex("v_tom")] = OdbStarRowTable::marker(r);
            values[careRows.columnIndex("naz_ria")] = OdbStarRowTable::name(r);
            values[careRows.columnIndex("c_ria")] = OdbStarRowTable::code(r);
            named.append(values);
        }
        faults << faultsOf(care, named);
        // Sections without rows print their heads alone.
        faults << faultsOf(care, RowSet(named.columns())) << faultsOf(additional, RowSet(widestRows(additional).columns()));
        faults.removeDuplicates();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
};

QTEST_MAIN(ReportFitTest)
#include "ReportFitTest.moc"
