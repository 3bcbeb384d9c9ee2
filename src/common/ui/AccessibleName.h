#pragma once
#include <QString>

class QWidget;

// Names for assistive tools, so that a screen reader tells each control by
// what it is, not by the frame it stands in.
namespace ulk {

// The name of the drop-down list beside a field named fieldName.
QString pickerName(const QString &fieldName);
// Gives a control the name of its caption (a label's text: the mnemonic
// mark and a closing colon left out).
void nameControl(QWidget *control, const QString &caption);

} // namespace ulk
