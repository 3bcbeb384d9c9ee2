#pragma once
#include <QString>
#include <QVariant>
#include <array>
#include <functional>

// The 57 basic-data fields of the client record (textKrz 0 to 56): which
// column of k_zaklad each shows, where it stands, how it is labelled and
// what it accepts. Every window-side loop over the fields reads this table.
namespace ulk {

enum class FieldFrame {
    Client,             // tab 0, "KLIENT"
    ClientDisability,   // tab 0, "Postihnutia"
    Mother,             // tab 1, "Matka"
    MotherDisability,   // tab 1, "Matka", "Postihnutia"
    Father,             // tab 1, "Otec"
    FatherDisability,   // tab 1, "Otec", "Postihnutia"
    Representative,     // tab 1, "Zákonný zástupca"
};

// What a field's text stands for in the row.
enum class FieldKind {
    Text,       // stored as typed; empty text is stored as no value
    Date,       // typed d.m.yyyy, stored yyyy-MM-dd, no value when empty
    Age,        // whole years, stored as a number, 0 when empty
    Disability, // one typed digit, not stored in a column of its own
};

struct BasicDataField {
    int index;
    const char *column;   // nullptr: not bound to a column
    int tab;              // 0 "Základné údaje", 1 "Rodičia"
    FieldFrame frame;
    const char *label;
    int maxLength;        // 0: no limit
    bool digitsOnly;
    const char *tooltip;  // nullptr: none
    const char *picker;   // object name of the field's own drop-down picker, or nullptr
    FieldKind kind;
};

// How the move keys of a field move the focus.
enum class FieldMove { Next, Previous, SaveButton };

namespace BasicDataFields {

constexpr int count = 57;

const std::array<BasicDataField, count> &all();
const BasicDataField &at(int index);

QString objectName(int index);      // "textKrz<i>"
QString columnOf(int index);        // empty for unbound fields
QString label(int index);
// What assistive tools call the field: its label, after the person it
// belongs to where that is not the client ("Matka: Obec").
QString accessibleName(int index);
QString tooltip(int index);
QString frameCaption(FieldFrame frame);
QString pickerOf(int index);
// The field that a picker (by object name) belongs to, or -1.
int fieldOfPicker(const QString &pickerName);
// The bound columns in index order.
QStringList boundColumns();

// The field reached from index by a move key; -1 stands for the save
// button. isEnabled tells whether a field may take the focus (only the
// associated disability fields 19, 34 and 49 are ever disabled).
int moveTarget(int index, FieldMove move, const std::function<bool(int)> &isEnabled);

// A column value as the field shows it, and a field's text as the value
// written into the column.
QString textOf(int index, const QVariant &value);
QVariant valueOf(int index, const QString &text);
// Whether a non-empty date field's text can be stored (a real calendar date).
bool isStorableDate(const QString &text);

// Upper case of the first character (Slovak letters included).
QString capitaliseFirst(const QString &text);
// Capitalises the first character and the one after the first blank.
QString capitaliseTwoWords(const QString &text);

} // namespace BasicDataFields
} // namespace ulk
