#include "reports/EmployeeSectionReport.h"

#include "reports/StatementGrid.h"

namespace ulk::report {

ReportDefinition EmployeeSectionReport::create()
{
    ReportDefinition r(name());
    r.caption = QStringLiteral("Evidenčný počet zamestnancov");
    // Columns a, b and 1 to 6.
    const StatementGrid grid({4200, 800, 1300, 1300, 1300, 1300, 1300, 1300});
    grid.placeOnLandscape(r, 1134);
    const ReportFont head = ReportFont::arial(8);
    const ReportFont cell = ReportFont::arial(9);

    ReportSection &header = r.section(SectionKind::ReportHeader);
    header.height = 600;
    header.add(ReportControl::label(QStringLiteral("lblNadpis"),
                                    QStringLiteral("III. Evidenčný počet zamestnancov (fyzické osoby)"), 0, 0,
                                    grid.width(), ReportFont::arial(11, true)));

    ReportSection &heads = r.section(SectionKind::PageHeader);
    heads.height = 1060;
    grid.label(heads, QStringLiteral("lblInterni"), QStringLiteral("Interní"), 2, 4, 40, head);
    grid.label(heads, QStringLiteral("lblExterni"), QStringLiteral("Externí"), 5, 7, 40, head);
    grid.label(heads, QStringLiteral("lblIr"), QStringLiteral("I.r."), 1, 1, 340, head);
    for (int group = 0; group < 2; ++group) {
        const int c = 2 + 3 * group;
        const QString g = QString::number(group);
        grid.label(heads, QStringLiteral("lblSpolu") + g, QStringLiteral("spolu"), c, c, 340, head);
        grid.label(heads, QStringLiteral("lblZToho") + g, QStringLiteral("z toho"), c + 1, c + 1, 340, head);
        grid.label(heads, QStringLiteral("lblZeny") + g, QStringLiteral("ženy"), c + 1, c + 1, 560, head);
        grid.label(heads, QStringLiteral("lblSPozadov") + g, QStringLiteral("s požadov."), c + 2, c + 2, 340, head);
        grid.label(heads, QStringLiteral("lblKvalifik") + g, QStringLiteral("kvalifik."), c + 2, c + 2, 560, head);
    }
    grid.columnMarks(heads, 0, 840, head);
    grid.across(heads, QStringLiteral("linHore"), 0, 7, 0);
    grid.across(heads, QStringLiteral("linSkupiny"), 2, 7, 300);
    grid.across(heads, QStringLiteral("linCisla"), 0, 7, 800);
    // Inside each group the columns are divided below the group's name.
    grid.downAll(heads, QStringLiteral("linZvislo"), 0, 1060, {3, 4, 6, 7});
    for (int e : {3, 4, 6, 7})
        grid.down(heads, QStringLiteral("linZvislo%1").arg(e), e, 300, 760);

    ReportSection &detail = r.section(SectionKind::Detail);
    detail.height = 300;
    grid.field(detail, QStringLiteral("txtFcia"), QStringLiteral("fcia"), 0, 40, cell, Alignment::Left);
    grid.field(detail, QStringLiteral("txtCria"), QStringLiteral("cria"), 1, 40, cell);
    const char *fields[] = {"i_spolu", "i_zeny", "i_kval", "e_spolu", "e_zeny", "e_kval"};
    for (int k = 0; k < 6; ++k) {
        const QString f = QString::fromLatin1(fields[k]);
        grid.field(detail, QStringLiteral("txt_") + f, f, 2 + k, 40, cell);
    }
    grid.across(detail, QStringLiteral("linRiadok"), 0, 7, 0);
    grid.downAll(detail, QStringLiteral("linZvislo"), 0, 300);

    r.section(SectionKind::PageFooter).height = 0;
    ReportSection &footer = r.section(SectionKind::ReportFooter);
    footer.height = 100;
    grid.across(footer, QStringLiteral("linDole"), 0, 7, 0);
    return r;
}

} // namespace ulk::report
