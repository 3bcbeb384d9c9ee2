#pragma once
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ulk {

class WorkProgress;

// What a long work does and how far, as the program's waiting windows show
// it: a line of text, a progress bar (moving to and fro while the length of
// the work is not known) and, for a work that can stop, "Zrušiť" where the
// window offers it.
class WaitPanel : public QWidget {
public:
    explicit WaitPanel(QWidget *parent = nullptr, bool offersStop = true);

    // Shows the progress as it is now; "Zrušiť" asks the work to stop.
    void showProgress(WorkProgress &progress);
    // Asks the shown work to stop, when it can.
    void stop();

private:
    QLabel *m_text;
    QProgressBar *m_bar;
    QPushButton *m_stop;
    bool m_offersStop;
    WorkProgress *m_progress = nullptr;
};

} // namespace ulk
