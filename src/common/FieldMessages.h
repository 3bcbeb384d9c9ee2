#pragma once
#include <QString>

// The texts of the field checks' messages, shared by the checks of the
// windows and by the rules of the core that refuse a save.
namespace ulk {

namespace FieldMessages {
// The texts and the title of the checks' messages.
QString errorTitle();      // "Chybová správa"
QString fixTitle();        // "Chyba !"
QString sexMessage();
QString disabilityMessage();
QString birthNumberMessage();
QString dateMessage();
QString nonexistentDateMessage();
QString codeNotFound(const QString &code);
QString nameNotFound(const QString &name);
} // namespace FieldMessages

} // namespace ulk
