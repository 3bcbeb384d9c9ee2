#include "data/TempFiles.h"

#include "data/RegisterLock.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace ulk {

bool TempFiles::isOurs(const QString &fileName)
{
    static const QRegularExpression ours(QStringLiteral(
        "^(?:(?:arch|ulk)_[A-Za-z0-9]{6}\\.tmp(?:-journal|-wal|-shm)?|arch_tmp\\.zip\\.[A-Za-z0-9]{6}|tmp\\.mdb-journal)$"));
    return ours.match(fileName).hasMatch();
}

void TempFiles::removeWithJournals(const QString &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

void TempFiles::removeLeftovers(const QString &programDirectory)
{
    if (!RegisterLock::heldByThisProcess(programDirectory))
        return;
    const QDir dir(programDirectory);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (isOurs(name))
            QFile::remove(dir.filePath(name));
}

} // namespace ulk
