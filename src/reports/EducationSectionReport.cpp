#include "reports/EducationSectionReport.h"

#include "reports/StatementGrid.h"

namespace ulk::report {

namespace {

// The count columns left to right, with their footer labels.
const std::pair<const char *, const char *> kCounts[] = {
    {"spolu", "Label66"},    {"spolu_zeny", "Label67"}, {"p_autiz", "Label68"},   {"p_autiz_z", "Label69"},
    {"p_menta", "Label70"},  {"p_menta_z", "Label71"},  {"p_sluch", "Label72"},   {"p_sluch_z", "Label73"},
    {"p_zrak", "Label74"},   {"p_zrak_z", "Label75"},   {"p_rec", "Label76"},     {"p_rec_z", "Label77"},
    {"p_teles", "Label78"},  {"p_teles_z", "Label79"},  {"p_viacn", "Label80"},   {"p_viacn_z", "Label81"},
    {"p_vpsp", "Label82"},   {"p_vpsp_z", "Label83"},   {"p_vpuc", "Label84"},    {"p_vpuc_z", "Label85"},
    {"p_ine", "Label86"},    {"p_ine_z", "Label87"},
};

// Columns: the two caption strips, the kind, the row code, 1 and 2, then the ten pairs.
constexpr int kFirstPair = 6;
constexpr int kRowHeight = 400;

StatementGrid makeGrid()
{
    QList<int> widths{560, 640, 2700, 520, 560, 620};
    for (int k = 0; k < 20; ++k)
        widths << 500;
    return StatementGrid(widths);
}

void signatureBlock(ReportSection &f, int top, int width)
{
    const ReportFont font = ReportFont::arial(8);
    struct Place {
        const char *name;
        const char *caption;
        int from;  // in hundredths of the width
        int to;
    };
    // Each text under the dotted line on which it is filled in.
    const Place places[] = {
        {"Odoslane", "Odoslané dňa", 0, 13},  {"Peciatka", "Pečiatka", 15, 28},   {"Podpis", "Podpis vedúceho", 30, 48},
        {"Zostavil", "Výkaz zostavil", 50, 66}, {"Telefon", "Telefón", 68, 79}, {"Klapka", "Klapka", 81, 87},
        {"Email", "E-mail", 89, 100},
    };
    for (const Place &p : places) {
        const int left = width * p.from / 100;
        const int w = width * p.to / 100 - left;
        const QString n = QString::fromLatin1(p.name);
        f.add(ReportControl::label(QStringLiteral("lbl") + n, QString::fromUtf8(p.caption), left, top + 400, w, font));
        f.add(ReportControl::line(QStringLiteral("lin") + n, left, top + 360, w, LineStyle::Dot));
    }
    f.add(ReportControl::label(QStringLiteral("lblPodpis2"), QStringLiteral("spravodajskej jednotky"), width * 30 / 100,
                               top + 600, width * 18 / 100, font));
}

} // namespace

const QList<std::pair<QString, QString>> &EducationSectionReport::totalLabels()
{
    static const QList<std::pair<QString, QString>> labels = StatementGrid::namePairs(kCounts);
    return labels;
}

ReportDefinition EducationSectionReport::create()
{
    ReportDefinition r(name());
    r.caption = QStringLiteral("Zostava klientov zoradená podľa spôsobu vzdelávania");
    const StatementGrid grid = makeGrid();
    grid.placeOnLandscape(r, 567);
    const ReportFont head = ReportFont::arial(7);
    const ReportFont cell = ReportFont::arial(7.5);
    const int last = grid.columns() - 1;

    ReportSection &header = r.section(SectionKind::ReportHeader);
    header.height = 600;
    header.add(ReportControl::label(
        QStringLiteral("lblNadpis"),
        QStringLiteral("II. Počet klientov evidovaných v poradenskom zariadení podľa spôsobu vzdelávania"), 0, 0,
        grid.width(), ReportFont::arial(10, true)));

    ReportSection &heads = r.section(SectionKind::PageHeader);
    heads.height = 1160;
    grid.label(heads, QStringLiteral("lblVtom"), QStringLiteral("v tom postihnutie (zo stĺpca 1)"), kFirstPair, last,
               40, head);
    grid.codeHeads(heads, 3, head);
    struct Pair {
        const char *name;
        const char *line1;
        const char *line2;
    };
    const Pair pairs[] = {
        {"Autiz", "syndróm", "autizmu"},          {"Menta", "mentálne", nullptr},
        {"Sluch", "sluchové", nullptr},           {"Zrak", "zrakové", nullptr},
        {"Rec", "rečové", nullptr},               {"Teles", "telesné", nullptr},
        {"Viacn", "viacná-", "sobné"},            {"Vpsp", "vývojové poruchy", "správania"},
        {"Vpuc", "vývojové poruchy", "učenia"},   {"Ine", "iné", nullptr},
    };
    for (int k = 0; k < 10; ++k) {
        const int c = kFirstPair + 2 * k;
        const QString n = QString::fromLatin1(pairs[k].name);
        // The head of the developmental disorders takes a smaller letter to fit its pair.
        const bool developmental = k == 7 || k == 8;
        grid.label(heads, QStringLiteral("lbl") + n, QString::fromUtf8(pairs[k].line1), c, c + 1, 290,
                   developmental ? ReportFont::arial(6) : head);
        if (pairs[k].line2)
            grid.label(heads, QStringLiteral("lbl") + n + QStringLiteral("2"), QString::fromUtf8(pairs[k].line2), c,
                       c + 1, 470, head);
        grid.label(heads, QStringLiteral("lblSpolu") + n, QStringLiteral("spolu"), c, c, 700, head);
        grid.label(heads, QStringLiteral("lblDievc") + n, QStringLiteral("dievč."), c + 1, c + 1, 700, head);
    }
    grid.columnMarks(heads, 2, 930, head);
    grid.across(heads, QStringLiteral("linHore"), 0, last, 0);
    grid.across(heads, QStringLiteral("linVtom"), kFirstPair, last, 260);
    grid.across(heads, QStringLiteral("linSpolu"), kFirstPair, last, 680);
    grid.across(heads, QStringLiteral("linCisla"), 2, last, 910);
    QList<int> inner{1};
    for (int e = kFirstPair + 1; e <= last; ++e)
        inner << e;
    grid.downAll(heads, QStringLiteral("linZvislo"), 0, 1160, inner);
    for (int e : inner) {
        if (e == 1)
            continue;
        const int top = e % 2 == 1 ? 680 : 260;
        grid.down(heads, QStringLiteral("linZvislo%1").arg(e), e, top, 1160 - top);
    }

    ReportSection &detail = r.section(SectionKind::Detail);
    detail.height = kRowHeight;
    grid.field(detail, QStringLiteral("txtStlpec1"), QStringLiteral("stlpec_1"), 0, 20, cell, Alignment::Left);
    grid.field(detail, QStringLiteral("txtStlpec2"), QStringLiteral("stlpec_2"), 1, 20, cell, Alignment::Left);
    ReportControl &kind =
        grid.field(detail, QStringLiteral("txtKodTxt"), QStringLiteral("kod_txt"), 2, 20, head, Alignment::Left);
    // A long name of a kind takes a second line within the row.
    kind.canGrow = true;
    kind.height = kRowHeight - 40;
    grid.field(detail, QStringLiteral("txtCRiad"), QStringLiteral("c_riad"), 3, 20, cell);
    grid.countFields(detail, totalLabels(), 4, 20, cell);
    grid.across(detail, QStringLiteral("linRiadok"), 2, last, 0);
    grid.downAll(detail, QStringLiteral("linZvislo"), 0, kRowHeight, {1});

    r.section(SectionKind::PageFooter).height = 0;
    ReportSection &footer = r.section(SectionKind::ReportFooter);
    footer.height = 1300;
    grid.totalLine(footer, QStringLiteral("Spolu (0201 až 0216 )"), QStringLiteral("0226"), 3, totalLabels(), cell);
    signatureBlock(footer, 270, grid.width());
    return r;
}

} // namespace ulk::report
