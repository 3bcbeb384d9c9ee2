#include "archive/ui/RestoreWindow.h"

#include "archive/Archiver.h"
#include "archive/Restorer.h"
#include "common/FailureText.h"
#include "common/LongWork.h"
#include "common/Prompter.h"

namespace ulk {

RestoreWindow::RestoreWindow(const QString &programDirectory, QWidget *parent)
    : QDialog(parent), m_dir(programDirectory)
{
    setObjectName(QStringLiteral("FrmDearch_new"));
    setFixedSize(320, 60);
}

void RestoreWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    QMetaObject::invokeMethod(this, &RestoreWindow::run, Qt::QueuedConnection);
}

void RestoreWindow::run()
{
    const QString failure = QStringLiteral("Vyskytla sa chyba pri obnove dát");
    FileRequest request;
    request.title = QStringLiteral("Súbor pre obnovu dát");
    request.fileName = Archiver::offeredName();
    request.filters = {QStringLiteral("záloha (*.zip)")};
    request.filterIndex = 0;
    request.mustExist = true;
    hide();
    const std::optional<QString> chosen = prompter().openFile(request);
    if (!chosen) {
        tell(failure, QString(), PromptIcon::Exclamation);
        done(QDialog::Rejected);
        return;
    }
    const QString source = chosen->trimmed();
    const bool fromMenu = m_mode == QLatin1String("MENU");
    if (fromMenu
        && ask(QStringLiteral("UPOZORNENIE !!") + QStringLiteral("\r\n\r\n")
                   + QStringLiteral("Momentálny obsah dát bude premazaný !!!"),
               QString(), PromptIcon::Information, PromptButtons::YesNo)
               != PromptAnswer::Yes) {
        done(QDialog::Rejected);
        return;
    }

    QString why;
    Restorer::Outcome outcome = Restorer::Outcome::Failed;
    {
        // The program's waiting window shows the unpacking and the check.
        const LongWork::Action restoring(QStringLiteral("Obnova archivovaných dát"), QString());
        outcome = Restorer::restore(m_dir, source, fromMenu, &why);
    }
    switch (outcome) {
    case Restorer::Outcome::Restored:
        tell(QStringLiteral("Obnova dát bola úspešne ukončená"), QString(), PromptIcon::Information);
        break;
    case Restorer::Outcome::Skipped: break;
    case Restorer::Outcome::NoDatabase:
        tell(QStringLiteral("Obnova dát nebola úspešná, chybný arch_ulk.zip"), QString(), PromptIcon::Information);
        break;
    case Restorer::Outcome::NotExpectedData:
        tell(QStringLiteral("Vybraný súbor neobsahuje očakávané dáta"), QString(), PromptIcon::Exclamation);
        break;
    case Restorer::Outcome::Failed:
        // The previous register stays as it was.
        tell(failureMessage(failure, why), QString(), PromptIcon::Exclamation);
        break;
    }
    done(outcome == Restorer::Outcome::Restored ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace ulk
