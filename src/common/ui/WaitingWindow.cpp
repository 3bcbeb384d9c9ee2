#include "common/ui/WaitingWindow.h"

#include "common/ui/WaitPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace ulk {

// Drawn whole by the program, border and title included: the window system
// adds no frame, so neither a close button nor a resize handle.
class WaitingWindow::Window : public QFrame {
public:
    explicit Window(WorkProgress &progress)
        : QFrame(nullptr, Qt::Dialog | Qt::FramelessWindowHint), m_title(new QLabel(progress.title(), this)),
          m_panel(new WaitPanel(this, false))
    {
        setObjectName(QStringLiteral("frmCakanie"));
        setAttribute(Qt::WA_DeleteOnClose, false);
        setWindowModality(Qt::ApplicationModal);
        setWindowTitle(progress.title());
        setFrameStyle(QFrame::Box | QFrame::Plain);
        m_title->setObjectName(QStringLiteral("lblNazov"));
        QFont bold = m_title->font();
        bold.setBold(true);
        m_title->setFont(bold);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_title);
        layout->addWidget(m_panel);
        setMinimumWidth(std::max(360, m_title->sizeHint().width() + 40));
        m_panel->showProgress(progress);
        // Over the window the user works in, on its screen.
        const QWidget *under = QApplication::activeWindow();
        const QRect area = under ? under->frameGeometry()
                                 : QGuiApplication::primaryScreen()->availableGeometry();
        adjustSize();
        move(area.center() - rect().center());
        if (under && under->windowHandle()) {
            winId();
            windowHandle()->setTransientParent(under->windowHandle());
        }
    }
    WaitPanel *panel() const { return m_panel; }

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }

private:
    QLabel *m_title;
    WaitPanel *m_panel;
};

WaitingWindow::WaitingWindow() = default;
WaitingWindow::~WaitingWindow() = default;

void WaitingWindow::begin(WorkProgress &)
{
    m_window.reset();
    m_since.start();
}

void WaitingWindow::update(WorkProgress &progress)
{
    if (!m_window) {
        if (!m_since.isValid() || m_since.elapsed() < m_delay)
            return;
        m_window = std::make_unique<Window>(progress);
        m_window->show();
        m_window->raise();
        return;
    }
    m_window->panel()->showProgress(progress);
}

void WaitingWindow::end()
{
    m_window.reset();
    m_since.invalidate();
}

} // namespace ulk
