#include "statement/OdbStarRowTable.h"

namespace ulk {

namespace {

struct Line {
    const char *code;
    int blanks;
    const char *name;
    bool marked; // "v tom"
};

const Line kLines[OdbStarRowTable::rows] = {
    {"0501", 0, "Diagnostika", false},
    {"0502", 7, "špeciálnopedagogická", false},
    {"0503", 7, "psychologická", false},
    {"0504", 7, "sociálna", true},
    {"0505", 7, "iná", false},
    {"0506", 0, "Poradenstvo", false},
    {"0507", 7, "špeciálnopedagogické", false},
    {"0508", 7, "psychologické", false},
    {"0509", 7, "liečebno-pedagogické", false},
    {"0510", 7, "profesijné", true},
    {"0511", 7, "sociálne", false},
    {"0512", 7, "rodinám a zákonným zástupcom", false},
    {"0513", 7, "v oblasti kompenzačných pomôcok", false},
    {"0514", 7, "iné", false},
    {"0515", 0, "Špeciálnopedagogické intervencie", false},
    {"0516", 7, "prevencia", false},
    {"0517", 7, "kompenzácia", false},
    {"0518", 7, "reedukcia (edukácia)", true},
    {"0519", 7, "korekcia", false},
    {"0520", 7, "rehabilitácia", false},
    {"0521", 6, "iné", false},
    {"0522", 0, "Pedagogickopsychologické intervencie", false},
    {"0523", 7, "psychoterapia", false},
    {"0524", 7, "socioterapia", false},
    {"0525", 7, "terapia prostredníctvom umeleckých médií", true},
    {"0526", 7, "liečebno-pedagogická terapia", false},
    {"0527", 7, "iné", false},
    {"0536", 0, "Kontrolný súčet (0501 až 0527)", false},
};

// Total line and last member line of each group.
const int kGroups[4][2] = {{0, 4}, {5, 13}, {14, 20}, {21, 26}};

} // namespace

QString OdbStarRowTable::marker(int row)
{
    return kLines[row].marked ? QStringLiteral("v tom") : QString(5, QLatin1Char(' '));
}

QString OdbStarRowTable::name(int row)
{
    return QString(kLines[row].blanks, QLatin1Char(' ')) + QString::fromUtf8(kLines[row].name);
}

QString OdbStarRowTable::code(int row) { return QString::fromLatin1(kLines[row].code); }

QString OdbStarRowTable::windowLabel(int row)
{
    // The window's own captions of two lines differ from the stored names.
    if (row == 21)
        return QStringLiteral("pedagogickopsychologické intervencie");
    if (row == checkSumRow)
        return QStringLiteral("Kontrolný súčer (0501 až 0527 )");
    return QString::fromUtf8(kLines[row].name);
}

bool OdbStarRowTable::isHeadLine(int row) { return kLines[row].blanks == 0; }

int OdbStarRowTable::totalOfGroupEndingAt(int row)
{
    for (const auto &g : kGroups)
        if (g[1] == row)
            return g[0];
    return -1;
}

int OdbStarRowTable::lastMemberOf(int totalRow)
{
    for (const auto &g : kGroups)
        if (g[0] == totalRow)
            return g[1];
    return -1;
}

} // namespace ulk
