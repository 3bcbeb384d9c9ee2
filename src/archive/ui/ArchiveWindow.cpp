#include "archive/ui/ArchiveWindow.h"

#include "archive/Archiver.h"
#include "common/FailureText.h"
#include "common/Prompter.h"

#include <QDir>
#include <QFileInfo>

namespace ulk {

ArchiveWindow::ArchiveWindow(const QString &programDirectory, QWidget *parent)
    : QDialog(parent), m_dir(programDirectory)
{
    setObjectName(QStringLiteral("frmArch_new"));
    setWindowTitle(QStringLiteral("Vytváranie zálohy"));
    setFixedSize(320, 60);
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
    if (!Archiver::pack(m_dir, &why))
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
    if (!Archiver::deliver(m_dir, target->trimmed(), &why, m_sync))
        return failed(why);
    tell(QStringLiteral("Archivácia bola úspešne ukončená"), QString(), PromptIcon::Information);
    done(QDialog::Accepted);
}

} // namespace ulk
