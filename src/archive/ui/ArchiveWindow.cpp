#include "archive/ui/ArchiveWindow.h"

#include "archive/Archiver.h"
#include "common/FailureText.h"
#include "common/Prompter.h"
#include "common/ui/WaitPanel.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ulk {

ArchiveWindow::ArchiveWindow(const QString &programDirectory, QWidget *parent)
    : QDialog(parent), m_dir(programDirectory), m_panel(new WaitPanel(this))
{
    setObjectName(QStringLiteral("frmArch_new"));
    setWindowTitle(QStringLiteral("Vytváranie zálohy"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_panel);
    setFixedSize(360, 130);
}

void ArchiveWindow::begin(WorkProgress &progress) { m_panel->showProgress(progress); }

void ArchiveWindow::update(WorkProgress &progress) { m_panel->showProgress(progress); }

void ArchiveWindow::reject()
{
    // Esc while packing is "Zrušiť".
    if (m_packing)
        m_panel->stop();
    else
        QDialog::reject();
}

void ArchiveWindow::closeEvent(QCloseEvent *event)
{
    if (!m_packing)
        return QDialog::closeEvent(event);
    m_panel->stop();
    event->ignore();
}

void ArchiveWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    QMetaObject::invokeMethod(this, &ArchiveWindow::run, Qt::QueuedConnection);
}

void ArchiveWindow::failed(const QString &cause)
{
    tell(failureMessage(QStringLiteral("Vyskytla sa chyba pri archivácii :"), cause), QString(), PromptIcon::Information);
    done(QDialog::Rejected);
}

void ArchiveWindow::run()
{
    QString why;
    bool packed = false;
    bool stopped = false;
    {
        m_packing = true;
        LongWork::Action packing(windowTitle(), QString(), this, true);
        packed = Archiver::pack(m_dir, &why);
        stopped = packing.progress().stopRequested();
        m_packing = false;
    }
    if (stopped) {
        // A stop that came too late to stop anything leaves the archive.
        if (packed)
            QFile::remove(QDir(m_dir).filePath(Archiver::tempArchiveName()));
        tell(QStringLiteral("Archivácia bola zrušená, archív sa nevytvoril."), QString(), PromptIcon::Information);
        done(QDialog::Rejected);
        return;
    }
    if (!packed)
        return failed(why);
    if (!QFileInfo::exists(QDir(m_dir).filePath(Archiver::tempArchiveName())))
        return failed(QString());

    FileRequest request;
    request.title = QStringLiteral("Kde bude archív");
    request.fileName = Archiver::offeredName();
    request.filters = {QStringLiteral("Všechny soubory *.* (*.*)"), QStringLiteral("záloha (zaloha)")};
    request.filterIndex = 1;
    request.confirmOverwrite = true;
    hide();
    const std::optional<QString> target = prompter().saveFile(request);
    if (!target)
        return failed(QStringLiteral("zrušené používateľom"));
    bool delivered = false;
    {
        // Copied and written to the disk off the window thread.
        const LongWork::Action delivering(windowTitle(), QStringLiteral("Ukladá sa archív …"));
        const QString failure = LongWork::run(QString(), [&](WorkProgress &) {
            delivered = Archiver::deliver(m_dir, target->trimmed(), &why, m_sync);
            return QString();
        });
        if (!failure.isEmpty())
            why = failure;
    }
    if (!delivered)
        return failed(why);
    tell(QStringLiteral("Archivácia bola úspešne ukončená"), QString(), PromptIcon::Information);
    done(QDialog::Accepted);
}

} // namespace ulk
