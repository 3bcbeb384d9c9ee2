#include "client/ClientCodeLists.h"

namespace ulk::ClientCodeLists {

namespace {
using S = CodeListSource;
const char *const kFromList = "výber z číselnika";
const char *const kTown = "výber obce";

const std::array<ClientPickerDef, pickerCount> kPickers = {{
    {0, 2, S::BirthPlaceTowns, true, 30, kFromList},
    {1, 8, S::Nationalities, false, 2, kFromList},
    {2, 9, S::Citizenships, false, 2, kFromList},
    {3, 10, S::Languages, false, 2, kFromList},
    {4, 13, S::ClientTowns, true, 30, kFromList},
    {5, 25, S::MotherTowns, true, 30, kTown},
    {6, 40, S::FatherTowns, true, 30, kTown},
    {7, 52, S::GuardianTowns, true, 30, kTown},
    {8, 7, S::HealthInsurers, false, 2, kFromList},
    {9, 11, S::Languages, false, 2, nullptr},
}};

// The code, two blanks, "|", two blanks and the name.
QString codeLine(const char *table)
{
    return QStringLiteral("SELECT kod || '  |  ' || nazov AS roleta, kod, nazov FROM %1 ORDER BY kod")
        .arg(QLatin1String(table));
}
} // namespace

const std::array<ClientPickerDef, pickerCount> &pickers() { return kPickers; }

QString table(CodeListSource source)
{
    switch (source) {
    case S::Nationalities: return QStringLiteral("c_narodn");
    case S::Citizenships: return QStringLiteral("c_iczeme");
    case S::Languages: return QStringLiteral("c_jazyk");
    case S::HealthInsurers: return QStringLiteral("c_zdrpoi");
    default: return QStringLiteral("c_iczuj");
    }
}

QString selectSql(CodeListSource source)
{
    switch (source) {
    case S::Nationalities: return codeLine("c_narodn");
    case S::Languages: return codeLine("c_jazyk");
    case S::HealthInsurers: return codeLine("c_zdrpoi");
    case S::Citizenships:
        // The code right-aligned in two places, "|", two blanks and the name.
        return QStringLiteral("SELECT substr('  ' || kod, -max(2, length(kod))) || '|  ' || nazov AS roleta, "
                              "kod, nazov FROM c_iczeme ORDER BY kod");
    default:
        // Towns show their names.
        return QStringLiteral("SELECT kod, nazov FROM c_iczuj ORDER BY nazov COLLATE SK");
    }
}

} // namespace ulk::ClientCodeLists
