#include "app/ProgramExit.h"

#include "common/FailureText.h"
#include "common/LongWork.h"
#include "common/Prompter.h"
#include "data/Compactor.h"
#include "data/RegisterLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ulk {

void ProgramExit::compactRegister(const QString &programDirectory)
{
    // The temporary archive is left for the next exit when the compaction fails.
    // A second start meanwhile is told that this program is ending.
    RegisterLock::markEnding(programDirectory);
    QString error;
    bool compacted = false;
    {
        LongWork::Action ending(QStringLiteral("Koniec programu"),
                                QStringLiteral("Program sa ukončuje: zhusťuje sa databáza …"));
        compacted = Compactor::compact(programDirectory, &error);
    }
    if (!compacted) {
        tell(failureMessage(QStringLiteral("Databázu sa nepodarilo zhustiť, súbor ulk.mdb zostal bez zmeny."), error),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        return;
    }
    const QString archive = QDir(programDirectory).filePath(QStringLiteral("arch_tmp.zip"));
    if (QFileInfo::exists(archive) && !QFile::remove(archive))
        tell(QStringLiteral("Dočasný archív arch_tmp.zip sa nepodarilo vymazať."), QStringLiteral("Upozornenie"),
             PromptIcon::Exclamation);
}

} // namespace ulk
