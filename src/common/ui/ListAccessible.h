#pragma once

// A drop-down list as assistive tools see it. Qt names a list on this
// platform by the line it shows and passes over the name the program gave it:
// two lists that show one line ("Žiadna") cannot be told apart, and a picker
// is named after its chosen line. Here a list with a name of its own is told
// by that name and shows its line as its value, as other desktop programs
// do; a list without one keeps Qt's rule. Editable lists keep Qt's own.
namespace ulk {

// Once, before the first window: later lists are seen this way.
void installListAccessible();

} // namespace ulk
