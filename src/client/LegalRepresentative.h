#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The legal representative's fields of the client record (textKrz 50 to 56:
// name, relation, town, street, postcode, phone, e-mail) as the option
// buttons optKrz 4 "matka", 5 "otec" and 6 "iný" fill them.
namespace ulk::LegalRepresentative {

constexpr int firstField = 50;
constexpr int fieldCount = 7;
constexpr int motherOption = 4;
constexpr int fatherOption = 5;
constexpr int otherOption = 6;

// The relation word written for the mother and the father.
QString relation(int option);

// The source field of representative field (50 .. 56) for the mother's or
// the father's option; -1 for the relation field, for "iný" and for any
// other option.
int sourceField(int option, int representativeField);

// The seven texts of fields 50 .. 56 after a click of the option: the
// parent's texts as textOf(field) gives them, with the relation word;
// seven empty texts for "iný"; an empty list for any other option.
QStringList fill(int option, const std::function<QString(int)> &textOf);

} // namespace ulk::LegalRepresentative
