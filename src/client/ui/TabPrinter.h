#pragma once
#include <QString>

class QWidget;

namespace ulk {

// "Tlač záložku": prints the page of the open client's record that the tab
// shows. The tab's saved query is rewritten to select the client's rows
// (the recorded changes are read from their saved query for the client's
// key), the client's name goes into the report's header, and the report is
// shown by the report rule in a modal print preview; the call returns when
// the preview is closed. Any failure is told in a message box and nothing
// is printed then; the record window stays as it was. True when the
// preview was shown.
bool printClientTab(QWidget *parent, const QString &programDirectory, int tab, const QString &clientKey,
                    const QString &meno, const QString &priezv);

} // namespace ulk
