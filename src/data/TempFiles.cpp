#include "data/TempFiles.h"

#include "data/Database.h"
#include "data/LinkedFile.h"
#include "data/RegisterLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace ulk {

namespace {
// Removes the files of the folder whose names match.
void removeMatching(const QString &folder, const QRegularExpression &names)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (names.match(name).hasMatch())
            QFile::remove(dir.filePath(name));
}
} // namespace

void TempFiles::removeWithJournals(const QString &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

void TempFiles::removeLeftovers(const QString &programDirectory)
{
    if (!RegisterLock::heldByThisProcess(programDirectory))
        return;
    static const QRegularExpression ours(QStringLiteral(
        "^(?:(?:arch|ulk)_[A-Za-z0-9]{6}\\.tmp(?:-journal|-wal|-shm)?|arch_tmp\\.zip\\.[A-Za-z0-9]{6}|tmp\\.mdb-journal)$"));
    removeMatching(programDirectory, ours);
    // In the folder ulk.mdb links to, the program makes only its copies of
    // the register (restored or compacted); nothing else there is its own.
    const QString linked = RegisterLock::linkedFolder(programDirectory);
    static const QRegularExpression copies(QStringLiteral("^ulk_[A-Za-z0-9]{6}\\.tmp(?:-journal|-wal|-shm)?$"));
    if (!linked.isEmpty())
        removeMatching(linked, copies);
    // A Koniec killed while it copied leaves tmp.mdb. The copy takes the place
    // of ulk.mdb in one rename, so while ulk.mdb stands tmp.mdb holds nothing
    // it lacks; without it, tmp.mdb may hold the only copy of the data (an
    // older program's exit deleted ulk.mdb before it renamed tmp.mdb).
    const QFileInfo database(LinkedFile::resolve(Database::pathIn(programDirectory)));
    const QFileInfo compacted(QDir(programDirectory).filePath(QStringLiteral("tmp.mdb")));
    if (database.isFile() && compacted.canonicalFilePath() != database.canonicalFilePath())
        QFile::remove(compacted.filePath());
}

} // namespace ulk
