#pragma once
#include <QObject>

class QPrintDialog;

// Names for assistive tools that Qt's print dialog leaves alike: the page
// range's two spin boxes and its list of pages are all named after their
// frame, and on the job page of the printer's properties the scheduled time,
// the billing text and the priority after theirs, the two banner pages after
// the line they show. Each gets a Slovak name of its own (a list is told by
// it through ListAccessible): those of the print dialog at once, those of the
// properties dialog, which the print dialog makes only when it is asked for
// (and anew for another printer), each time it appears.
namespace ulk::report {

class PrintDialogNames : public QObject {
    Q_OBJECT
public:
    // Names the dialog's controls; lives as long as the dialog.
    explicit PrintDialogNames(QPrintDialog *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace ulk::report
