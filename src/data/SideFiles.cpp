#include "data/SideFiles.h"

#include "common/FailureText.h"
#include "data/LinkedFile.h"
#include "data/RollbackJournal.h"
#include "data/SqliteHeader.h"

#include <QFile>
#include <QFileInfo>

namespace ulk {

namespace {

using Finding = SideFiles::Finding;

// The database's first page, as much of it as there is.
QByteArray firstPageOf(const QString &database, int pageSize)
{
    QFile f(database);
    return f.open(QIODevice::ReadOnly) ? f.read(pageSize) : QByteArray();
}

// Why a hot journal is not the database's own; empty when it is.
QString foreignJournal(const RollbackJournal &journal, const QString &database)
{
    const QString other = QStringLiteral("nedá sa overiť, že patrí práve tomuto súboru (môže to byť žurnál inej "
                                         "databázy alebo inej verzie tohto súboru)");
    const QByteArray header = SqliteHeader::read(database);
    const int pageSize = SqliteHeader::pageSize(header);
    if (pageSize == 0)
        return QStringLiteral("databáza, ku ktorej by patril, chýba alebo nie je databázou");
    if (journal.pageSize != pageSize
        || (!journal.firstPage.isEmpty() && SqliteHeader::pageSize(journal.firstPage) != pageSize))
        return other;
    if (journal.firstPage.isEmpty()) {
        // The transaction never changed page 1, so the header is still the
        // one it began with.
        const qint64 size = SqliteHeader::fileSize(header);
        return size == qint64(journal.initialPages) * pageSize ? QString() : other;
    }
    // Page 1 unchanged since the transaction began: the file's is the copy.
    const quint32 counter = SqliteHeader::changeCounter(header);
    const quint32 before = SqliteHeader::changeCounter(journal.firstPage);
    if (counter == before)
        return firstPageOf(database, pageSize) == journal.firstPage ? QString() : other;
    // Page 1 written by the transaction (which raised the counter by one), and
    // so after its copy was synced. A file that grew meanwhile cannot be told
    // from another file that a committed transaction grew from the same
    // state: its journal is not taken for its own.
    const bool written = counter == before + 1 && journal.firstPageSynced;
    return written && SqliteHeader::fileSize(header) == qint64(journal.initialPages) * pageSize ? QString() : other;
}

// Why the side file is not the database's own; empty when it is or when it
// is harmless.
QString foreignSideFile(const QString &side, const QString &database, bool journal)
{
    const QFileInfo info(side);
    if (LinkedFile::isLink(side))
        return QStringLiteral("je to symbolický odkaz");
    if (!info.exists())
        return QString();
    if (!info.isFile())
        return QStringLiteral("nie je to obyčajný súbor");
    if (!journal)
        return SqliteHeader::isWal(SqliteHeader::read(database))
            ? QString()
            : QStringLiteral("databáza nepracuje v režime WAL, tento súbor k nej nepatrí");
    const RollbackJournal j = RollbackJournal::read(side);
    switch (j.kind) {
    case RollbackJournal::Kind::NotHot: return QString();
    case RollbackJournal::Kind::Unreadable:
        return QStringLiteral("nie je možné ho prečítať: ") + systemCause(j.errorNumber);
    case RollbackJournal::Kind::Invalid: return QStringLiteral("nie je to platný žurnál databázy");
    case RollbackJournal::Kind::Hot: break;
    }
    return foreignJournal(j, database);
}

} // namespace

QString Finding::text() const
{
    const QString name = QFileInfo(file).fileName();
    return QStringLiteral("Pri databáze ulk.mdb leží súbor %1, ktorý program neuznal za jej vlastný: %2. Program ho nepoužil, "
                          "databázu ani tento súbor nezmenil.\n"
                          "Presuňte súbor %3 inam a spustite program znova; ak potom v databáze chýbajú "
                          "údaje, obnovte ju z archívu.")
        .arg(name, cause, file);
}

Finding SideFiles::check(const QString &databaseFile)
{
    // SQLite follows a link and looks beside the file at its end.
    const QString database = LinkedFile::resolve(databaseFile);
    if (database.isEmpty())
        return {};
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QString side = database + QLatin1String(suffix);
        const QString cause = foreignSideFile(side, database, qstrcmp(suffix, "-journal") == 0);
        if (!cause.isEmpty())
            return {side, cause};
    }
    return {};
}

} // namespace ulk
