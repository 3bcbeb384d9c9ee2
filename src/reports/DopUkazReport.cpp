#include "reports/DopUkazReport.h"

namespace ulk::report {

namespace {

// Columns of the statement form, twips from the left of the body.
constexpr int kGroupLeft = 0, kGroupWidth = 2700;
constexpr int kLineLeft = 2760, kLineWidth = 2160;
constexpr int kCodeLeft = 4980, kCodeWidth = 780;
constexpr int kValueLeft = 5820, kValueWidth = 1320;
constexpr int kRight = 7200;
constexpr int kRowHeight = 360;

} // namespace

ReportDefinition DopUkazReport::create()
{
    ReportDefinition r(name());
    r.setDataMember(command());
    r.caption = QStringLiteral("IV. Dopĺňajúce ukazovatele");
    r.margins = QMarginsF(1134, 1134, 1134, 1134);
    r.width = kRight;
    const ReportFont text = ReportFont::arial(9);
    const ReportFont bold = ReportFont::arial(9, true);

    ReportSection &header = r.section(SectionKind::ReportHeader);
    header.height = 600;
    header.add(ReportControl::label(QStringLiteral("lblNadpis"), QStringLiteral("IV. Dopĺňajúce ukazovatele"), 0, 0,
                                    kRight, ReportFont::timesNewRoman(12, true)));

    ReportSection &heads = r.section(SectionKind::PageHeader);
    heads.height = 2 * kRowHeight + 60;
    auto centred = [&](const char *name, const QString &caption, int left, int top, int width) {
        ReportControl &c = heads.add(ReportControl::label(QString::fromLatin1(name), caption, left, top, width, bold));
        c.alignment = Alignment::Center;
    };
    centred("lblA", QStringLiteral("a"), kGroupLeft, kRowHeight + 40, kCodeLeft - kGroupLeft - 60);
    centred("lblIr", QStringLiteral("I.r."), kCodeLeft, 40, kCodeWidth);
    centred("lblB", QStringLiteral("b"), kCodeLeft, kRowHeight + 40, kCodeWidth);
    centred("lblSpolu", QStringLiteral("Spolu"), kValueLeft, 40, kValueWidth);
    centred("lbl1", QStringLiteral("1"), kValueLeft, kRowHeight + 40, kValueWidth);
    heads.add(ReportControl::line(QStringLiteral("linHlavickaHore"), 0, 0, kRight));
    heads.add(ReportControl::upright(QStringLiteral("linHlavickaB"), kCodeLeft - 60, 0, heads.height));
    heads.add(ReportControl::upright(QStringLiteral("linHlavicka1"), kValueLeft - 30, 0, heads.height));
    // Rules close their band at its bottom edge, where the upright lines end:
    // no piece of a frame line hangs below the last one.
    heads.add(ReportControl::line(QStringLiteral("linHlavickaDole"), 0, heads.height, kRight));

    // The five lines: a group caption stands left of the first of its rows.
    struct Line {
        const char *group;
        const char *line;
        const char *code;
        const char *field;
    };
    const Line lines[] = {
        {"Počet miestností", "spolu", "0401", "r_0401"},
        {nullptr, "nevyhovujúce", "0402", "r_0402"},
        {"Diagnostické pobyty", "počet detí", "0403", "r_0403"},
        {nullptr, "počet hodín", "0404", "r_0404"},
        {"Kontrolný súčet (0401 až 0404)", nullptr, "0416", "r_0416"},
    };
    ReportSection &detail = r.section(SectionKind::Detail);
    detail.height = int(std::size(lines)) * kRowHeight;
    for (int i = 0; i < int(std::size(lines)); ++i) {
        const Line &l = lines[i];
        const int top = i * kRowHeight + 60;
        const QString code = QString::fromLatin1(l.code);
        if (l.group)
            detail.add(ReportControl::label(QStringLiteral("lblSkupina") + code, QString::fromUtf8(l.group), kGroupLeft,
                                            top, l.line ? kGroupWidth : kCodeLeft - kGroupLeft - 60, text));
        if (l.line)
            detail.add(ReportControl::label(QStringLiteral("lblRiadok") + code, QString::fromUtf8(l.line), kLineLeft,
                                            top, kLineWidth, text));
        ReportControl &c = detail.add(ReportControl::label(QStringLiteral("lblKod") + code, code, kCodeLeft, top,
                                                          kCodeWidth, text));
        c.alignment = Alignment::Center;
        ReportControl &v = detail.add(ReportControl::textBox(QStringLiteral("txt") + code, QString::fromLatin1(l.field),
                                                            kValueLeft + 60, top, kValueWidth - 120, text));
        v.alignment = Alignment::Right;
        // A group's rows are ruled under the line captions only.
        const bool groupGoesOn = i + 1 < int(std::size(lines)) && !lines[i + 1].group;
        detail.add(ReportControl::line(QStringLiteral("lin") + code, groupGoesOn ? kLineLeft - 60 : 0,
                                       (i + 1) * kRowHeight, groupGoesOn ? kRight - kLineLeft + 60 : kRight));
    }
    // The check-sum caption runs across the line-caption column.
    detail.add(ReportControl::upright(QStringLiteral("linStlpA"), kLineLeft - 60, 0, 4 * kRowHeight));
    detail.add(ReportControl::upright(QStringLiteral("linStlpB"), kCodeLeft - 60, 0, detail.height));
    detail.add(ReportControl::upright(QStringLiteral("linStlp1"), kValueLeft - 30, 0, detail.height));

    r.section(SectionKind::PageFooter).height = 0;
    r.section(SectionKind::ReportFooter).height = 0;
    return r;
}

} // namespace ulk::report
