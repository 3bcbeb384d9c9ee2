#pragma once

class QCoreApplication;

namespace ulk {

// Installs the Slovak texts of Qt's own dialogs: Qt's translation of its
// base library and the program's own translation of the standard buttons,
// which Qt 6 looks up under contexts Debian's translation does not carry.
// The translators live as long as the application.
void installSlovakTranslation(QCoreApplication &app);

} // namespace ulk
