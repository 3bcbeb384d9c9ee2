#include "app/ProgramExit.h"

#include "common/Prompter.h"
#include "data/Compactor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ulk {

void ProgramExit::compactRegister(const QString &programDirectory)
{
    // The temporary archive is left for the next exit when the compaction fails.
    QString error;
    if (!Compactor::compact(programDirectory, &error)) {
        tell(QStringLiteral("Databázu sa nepodarilo zhustiť, súbor ulk.mdb zostal bez zmeny: ") + error,
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        return;
    }
    const QString archive = QDir(programDirectory).filePath(QStringLiteral("arch_tmp.zip"));
    if (QFileInfo::exists(archive) && !QFile::remove(archive))
        tell(QStringLiteral("Dočasný archív arch_tmp.zip sa nepodarilo vymazať."), QStringLiteral("Upozornenie"),
             PromptIcon::Exclamation);
}

} // namespace ulk
