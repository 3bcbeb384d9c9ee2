#pragma once

class QCoreApplication;

namespace ulk {

// Installs the Slovak texts of Qt's own dialogs: Qt's translation of its
// base library and the program's own translation of what Debian's lacks for
// Qt 6: the standard buttons, the print dialog with its options and printer
// properties, the page set-up and the paper sizes.
// The translators live as long as the application.
void installSlovakTranslation(QCoreApplication &app);

} // namespace ulk
