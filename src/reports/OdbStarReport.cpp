#include "reports/OdbStarReport.h"

namespace ulk::report {

namespace {

constexpr int kMarkerLeft = 60, kMarkerWidth = 540; // off the table's left frame line
constexpr int kNameLeft = 660, kNameWidth = 4860;
constexpr int kCodeLeft = 5580, kCodeWidth = 600;
constexpr int kCountLeft = 6300, kCountPitch = 900, kCountWidth = 840;
constexpr int kRight = kCountLeft + 9 * kCountPitch + kCountWidth + 60;
constexpr int kRowHeight = 270;

} // namespace

int OdbStarReport::countLeft(int column) { return kCountLeft + kCountPitch * (column - 1); }

ReportDefinition OdbStarReport::create()
{
    ReportDefinition r(name());
    r.setDataMember(command());
    r.caption = QStringLiteral("V. Klienti, ktorým bola poskytnutá odborná starostlivosť");
    r.margins = QMarginsF(720, 900, 720, 900);
    r.width = kRight;
    const ReportFont text = ReportFont::arial(8);
    const ReportFont bold = ReportFont::arial(8, true);

    ReportSection &header = r.section(SectionKind::ReportHeader);
    header.height = 540;
    header.add(ReportControl::label(QStringLiteral("lblNadpis"),
                                    QStringLiteral("V. Klienti, ktorým bola poskytnutá odborná starostlivosť"), 0, 0,
                                    kRight, ReportFont::timesNewRoman(12, true)));

    // The column heads, five lines of them, and the letters and numbers of
    // the columns under them.
    ReportSection &heads = r.section(SectionKind::PageHeader);
    constexpr int kHeadLine = 230;
    constexpr int kNumbersTop = 5 * kHeadLine + 40;
    heads.height = kNumbersTop + kHeadLine + 40;
    auto head = [&](const QString &name, const QString &caption, int left, int top, int width) {
        ReportControl &c = heads.add(ReportControl::label(name, caption, left, top, width, bold));
        c.alignment = Alignment::Center;
    };
    auto span = [](int first, int last) { return countLeft(last) + kCountWidth - countLeft(first); };
    head(QStringLiteral("lblA"), QStringLiteral("a"), kNameLeft, kNumbersTop, kNameWidth);
    head(QStringLiteral("lblIr"), QStringLiteral("I.r."), kCodeLeft, 4 * kHeadLine, kCodeWidth);
    head(QStringLiteral("lblB"), QStringLiteral("b"), kCodeLeft, kNumbersTop, kCodeWidth);
    for (int group = 0; group < 2; ++group) {
        const int total = group * 5 + 1; // s_1 or s_6
        const QString g = QString::number(group + 1);
        head(QStringLiteral("lblSpolu") + g, QStringLiteral("spolu"), countLeft(total), 2 * kHeadLine, kCountWidth);
        head(QStringLiteral("lblSkupina") + g,
             group == 0 ? QStringLiteral("Počet aktivít ambulantných")
                        : QStringLiteral("Počet aktivít terénnych (mobilných)"),
             countLeft(total + 1), 0, span(total + 1, total + 4));
        head(QStringLiteral("lblVTom") + g, QStringLiteral("v tom"), countLeft(total + 1), kHeadLine,
             span(total + 1, total + 4));
        head(QStringLiteral("lblIndividualne") + g,
             group == 0 ? QStringLiteral("individuálne") : QStringLiteral("individuálne "), countLeft(total + 1),
             2 * kHeadLine, span(total + 1, total + 2));
        head(QStringLiteral("lblSkupinove") + g, QStringLiteral("skupinové"), countLeft(total + 3), 2 * kHeadLine,
             span(total + 3, total + 4));
        for (int n = total + 1; n <= total + 4; ++n) {
            const bool oneOff = (n - total) % 2 == 1;
            const QString c = QString::number(n);
            head(QStringLiteral("lblDruhA") + c, oneOff ? QStringLiteral("jedno-") : QStringLiteral("opaku-"),
                 countLeft(n), 3 * kHeadLine, kCountWidth);
            head(QStringLiteral("lblDruhB") + c, oneOff ? QStringLiteral("rázové") : QStringLiteral("júce sa"),
                 countLeft(n), 4 * kHeadLine, kCountWidth);
        }
    }
    for (int n = 1; n <= 10; ++n)
        head(QStringLiteral("lblStlpec%1").arg(n), QString::number(n), countLeft(n), kNumbersTop, kCountWidth);
    heads.add(ReportControl::line(QStringLiteral("linHlavickaHore"), 0, 0, kRight));
    heads.add(ReportControl::line(QStringLiteral("linCisla"), 0, kNumbersTop - 20, kRight));
    // Rules close their band at its bottom edge, where the upright lines end:
    // no piece of a frame line hangs below the last one.
    heads.add(ReportControl::line(QStringLiteral("linHlavickaDole"), 0, heads.height, kRight));
    // Upright lines run down from the head that they divide: the totals and
    // the two groups from the top, the individual and group halves from
    // their captions, one-off and repeated from theirs.
    for (int n = 1; n <= 10; ++n) {
        const int k = (n - 1) % 5; // 0 total, 1 .. 4 the group's columns
        const int from = k <= 1 ? 0 : k == 3 ? 2 * kHeadLine : 3 * kHeadLine;
        heads.add(ReportControl::upright(QStringLiteral("linHlavicka%1").arg(n), countLeft(n) - 30, from,
                                         heads.height - from));
    }
    for (int group = 0; group < 2; ++group) {
        const int first = group * 5 + 2;
        const QString g = QString::number(group + 1);
        heads.add(ReportControl::line(QStringLiteral("linVTom") + g, countLeft(first) - 30, 2 * kHeadLine,
                                      span(first, first + 3) + 60));
        heads.add(ReportControl::line(QStringLiteral("linDruh") + g, countLeft(first) - 30, 3 * kHeadLine,
                                      span(first, first + 3) + 60));
    }
    heads.add(ReportControl::upright(QStringLiteral("linHlavickaB"), kCodeLeft - 30, 0, heads.height));
    heads.add(ReportControl::upright(QStringLiteral("linHlavickaVlavo"), 0, 0, heads.height));
    heads.add(ReportControl::upright(QStringLiteral("linHlavickaVpravo"), kRight, 0, heads.height));

    ReportSection &detail = r.section(SectionKind::Detail);
    detail.height = kRowHeight;
    detail.add(ReportControl::textBox(QStringLiteral("txtVTom"), QStringLiteral("v_tom"), kMarkerLeft, 20,
                                      kMarkerWidth, text));
    detail.add(ReportControl::textBox(QStringLiteral("txtNazRia"), QStringLiteral("naz_ria"), kNameLeft, 20,
                                      kNameWidth, text));
    ReportControl &code = detail.add(
        ReportControl::textBox(QStringLiteral("txtCRia"), QStringLiteral("c_ria"), kCodeLeft, 20, kCodeWidth, text));
    code.alignment = Alignment::Center;
    for (int n = 1; n <= 10; ++n) {
        ReportControl &c = detail.add(ReportControl::textBox(QStringLiteral("txtS%1").arg(n), QStringLiteral("s_%1").arg(n),
                                                            countLeft(n), 20, kCountWidth - 60, text));
        c.alignment = Alignment::Right;
        detail.add(ReportControl::upright(QStringLiteral("linS%1").arg(n), countLeft(n) - 30, 0, kRowHeight));
    }
    detail.add(ReportControl::upright(QStringLiteral("linCRia"), kCodeLeft - 30, 0, kRowHeight));
    detail.add(ReportControl::upright(QStringLiteral("linVlavo"), 0, 0, kRowHeight));
    detail.add(ReportControl::upright(QStringLiteral("linVpravo"), kRight, 0, kRowHeight));
    detail.add(ReportControl::line(QStringLiteral("linRiadok"), 0, kRowHeight, kRight));

    r.section(SectionKind::PageFooter).height = 0;
    r.section(SectionKind::ReportFooter).height = 0;
    return r;
}

} // namespace ulk::report
