#pragma once
#include "data/CodeList.h"

#include <QString>

// The two code lists behind the pickers of the sub-record tabs: every
// employee (the pickers of the examinations and of the two records, by
// surname and first name) and the facilities of the chosen kind (by code).
namespace ulk {

class SubRecordCodeLists {
public:
    SubRecordCodeLists();

    // Columns idkod, "spolu" (the surname, a blank and the first name) and
    // the picker line "roleta": the key in nine places, "|", the surname,
    // two blanks and the first name.
    CodeList &employees() { return m_employees; }
    // Columns kod, nazov and "roleta": the code in two digits, two blanks,
    // "|", two blanks and the name.
    CodeList &facilities() { return m_facilities; }

    // "VYCH" (educational facilities, the kind at first) or "ULK".
    QString facilityKind() const { return m_facilityKind; }

    // Reads the employees and the facilities of the chosen kind.
    bool load(QString *error = nullptr);
    // Chooses the kind (also when its facilities cannot be read) and reads
    // its facilities.
    bool chooseFacilityKind(const QString &kind, QString *error = nullptr);

private:
    CodeList m_employees;
    CodeList m_facilities;
    QString m_facilityKind = QStringLiteral("VYCH");
};

} // namespace ulk
