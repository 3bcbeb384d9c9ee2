#include "common/ui/WaitPanel.h"

#include "common/LongWork.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ulk {

WaitPanel::WaitPanel(QWidget *parent, bool offersStop)
    : QWidget(parent), m_text(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_stop(new QPushButton(QStringLiteral("Zrušiť"), this)), m_offersStop(offersStop)
{
    m_text->setObjectName(QStringLiteral("lblCinnost"));
    m_text->setWordWrap(true);
    m_bar->setObjectName(QStringLiteral("prgPriebeh"));
    m_bar->setFormat(QStringLiteral("%p %"));
    m_bar->setRange(0, 0);
    m_stop->setObjectName(QStringLiteral("cmdZrusit"));
    m_stop->setAutoDefault(false);
    m_stop->hide();
    connect(m_stop, &QPushButton::clicked, this, &WaitPanel::stop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_stop);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
}

void WaitPanel::showProgress(WorkProgress &progress)
{
    m_progress = &progress;
    const QString what =
        progress.stopRequested() ? QStringLiteral("Zastavuje sa, čakajte, prosím …") : progress.what();
    if (m_text->text() != what)
        m_text->setText(what);
    const qint64 total = progress.total();
    if (total <= 0) {
        m_bar->setRange(0, 0);
    } else {
        // The bar counts in thousandths, whatever the work counts in.
        m_bar->setRange(0, 1000);
        m_bar->setValue(int(std::clamp<qint64>(progress.done() * 1000 / total, 0, 1000)));
    }
    m_stop->setVisible(m_offersStop && progress.stoppable());
    m_stop->setEnabled(!progress.stopRequested());
}

void WaitPanel::stop()
{
    if (!m_progress || !m_progress->stoppable())
        return;
    m_progress->requestStop();
    showProgress(*m_progress);
}

} // namespace ulk
