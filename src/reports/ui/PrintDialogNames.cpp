#include "reports/ui/PrintDialogNames.h"

#include <QChildEvent>
#include <QPrintDialog>

namespace ulk::report {

namespace {
// The controls by the object names Qt's dialogs give them.
const struct {
    const char *control;
    const char *name;
} kNames[] = {
    {"from", "Od strany"},
    {"to", "Po stranu"},
    {"pagesLineEdit", "Zoznam strán"},
    {"jobHoldComboBox", "Plánovaná tlač"},
    {"jobHoldTimeEdit", "Čas plánovanej tlače"},
    {"jobBillingLineEdit", "Fakturačné údaje"},
    {"jobPrioritySpinBox", "Priorita úlohy"},
    {"startBannerPageCombo", "Úvodná strana"},
    {"endBannerPageCombo", "Záverečná strana"},
};

void nameControls(QObject *window)
{
    for (const auto &[control, name] : kNames)
        for (QWidget *w : window->findChildren<QWidget *>(QString::fromLatin1(control)))
            w->setAccessibleName(QString::fromUtf8(name));
}
} // namespace

PrintDialogNames::PrintDialogNames(QPrintDialog *dialog) : QObject(dialog)
{
    nameControls(dialog);
    dialog->installEventFilter(this);
}

bool PrintDialogNames::eventFilter(QObject *watched, QEvent *event)
{
    // The properties dialog is a child of the print dialog, made and even
    // polished before all its controls stand; they do once it is shown.
    if (watched == parent() && event->type() == QEvent::ChildAdded) {
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            child->installEventFilter(this);
    } else if (watched != parent() && event->type() == QEvent::Show) {
        nameControls(watched);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ulk::report
