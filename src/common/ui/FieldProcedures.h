#pragma once
#include "common/CheckResult.h"
#include "common/FieldMessages.h"

#include <QString>
#include <QStringList>
#include <Qt>

class QWidget;

// The field procedures that every record and statement window calls. A check
// reads its field, applies the rule of common/FieldRules, asks the user
// through the prompter when the value fails, and writes the field. Its
// result is Retry only when the user chose to correct the value; the caller
// then keeps the focus in the field.
namespace ulk {

class CodeList;
class CodePicker;
class FieldEdit;

// Asks the message followed by " Opraviť ?" (Yes/No, title "Chyba !");
// true on Yes. Any mouse grab left by the interrupted click is released.
bool confirmFix(const QString &message);

// Enter acts as Tab: for Enter (Return or the keypad Enter) the focus moves
// to the next field in tab order and true is returned, so that the caller
// swallows the key; any other key gives false and nothing happens.
bool enterAsTab(QWidget *field, int key);

// "M" or "Z" (first letter, either case); an empty field passes.
// Tests nothing while the field's data-changed flag is clear.
CheckResult checkSex(FieldEdit *sexField);

// A one-digit disability code; with duplicateTest a non-zero code must not
// repeat any of the person's slots 0 to 8. person ("K", "M", "O", "S") is
// not used by the check. Tests nothing while the data-changed flag is clear.
CheckResult checkDisability(FieldEdit *codeField, bool duplicateTest, const QString &person,
                            const QStringList &codeSlots);

// A birth number; when valid, the sex letter goes into sexField and the birth
// date into birthDate when that field is empty (either may be null). Tests
// nothing while the field is empty or its data-changed flag is clear.
CheckResult checkBirthNumber(FieldEdit *number, FieldEdit *sex, FieldEdit *birthDate);

// A date typed as d.m.yy or d.m.yyyy; blanks are removed and a valid date is
// written back as d.m.yyyy. An empty field passes. A text of another form and
// a day that does not exist (31.2.2020) are refused, each with its message.
CheckResult checkDate(FieldEdit *date);

// Ties a field to its code list. While the picker holds a pick, the picked
// row's code (or name, byName) is written into the field, unless Esc was
// pressed in the picker, which is then cleared and the field left alone.
// Otherwise the typed code (or the first 30 characters of the name) must be
// in the list. A disabled field is not touched.
CheckResult checkCodeList(CodePicker *picker, FieldEdit *field, CodeList *list, bool byName,
                          Qt::CaseSensitivity codeCase = Qt::CaseInsensitive);

} // namespace ulk
