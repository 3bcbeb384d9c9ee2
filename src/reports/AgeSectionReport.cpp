#include "reports/AgeSectionReport.h"

#include "reports/StatementGrid.h"

namespace ulk::report {

namespace {

// The count columns left to right, with their footer labels.
const std::pair<const char *, const char *> kCounts[] = {
    {"spolu", "Label68"},    {"spolu_zeny", "Label69"}, {"p_autiz", "Label70"},   {"p_autiz_z", "Label71"},
    {"p_menta", "Label72"},  {"p_menta_z", "Label73"},  {"p_sluch", "Label74"},   {"p_sluch_z", "Label75"},
    {"p_zrak", "Label76"},   {"p_zrak_z", "Label77"},   {"p_rec", "Label78"},     {"p_rec_z", "Label79"},
    {"p_teles", "Label80"},  {"p_teles_z", "Label81"},  {"p_viacn", "Label82"},   {"p_viacn_z", "Label83"},
    {"p_vpsp", "Label84"},   {"p_vpsp_z", "Label85"},   {"p_vpuc", "Label86"},    {"p_vpuc_z", "Label87"},
    {"p_ine", "Label89"},    {"p_ine_z", "Label88"},
};

// Columns: caption strip, band, line code, 1 and 2, then the ten pairs.
constexpr int kFirstPair = 5;

StatementGrid makeGrid()
{
    QList<int> widths{700, 950, 560, 620, 620};
    for (int k = 0; k < 20; ++k)
        widths << 600;
    return StatementGrid(widths);
}

void headingBlock(ReportSection &h, int width)
{
    const ReportFont small = ReportFont::arial(7);
    const ReportFont smallBold = ReportFont::arial(7, true);
    auto text = [&h](const char *name, const char *caption, int left, int top, int w, const ReportFont &f,
                     Alignment a = Alignment::Left) {
        ReportControl &c = h.add(ReportControl::label(QString::fromLatin1(name), QString::fromUtf8(caption), left,
                                                      top, w, f));
        c.alignment = a;
        return &c;
    };
    auto across = [&h](const char *name, int left, int top, int length) {
        h.add(ReportControl::line(QString::fromLatin1(name), left, top, length));
    };
    auto down = [&h](const char *name, int left, int top, int height) {
        h.add(ReportControl::upright(QString::fromLatin1(name), left, top, height));
    };

    // Who registered the statement and who protects its data: the ministry
    // in bold, then the notes in three columns.
    text("lblMinisterstvo", "Ministerstvo školstva SR", 0, 0, 3800, smallBold);
    struct Note {
        const char *name;
        const char *caption;
        int left;
        int top;
        int width;
    };
    const Note notes[] = {
        {"lblRegistrovane", "Registrované ŠÚ SR", 0, 200, 3800},
        {"lblCisloVk", "č. Vk. 622/06 z 11. 11. 2005", 0, 400, 3800},
        {"lblProgram1", "V rámci Programu štátnych štatistických", 0, 600, 3800},
        {"lblProgram2", "zisťovaní schváleného na roky 2006-2008", 0, 800, 3800},
        {"lblOchrana1", "Ochranu dôverných údajov upravuje", 4000, 0, 3700},
        {"lblOchrana2", "zákon č. 540/2001 Z.z. o štátnej štatistike", 4000, 200, 3700},
        {"lblOchrana3", "Za ochranu dôverných údajov", 4000, 500, 3700},
        {"lblOchrana4", "zodpovedá MŠ SR.", 4000, 700, 3700},
        {"lblOdosle1", "Riaditeľstvo zariadenia odošle", 7900, 0, 3000},
        {"lblOdosle2", "výkaz do 20.9.2006", 7900, 200, 3000},
        {"lblOdosle3", "  2x príslušnému KŠÚ", 7900, 400, 3000},
    };
    for (const Note &n : notes)
        text(n.name, n.caption, n.left, n.top, n.width, small);

    // The form mark and the boxes of year and month.
    const int right = width - 3400;
    text("lblSkol", "Škol (MŠ SR) 5 - 01", right, 0, 3400, ReportFont::arial(10, true), Alignment::Center);
    text("lblRok", "Rok", right, 420, 1300, small, Alignment::Center);
    text("lblMes", "Mes", right + 2000, 340, 1000, small, Alignment::Center);
    text("lblIac", "iac", right + 2000, 500, 1000, small, Alignment::Center);
    const char *digits[] = {"2", "0", "0", "7", "0", "9"};
    const char *digitNames[] = {"lblRok1", "lblRok2", "lblRok3", "lblRok4", "lblMes1", "lblMes2"};
    for (int k = 0; k < 6; ++k) {
        const int left = k < 4 ? right + 325 * k : right + 2000 + 500 * (k - 4);
        const int w = k < 4 ? 325 : 500;
        text(digitNames[k], digits[k], left, 760, w, ReportFont::arial(9), Alignment::Center);
    }
    across("linRokHore", right, 700, 1300);
    across("linRokDole", right, 1020, 1300);
    across("linMesHore", right + 2000, 700, 1000);
    across("linMesDole", right + 2000, 1020, 1000);
    const char *boxEdges[] = {"linRok0", "linRok1", "linRok2", "linRok3", "linRok4"};
    for (int k = 0; k < 5; ++k)
        down(boxEdges[k], right + 325 * k, 700, 320);
    down("linMes0", right + 2000, 700, 320);
    down("linMes1", right + 2500, 700, 320);
    down("linMes2", right + 3000, 700, 320);

    // The name of the statement.
    const int middle = 3800;
    const int middleWidth = width - 2 * middle;
    text("lblVykaz", "Výkaz", middle, 1150, middleWidth, ReportFont::arial(14, true), Alignment::Center);
    text("lblVykaz2", "o špeciálnopedagogickej poradni a", middle, 1520, middleWidth, ReportFont::arial(10, true),
         Alignment::Center);
    text("lblVykaz3", "detskom integračnom centre", middle, 1760, middleWidth, ReportFont::arial(10, true),
         Alignment::Center);
    text("Label105", "za školský rok 2006/2007", middle, 2000, middleWidth, ReportFont::arial(10, true),
         Alignment::Center);

    // The boxes that identify the centre.
    struct Box {
        const char *name1;
        const char *caption1;
        const char *name2;
        const char *caption2;
        int width;
    };
    const Box boxes[] = {
        {"lblIdent1", "Identifikačné", "lblIdent2", "číslo organizácie", 2000},
        {"lblUzemie", "Územie", nullptr, nullptr, 900},
        {"lblDruh1", "Druh", "lblDruh2", "zariad.", 800},
        {"lblPrevadzkar1", "Prevá-", "lblPrevadzkar2", "dzkar", 800},
        {"lblNazov", "Názov", nullptr, nullptr, 0},
        {"lblMiesto", "Miesto", nullptr, nullptr, 2500},
        {"lblUlica", "Ulica", nullptr, nullptr, 2000},
        {"lblPsc", "PSČ", nullptr, nullptr, 800},
        {"lblCp", "č.p.", nullptr, nullptr, 800},
    };
    int fixed = 0;
    for (const Box &b : boxes)
        fixed += b.width;
    const int top = 2400;
    int left = 0;
    const char *edgeNames[] = {"linBox0", "linBox1", "linBox2", "linBox3", "linBox4",
                               "linBox5", "linBox6", "linBox7", "linBox8"};
    int k = 0;
    for (const Box &b : boxes) {
        const int w = b.width > 0 ? b.width : width - fixed;
        text(b.name1, b.caption1, left + 30, top + 30, w - 60, small);
        if (b.name2)
            text(b.name2, b.caption2, left + 30, top + 210, w - 60, small);
        down(edgeNames[k++], left, top, 800);
        left += w;
    }
    down("linBox9", width, top, 800);
    across("linBoxHore", 0, top, width);
    across("linBoxDole", 0, top + 800, width);

    text("lblNadpis", "I. Počet klientov evidovaných v poradenskom zariadení podľa veku", 0, 3400, width,
         ReportFont::arial(10, true));
}

} // namespace

const QList<std::pair<QString, QString>> &AgeSectionReport::totalLabels()
{
    static const QList<std::pair<QString, QString>> labels = StatementGrid::namePairs(kCounts);
    return labels;
}

ReportDefinition AgeSectionReport::create()
{
    ReportDefinition r(name());
    r.caption = QStringLiteral("Zostava klientov zoradena podľa veku");
    const StatementGrid grid = makeGrid();
    grid.placeOnLandscape(r, 567);
    const ReportFont head = ReportFont::arial(7);
    const ReportFont cell = ReportFont::arial(8);
    const int last = grid.columns() - 1;

    ReportSection &header = r.section(SectionKind::ReportHeader);
    header.height = 3750;
    headingBlock(header, grid.width());

    ReportSection &heads = r.section(SectionKind::PageHeader);
    heads.height = 1160;
    grid.label(heads, QStringLiteral("lblVtom"), QStringLiteral("v tom postihnutie (zo stľpca 1)"), kFirstPair, last,
               40, head);
    grid.codeHeads(heads, 2, head);
    struct Pair {
        const char *name;
        const char *line1;
        const char *line2;
    };
    const Pair pairs[] = {
        {"Autiz", "syndróm", "autizmu"}, {"Menta", "mentálne", nullptr}, {"Sluch", "sluchové", nullptr},
        {"Zrak", "zrakové", nullptr},    {"Rec", "rečové", nullptr},     {"Teles", "telesné", nullptr},
        {"Viacn", "viacnásobné", nullptr}, {"Vpsp", nullptr, "správania"}, {"Vpuc", nullptr, "učenia"},
        {"Ine", "iné", nullptr},
    };
    for (int k = 0; k < 10; ++k) {
        const int c = kFirstPair + 2 * k;
        const QString n = QString::fromLatin1(pairs[k].name);
        if (pairs[k].line1)
            grid.label(heads, QStringLiteral("lbl") + n, QString::fromUtf8(pairs[k].line1), c, c + 1, 290, head);
        if (pairs[k].line2)
            grid.label(heads, QStringLiteral("lbl") + n + QStringLiteral("2"), QString::fromUtf8(pairs[k].line2), c,
                       c + 1, 470, head);
        grid.label(heads, QStringLiteral("lblSpolu") + n, QStringLiteral("spolu"), c, c, 700, head);
        grid.label(heads, QStringLiteral("lblDievcata") + n, QStringLiteral("dievčatá"), c + 1, c + 1, 700, head);
    }
    // The two developmental disorders share their head.
    const int vpsp = kFirstPair + 14;
    grid.label(heads, QStringLiteral("lblVyvojove"), QStringLiteral("vývojové poruchy"), vpsp, vpsp + 3, 270, head);
    grid.columnMarks(heads, 1, 930, head);
    grid.across(heads, QStringLiteral("linHore"), 0, last, 0);
    grid.across(heads, QStringLiteral("linVtom"), kFirstPair, last, 260);
    grid.across(heads, QStringLiteral("linVyvojove"), vpsp, vpsp + 3, 450);
    grid.across(heads, QStringLiteral("linSpolu"), kFirstPair, last, 680);
    grid.across(heads, QStringLiteral("linCisla"), 1, last, 910);
    QList<int> inner;
    for (int e = kFirstPair + 1; e <= last; ++e)
        inner << e;
    grid.downAll(heads, QStringLiteral("linZvislo"), 0, 1160, inner);
    for (int e : inner) {
        const int top = e % 2 == 0 ? 680 : e == vpsp + 2 ? 450 : 260;
        grid.down(heads, QStringLiteral("linZvislo%1").arg(e), e, top, 1160 - top);
    }

    ReportSection &detail = r.section(SectionKind::Detail);
    detail.height = 240;
    grid.field(detail, QStringLiteral("txtStlpec"), QStringLiteral("stlpec"), 0, 20, cell, Alignment::Left);
    grid.field(detail, QStringLiteral("txtVek"), QStringLiteral("vek"), 1, 20, cell, Alignment::Left);
    grid.field(detail, QStringLiteral("txtCRiad"), QStringLiteral("c_riad"), 2, 20, cell);
    grid.countFields(detail, totalLabels(), 3, 20, cell);
    grid.across(detail, QStringLiteral("linRiadok"), 1, last, 0);
    grid.downAll(detail, QStringLiteral("linZvislo"), 0, 240);

    r.section(SectionKind::PageFooter).height = 0;
    ReportSection &footer = r.section(SectionKind::ReportFooter);
    footer.height = 300;
    grid.totalLine(footer, QStringLiteral("Spolu (0101 až  0119)"), QStringLiteral("0126"), 2, totalLabels(), cell);
    return r;
}

} // namespace ulk::report
