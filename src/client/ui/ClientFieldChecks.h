#pragma once
#include "common/CheckResult.h"

#include <QString>
#include <functional>

namespace ulk {

class BasicDataPages;
class DisabilityEntry;
class BasicDataEditor;
class FieldEdit;

// The check of each basic-data field, run by the field protocol when a move
// key is pressed in the field (onKeyDown) or when the field is left.
// Fields without a check pass.
class ClientFieldChecks {
public:
    ClientFieldChecks(BasicDataPages &pages, BasicDataEditor &editor);

    CheckResult checkField(int index, bool onKeyDown);

    // The catalogue-number look-up of the window (kon_katCislo): true when
    // the number belongs to another client, who has then been named.
    void setCatalogueCheck(std::function<bool(FieldEdit *)> check) { m_catalogue = std::move(check); }

    static QString motherDatesMessage() { return QStringLiteral("Logicky chybne zadané dátumy matky a klienta !"); }
    static QString fatherDatesMessage() { return QStringLiteral("Logicky chybne zadané dátumy otca a klienta !"); }

private:
    // Capital first letter of the field's text.
    void capitaliseFirst(int index);
    // Capital first letters of the first two words.
    void capitaliseTwoWords(int index);
    CheckResult checkCodeField(int index);
    // A parent's year of birth (21 mother, 36 father) against the client's
    // birth date: the parent's age goes into the age field behind it.
    CheckResult checkParentYear(int index);
    // The disability entry of the person whose code box this is.
    DisabilityEntry *disability(int index) const;

    BasicDataPages &m_pages;
    BasicDataEditor &m_editor;
    std::function<bool(FieldEdit *)> m_catalogue;
};

} // namespace ulk
