#include "reports/DossierReports.h"

#include <QHash>
#include <memory>
#include <span>

namespace ulk::report {

namespace {

// What a control of a page header or a detail is.
enum class Kind {
    Label,        // bold 9-pt Times New Roman
    PlainLabel,   // the report's default font
    Field,        // 9-pt Times New Roman, one line
    DateField,    // the same, a date printed dd.mm.yyyy
    GrowField,    // 9-pt Times New Roman, grows downward
    PlainGrow,    // the report's default font, grows downward
    Line,         // a solid line
    DotLine,      // a dotted line (border style 3)
};

struct Item {
    Kind kind;
    const char *text; // caption of a label, column of a field
    int left, top, width;
    int height = 0;   // 0: one text line of the font
};

// The report header and the sizes of one report.
struct Design {
    const char *name;
    const char *command;
    const char *caption;   // title of the preview window
    int width;
    int headerHeight;
    const char *title;     // caption of the title label
    int titleWidth;
    int menoTop, menoWidth, menoHeight;
    int dateLeft, dateTop, dateWidth;
    bool dateInTimes;      // the date label in 9-pt Times New Roman, else the default font
    int detailHeight;
    int pageHeaderHeight;  // 0: no page header
    bool landscape;
};

const Design kDesigns[] = {
    {"rptZakUdaj", "cmdZaklad", "Základné údaje o klientovi", 13620, 1530, "Základné údaje o klientovi :", 2835,
     624, 4365, 0, 7087, 0, 1440, true, 5430, 0, true},
    {"rptRodicia", "cmdRodicia", "Údaje o rodičoch", 13905, 1320, "Údaje o rodičoch :", 1984, 624, 4365, 0, 7370, 0,
     1440, false, 10920, 0, true},
    {"rptSurodenci", "cmdSurodenci", "Zoznam súrodencov klienta", 13770, 1185, "Zoznam súrodencov klienta :", 2895,
     567, 4365, 0, 10828, 57, 1440, true, 1590, 0, true},
    {"rptDemo", "cmdDemo", "Dieťa v rannom predškolskom veku", 8940, 900, "Dieťa v rannom predškolskom veku", 7650,
     510, 3975, 225, 7880, 57, 1020, false, 495, 0, false},
    {"rptUdajVV", "cmdUdajVV", "Údaje o výchove a vzdelávaní", 8865, 1110, "Údaje o výchove a vzdelávaní :", 3231,
     567, 4365, 0, 7370, 57, 1440, false, 255, 360, false},
    {"rptVysetrenie", "cmdVysetrenie", "Priebeh a závery špeciálneho pedagogického vyšetrenia", 8805, 1470,
     "Priebeh a závery špeciálneho pedagogického vyšetrenia :", 6236, 737, 4485, 0, 7880, 624, 900, false, 1710, 0,
     false},
    {"rptZaz_spc", "cmdZazSpc", "Záznam o špeciálno-pedagogickej činnosti", 9015, 1185,
     "Záznam o špeciálno-pedagogickej činnosti :", 4309, 624, 4365, 0, 7370, 0, 1440, false, 975, 0, false},
    {"rptZaz_zmeny", "cmdZazZmeny", "Zaznamenané zmeny", 8835, 1305, "Zaznamenané zmeny :", 2211, 680, 4200, 0, 6973,
     57, 1440, false, 1710, 0, false},
    {"rptNavstevy", "cmdNavstevy", "Zoznam návštev klienta", 8865, 1425, "Zoznam návštev klienta :", 2608, 737, 4365,
     0, 7370, 57, 1440, false, 285, 330, false},
};

// ------------------------------------------------------------ the details

const Item kZakUdaj[] = {
    {Kind::Label, "rodné číslo :", 0, 0, 1077},
    {Kind::Field, "rodcis", 3402, 0, 1695},
    {Kind::Label, "katalógové číslo :", 0, 283, 1410},
    {Kind::Field, "katcis", 3402, 283, 680},
    {Kind::Label, "dátum narodenia :", 0, 563, 1984},
    {Kind::DateField, "datnar", 3402, 566, 1701},
    {Kind::Label, "zdravotná poisťovňa :", 0, 849, 1984},
    {Kind::Field, "c_zdrpoi.nazov", 3402, 849, 2835},
    {Kind::Label, "národnosť :", 0, 1132, 1191},
    {Kind::Field, "c_narodn.nazov", 3402, 1132, 1984},
    {Kind::Label, "štátna príslušnosť :", 0, 1413, 1984},
    {Kind::Field, "c_iczeme.nazov", 3402, 1413, 2041},
    {Kind::Label, "jazyk, ktorým klient komunikuje :", 0, 1696, 2835},
    {Kind::Field, "c_jazyk.nazov", 3402, 1696, 2098},
    {Kind::Label, "jazyk, ktorým klient komunikuje doma :", 0, 1979, 3288},
    {Kind::Field, "c_jazyk_1.nazov", 3402, 1979, 2098},
    {Kind::Label, "postihnutie klienta :", 0, 2262, 1984},
    {Kind::GrowField, "retaz1", 3402, 2262, 1133},
    {Kind::GrowField, "retaz2", 4592, 2262, 1077},
    {Kind::GrowField, "retaz3", 5726, 2262, 1134},
    {Kind::GrowField, "retaz4", 6917, 2262, 1077},
    {Kind::GrowField, "retaz5", 8107, 2262, 1021},
    {Kind::GrowField, "retaz6", 9184, 2262, 907},
    {Kind::GrowField, "retaz7", 10148, 2262, 1191},
    {Kind::Field, "retaz8", 11452, 2262, 1077},
    {Kind::Field, "retaz9", 12643, 2262, 907},
    {Kind::Label, "bydlisko klienta :", 0, 3394, 1470},
    {Kind::Field, "ulica", 3402, 3394, 2385},
    {Kind::Field, "psc", 3402, 3677, 735},
    {Kind::Field, "obec", 4252, 3677, 2895},
    {Kind::Label, "škola, zariad.,  ktoré klient navštevuje :", 0, 3968, 3285},
    {Kind::Field, "skola", 3402, 3960, 5265},
    {Kind::Label, "kto klienta odporučil :", 0, 4243, 2160},
    {Kind::Field, "odporu", 3402, 4243, 5325},
    {Kind::Label, "odkedy je v evidencii zariadenia :", 0, 4526, 2835},
    {Kind::DateField, "datevi", 3402, 4526, 2490},
};

const Item kRodicia[] = {
    // The mother.
    {Kind::Label, "matka :", 0, 0, 1365, 227},
    {Kind::Field, "vlnevlM", 2268, 0, 850},
    {Kind::Line, "", 0, 227, 3118},
    {Kind::Label, "meno a priezvisko :", 0, 283, 2154},
    {Kind::Label, "dátum narodenia:", 6860, 283, 1474},
    {Kind::Field, "matka", 2268, 283, 4535},
    {Kind::Field, "matnar", 8334, 283, 1710},
    {Kind::Label, "vzdelanie :", 0, 566, 1650},
    {Kind::Field, "matvzd", 2268, 566, 2220},
    {Kind::Label, "bydlisko :", 0, 849, 855},
    {Kind::Field, "matuli", 2268, 849, 2265},
    {Kind::Field, "matobe", 4592, 849, 3180},
    {Kind::Field, "matpsc", 7994, 849, 795},
    {Kind::Label, "telefón, email :", 0, 1132, 1695},
    {Kind::Field, "mattel", 2268, 1132, 1650},
    {Kind::Field, "matmail", 4592, 1132, 2835},
    {Kind::Label, "zamestnanie :", 0, 1415, 1695},
    {Kind::Label, "adresa zamestnávateľa :", 5443, 1415, 1980},
    {Kind::Field, "matzam", 2268, 1415, 3118},
    {Kind::Field, "mataza", 7370, 1415, 5505},
    {Kind::Label, "telefón zamestnávateľa :", 0, 1698, 2205},
    {Kind::Field, "mattza", 2268, 1698, 6465},
    {Kind::Label, "prekonané vážne choroby :", 0, 1981, 2160},
    {Kind::Field, "matchor", 2268, 1981, 6465},
    {Kind::Label, "postihnutie :", 0, 2264, 2160},
    {Kind::GrowField, "retaz1M", 2268, 2264, 1133},
    {Kind::GrowField, "retaz2M", 3458, 2264, 1134},
    {Kind::GrowField, "retaz3M", 4649, 2264, 1020},
    {Kind::GrowField, "retaz4M", 5726, 2264, 1077},
    {Kind::GrowField, "retaz5M", 6860, 2264, 1133},
    {Kind::GrowField, "retaz6M", 8050, 2264, 1021},
    {Kind::GrowField, "retaz7M", 9128, 2264, 1020},
    {Kind::GrowField, "retaz8M", 10205, 2264, 1140},
    {Kind::GrowField, "retaz9M", 11452, 2264, 1140},
    // The father.
    {Kind::Label, "otec :", 0, 3175, 1365, 227},
    {Kind::Field, "vlnevlO", 2268, 3175, 850},
    {Kind::Line, "", 0, 3402, 3118},
    {Kind::Label, "meno a priezvisko  :", 0, 3458, 2205},
    {Kind::Label, "dátum narodenia:", 6803, 3458, 1474},
    {Kind::Field, "otec", 2268, 3458, 4480},
    {Kind::Field, "otenar", 8277, 3458, 1710},
    {Kind::Label, "vzdelanie :", 0, 3741, 1635},
    {Kind::Field, "otevzd", 2268, 3741, 3465},
    {Kind::Label, "bydlisko :", 0, 4025, 855},
    {Kind::Field, "oteuli", 2268, 4025, 2265},
    {Kind::Field, "oteobe", 4535, 4025, 3345},
    {Kind::Field, "otepsc", 7994, 4025, 1020},
    {Kind::Label, "telefón, email :", 0, 4309, 1695},
    {Kind::Field, "otetel", 2268, 4309, 2265},
    {Kind::Field, "otemail", 4535, 4309, 2835},
    {Kind::Label, "zamestnanie :", 0, 4590, 1695},
    {Kind::Label, "adresa zamestnávateľa :", 5443, 4590, 1984},
    {Kind::Field, "otezam", 2211, 4590, 3060},
    {Kind::Field, "oteaza", 7427, 4590, 5385},
    {Kind::Label, "telefón zamestnávateľa :", 0, 4873, 2205},
    {Kind::Field, "otetza", 2268, 4873, 2775},
    {Kind::Label, "prekonané vážne choroby :", 0, 5156, 2145},
    {Kind::Field, "otechor", 2268, 5156, 9015},
    {Kind::Label, "postihnutie :", 0, 5439, 2145},
    {Kind::GrowField, "retaz1O", 2268, 5439, 1133},
    {Kind::GrowField, "retaz2O", 3458, 5439, 960},
    {Kind::GrowField, "retaz3O", 4535, 5439, 1134},
    {Kind::GrowField, "retaz4O", 5726, 5439, 1077},
    {Kind::GrowField, "retaz5O", 6860, 5439, 1133},
    {Kind::GrowField, "retaz6O", 8050, 5439, 1021},
    {Kind::GrowField, "retaz7O", 9128, 5439, 1020},
    {Kind::GrowField, "retaz8O", 10205, 5439, 1133},
    {Kind::GrowField, "retaz9O", 11395, 5439, 1140},
    // The contact person.
    {Kind::Label, "meno kontaktnej osoby :", 0, 6463, 2385},
    {Kind::Field, "kon_meno", 3175, 6463, 4309},
    {Kind::Label, "pomer kontaktnej osoby ku klientovi :", 0, 6746, 3118},
    {Kind::Field, "kon_pomer", 3175, 6746, 3525},
    {Kind::Label, "adresa kontaktnej osoby :", 0, 7029, 2835},
    {Kind::Field, "kon_uli", 3175, 7029, 2494},
    {Kind::Field, "kon_obe", 5953, 7029, 3288},
    {Kind::Field, "kon_psc", 9468, 7029, 1077},
    {Kind::Label, "telefón, email kontaktnej osoby :", 0, 7312, 2948},
    {Kind::Field, "kon_tel", 3175, 7312, 1935},
    {Kind::Field, "kon_mail", 5102, 7312, 2835},
};

const Item kSurodenci[] = {
    {Kind::Label, "meno :", 0, 0, 900},
    {Kind::Field, "meno", 2835, 0, 1470},
    {Kind::Label, "pohlavie:", 0, 283, 1304},
    {Kind::Field, "pohlavie", 2835, 283, 570},
    {Kind::Label, "rok narodenia :", 0, 566, 2608},
    {Kind::Field, "roknar", 2835, 566, 690},
    {Kind::Label, "choroby :", 0, 849, 795},
    {Kind::Field, "choroby", 2835, 849, 2385},
    {Kind::Label, "postihnutia :", 0, 1132, 1980},
    {Kind::GrowField, "retaz1", 2835, 1132, 1134},
    {Kind::GrowField, "retaz2", 4025, 1132, 1077},
    {Kind::GrowField, "retaz3", 5159, 1132, 1077},
    {Kind::GrowField, "retaz4", 6293, 1132, 1077},
    {Kind::GrowField, "retaz5", 7427, 1132, 1077},
    {Kind::GrowField, "retaz6", 8561, 1132, 1077},
    {Kind::GrowField, "retaz7", 9694, 1132, 1077},
    {Kind::GrowField, "retaz8", 10828, 1132, 1077},
    {Kind::GrowField, "retaz9", 11962, 1132, 1077},
    {Kind::DotLine, "", 0, 1474, 1020},
};

// txtPolozka prints the column that the caller sets; none in the design.
const Item kDemo[] = {
    {Kind::PlainGrow, "", 0, 0, 8790},
};

const Item kUdajVVHeader[] = {
    {Kind::Label, "Názov zariadenia", 0, 0, 1474},
    {Kind::Label, "Adresa zariadenia", 2835, 0, 3402},
    {Kind::Label, "v zariadení je od-do", 6406, 0, 2381},
    {Kind::Line, "", 0, 283, 8844},
};

const Item kUdajVV[] = {
    {Kind::Field, "nazov", 0, 0, 2665},
    {Kind::Field, "adresa", 2891, 0, 3232},
    {Kind::DateField, "vzar_od", 6236, 0, 900},
    {Kind::PlainLabel, "--", 7257, 0, 285, 165},
    {Kind::DateField, "vzar_do", 7540, 0, 964},
};

const Item kVysetrenie[] = {
    {Kind::Label, "dátum vyšetrenia :", 0, 0, 1635},
    {Kind::DateField, "datum", 2778, 0, 1530},
    {Kind::Label, "meno vyšetrujúceho psychológa:", 0, 283, 2610},
    {Kind::Field, "Expr1", 2778, 283, 3458},
    {Kind::Label, "Popis vyšetrenia :", 0, 566, 1590},
    {Kind::PlainGrow, "popis", 0, 850, 8277, 330},
};

const Item kZazSpc[] = {
    {Kind::Label, "dátum :", 0, 0, 675},
    {Kind::DateField, "datum", 850, 0, 1185},
    {Kind::Label, "od - do(hodiny)", 2098, 0, 1247},
    {Kind::Field, "hod_od", 3402, 0, 270},
    {Kind::PlainLabel, "-", 3742, 57, 227},
    {Kind::Field, "hod_do", 3969, 0, 231},
    {Kind::Label, "meno zamestnanca :", 4309, 0, 1695},
    {Kind::Field, "Expr1", 6009, 0, 2835},
    {Kind::Label, "činnosť :", 0, 283, 964},
    {Kind::GrowField, "cinnost", 0, 567, 9015},
};

const Item kZazZmeny[] = {
    {Kind::Label, "dátum:", 0, 0, 675},
    {Kind::DateField, "datum", 624, 0, 960},
    {Kind::Label, "meno zamestnanca:", 1871, 0, 1644},
    {Kind::Field, "Expr1", 3515, 0, 4422},
    {Kind::Label, "zmeny :", 0, 283, 737},
    {Kind::GrowField, "zmeny", 0, 566, 8731},
};

const Item kNavstevyHeader[] = {
    {Kind::Label, "dátum návštevy :", 0, 0, 1695},
    {Kind::Label, "dátum budúcej návštevy :", 1984, 0, 2205},
};

const Item kNavstevy[] = {
    {Kind::DateField, "datum", 0, 0, 1470},
    {Kind::DateField, "dat_budn", 1984, 0, 1200},
};

struct Body {
    const char *report;
    std::span<const Item> pageHeader;
    std::span<const Item> detail;
};

const Body kBodies[] = {
    {"rptZakUdaj", {}, kZakUdaj},
    {"rptRodicia", {}, kRodicia},
    {"rptSurodenci", {}, kSurodenci},
    {"rptDemo", {}, kDemo},
    {"rptUdajVV", kUdajVVHeader, kUdajVV},
    {"rptVysetrenie", {}, kVysetrenie},
    {"rptZaz_spc", {}, kZazSpc},
    {"rptZaz_zmeny", {}, kZazZmeny},
    {"rptNavstevy", kNavstevyHeader, kNavstevy},
};

// Adds the items to a section. Labels are numbered through the report
// (Label1, ...), lines too (Line1, ...); a text box is named after its column.
void addItems(ReportDefinition &r, ReportSection &section, std::span<const Item> items, int &labels, int &lines)
{
    const ReportFont label = ReportFont::timesNewRoman(9, true);
    const ReportFont field = ReportFont::timesNewRoman(9);
    for (const Item &it : items) {
        const QString text = QString::fromUtf8(it.text);
        switch (it.kind) {
        case Kind::Label:
        case Kind::PlainLabel:
            section.add(ReportControl::label(QStringLiteral("Label%1").arg(++labels), text, it.left, it.top,
                                             it.width, it.kind == Kind::Label ? label : r.defaultFont, it.height));
            break;
        case Kind::Line:
        case Kind::DotLine:
            section.add(ReportControl::line(QStringLiteral("Line%1").arg(++lines), it.left, it.top, it.width,
                                            it.kind == Kind::Line ? LineStyle::Solid : LineStyle::Dot));
            break;
        default: {
            const bool plain = it.kind == Kind::PlainGrow;
            const bool grows = it.kind == Kind::GrowField || plain;
            QString name = QStringLiteral("txt") + QString(text).replace(QLatin1Char('.'), QLatin1Char('_'));
            if (text.isEmpty())
                name = QStringLiteral("txtPolozka");
            ReportControl &box = section.add(ReportControl::textBox(name, text, it.left, it.top, it.width,
                                                                    plain ? r.defaultFont : field, grows, it.height));
            if (it.kind == Kind::DateField)
                box.format = DataFormat::Date;
        }
        }
    }
}

ReportDefinition build(const Design &d)
{
    ReportDefinition r(QString::fromLatin1(d.name));
    r.setDataMember(QString::fromLatin1(d.command));
    r.caption = QString::fromUtf8(d.caption);
    r.orientation = d.landscape ? Orientation::Landscape : Orientation::Portrait;
    r.margins = QMarginsF(1440, 1440, 1440, 1440);
    r.width = d.width;
    r.defaultFont = ReportFont::arial(8.25);

    ReportSection &header = r.section(SectionKind::ReportHeader);
    header.height = d.headerHeight;
    const ReportFont titleFont = ReportFont::timesNewRoman(11.25, true, false, true);
    const bool memo = QLatin1String(d.name) == QLatin1String("rptDemo");
    // The memo page's title is set at each print and stands at the very top.
    header.add(ReportControl::label(QStringLiteral("lblNadpis"), QString::fromUtf8(d.title), 0, memo ? 0 : 57,
                                    d.titleWidth, titleFont, memo ? 225 : 330));
    header.add(ReportControl::label(QStringLiteral("lblMeno"), QString(), 0, d.menoTop, d.menoWidth,
                                    ReportFont::timesNewRoman(11.25, true, true), d.menoHeight));
    header.add(ReportControl::label(QStringLiteral("lblDatum"), QStringLiteral("%d"), d.dateLeft, d.dateTop,
                                    d.dateWidth, d.dateInTimes ? ReportFont::timesNewRoman(9) : r.defaultFont));

    int labels = 0;
    int lines = 0;
    for (const Body &b : kBodies) {
        if (QLatin1String(b.report) != QLatin1String(d.name))
            continue;
        ReportSection &pageHeader = r.section(SectionKind::PageHeader);
        pageHeader.height = d.pageHeaderHeight;
        pageHeader.visible = d.pageHeaderHeight > 0;
        addItems(r, pageHeader, b.pageHeader, labels, lines);
        ReportSection &detail = r.section(SectionKind::Detail);
        detail.height = d.detailHeight;
        addItems(r, detail, b.detail, labels, lines);
    }
    r.section(SectionKind::PageFooter).height = 0;
    r.section(SectionKind::PageFooter).visible = d.pageHeaderHeight > 0;
    r.section(SectionKind::ReportFooter).height = 0;
    return r;
}

const Design *designOf(const QString &name)
{
    for (const Design &d : kDesigns)
        if (name.compare(QLatin1String(d.name), Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

} // namespace

const ReportDefinition *DossierReports::instance(const QString &name)
{
    static QHash<QString, std::shared_ptr<ReportDefinition>> reports;
    const Design *d = designOf(name);
    if (!d)
        return nullptr;
    const QString key = QString::fromLatin1(d->name);
    auto it = reports.find(key);
    if (it == reports.end())
        it = reports.insert(key, std::make_shared<ReportDefinition>(build(*d)));
    return it->get();
}

std::optional<ReportDefinition> DossierReports::create(const QString &name)
{
    const Design *d = designOf(name);
    if (!d)
        return std::nullopt;
    return build(*d);
}

} // namespace ulk::report
