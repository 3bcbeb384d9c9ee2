#include "reports/ClientListReport.h"

namespace ulk::report {

ReportDefinition ClientListReport::create()
{
    ReportDefinition r(name());
    r.setDataMember(command());
    r.caption = QStringLiteral("Zoznam klientov ULK");
    // The body is 10541 twips wide: narrow side margins keep it on a portrait A4.
    r.margins = QMarginsF(680, 1134, 680, 1134);
    r.width = 10541;

    ReportSection &header = r.section(SectionKind::ReportHeader);
    header.height = 810;
    header.add(ReportControl::label(QStringLiteral("lblNadpis"), QStringLiteral("Zoznam klientov ULK :"), 0, 0, 2325,
                                    ReportFont::timesNewRoman(11.25, true, false, true)));
    header.add(ReportControl::label(QStringLiteral("lblDatum"), QStringLiteral("%d"), 9298, 57, 1440,
                                    ReportFont::arial(9, true)));

    struct Column {
        const char *heading;
        int headingLeft, headingWidth;
        const char *field;
        int fieldLeft, fieldWidth;
    };
    // Catalogue numbers, dates and birth numbers print whole, apart from
    // their neighbours: their columns are as wide as their widest values,
    // the date's heading included.
    const Column columns[] = {
        {"Meno", 0, 1185, "meno", 0, 1140},
        {"Priezvisko", 1247, 2155, "priezv", 1247, 2100},
        {"K.číslo", 3402, 700, "katcis", 3402, 600},
        {"Dat.narodenia", 4130, 1230, "datnar", 4130, 900},
        {"R.číslo", 5420, 795, "rodcis", 5370, 900},
        {"Ulica", 6330, 1494, "ulica", 6330, 1450},
        {"Mesto", 7824, 2220, "obec", 7823, 1995},
        {"Psč", 10091, 405, "psc", 10091, 450},
    };

    ReportSection &pageHeader = r.section(SectionKind::PageHeader);
    pageHeader.height = 465;
    ReportSection &detail = r.section(SectionKind::Detail);
    detail.height = 285;
    for (const Column &c : columns) {
        const QString field = QString::fromLatin1(c.field);
        pageHeader.add(ReportControl::label(QStringLiteral("lbl_") + field, QString::fromUtf8(c.heading),
                                            c.headingLeft, 0, c.headingWidth,
                                            ReportFont::timesNewRoman(9.75, true)));
        ReportControl &box = detail.add(ReportControl::textBox(QStringLiteral("txt_") + field, field, c.fieldLeft, 0,
                                                               c.fieldWidth, ReportFont::timesNewRoman(9)));
        if (field == QLatin1String("datnar"))
            box.format = DataFormat::Date;
    }
    pageHeader.add(ReportControl::line(QStringLiteral("linHlavicka"), 0, 283, 10488));

    r.section(SectionKind::PageFooter).height = 0;
    r.section(SectionKind::ReportFooter).height = 0;
    return r;
}

} // namespace ulk::report
