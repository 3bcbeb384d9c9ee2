#include "common/ui/WaitingWindow.h"

#include "common/ui/WaitPanel.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace ulk {

class WaitingWindow::Window : public QWidget {
public:
    explicit Window(WorkProgress &progress)
        : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_panel(new WaitPanel(this))
    {
        setObjectName(QStringLiteral("frmCakanie"));
        setAttribute(Qt::WA_DeleteOnClose, false);
        setWindowModality(Qt::ApplicationModal);
        setWindowTitle(progress.title());
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_panel);
        // Wide enough for its title whole with the program's name that the
        // window system adds to it.
        const QString shown = progress.title() + QStringLiteral(" — ") + QGuiApplication::applicationDisplayName();
        setMinimumWidth(std::max(360, fontMetrics().horizontalAdvance(shown) + 120));
        m_panel->showProgress(progress);
    }
    WaitPanel *panel() const { return m_panel; }

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape)
            m_panel->stop();
        else
            QWidget::keyPressEvent(event);
    }

private:
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
        m_window->activateWindow();
        return;
    }
    m_window->panel()->showProgress(progress);
}

void WaitingWindow::end()
{
    m_window.reset();
    m_since.invalidate();
}

bool WaitingWindow::takesInput() const { return m_window && m_window->isVisible(); }

} // namespace ulk
