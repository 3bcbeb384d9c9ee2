#pragma once
#include <QString>
#include <array>

// The code lists behind the basic-data pickers dbcvolby0 .. dbcvolby9: which
// table each reads, the line it shows and how much of the line its copy
// writes into the paired field.
namespace ulk {

enum class CodeListSource {
    BirthPlaceTowns, // DatCisObceN
    Nationalities,   // DatCisNar
    Citizenships,    // datCisStPrisl
    Languages,       // DatCisJazKom, shared by two pickers
    ClientTowns,     // datCisObceK
    MotherTowns,     // DatCisObceM
    FatherTowns,     // DatCisObceO
    GuardianTowns,   // DatCisObceKo
    HealthInsurers,  // DatCisZdrPoi
};

struct ClientPickerDef {
    int index;             // dbcvolby<index>
    int field;             // textKrz index it fills
    CodeListSource source;
    bool byName;           // the field holds a town name, not a code
    int cut;               // characters of the line a copy writes
    const char *tooltip;   // nullptr: none
};

namespace ClientCodeLists {

constexpr int sourceCount = 9;
constexpr int pickerCount = 10;

const std::array<ClientPickerDef, pickerCount> &pickers();

QString table(CodeListSource source);
// The query a source is read with: code, name and, for the code lists, the
// drop-down line "roleta".
QString selectSql(CodeListSource source);

} // namespace ClientCodeLists
} // namespace ulk
