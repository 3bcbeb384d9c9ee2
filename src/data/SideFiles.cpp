#include "data/SideFiles.h"

#include "common/FailureText.h"
#include "common/LongWork.h"
#include "data/JournalMark.h"
#include "data/LinkedFile.h"
#include "data/RegisterCheck.h"
#include "data/RegisterConnection.h"
#include "data/RollbackJournal.h"
#include "data/SqliteHeader.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <cerrno>

namespace ulk {

namespace {

using Finding = SideFiles::Finding;

// The database's first page (as much as the largest page size can hold);
// empty when it cannot be read (*error then says why).
QByteArray firstPageOf(const QString &database, int *error)
{
    QFile f(database);
    errno = 0;
    const bool opened = f.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    const QByteArray page = opened ? f.read(65536) : QByteArray();
    *error = !opened || f.error() != QFileDevice::NoError ? (errno != 0 ? errno : EIO) : 0;
    return page;
}

// Why a hot journal is not the database's own; empty when it is.
QString foreignJournal(const RollbackJournal &journal, const QString &database)
{
    const QString other = QStringLiteral("nedá sa overiť, že patrí práve tomuto súboru (môže to byť žurnál inej "
                                         "databázy alebo inej verzie tohto súboru)");
    int error = 0;
    const QByteArray first = firstPageOf(database, &error);
    if (error != 0)
        return QStringLiteral("databázu, ku ktorej by patril, nie je možné prečítať: ") + systemCause(error);
    const int pageSize = SqliteHeader::pageSize(first);
    if (pageSize == 0)
        return QStringLiteral("databáza, ku ktorej by patril, chýba alebo nie je databázou");
    // Every transaction of the program journals page 1 first, and never
    // names a super-journal.
    if (journal.pageSize != pageSize || journal.firstPage.isEmpty() || journal.namesSuperJournal)
        return other;
    // The database is cut back to the size the header gives, which is the
    // size that its copy of page 1 recorded.
    if (SqliteHeader::pageCount(journal.firstPage) != qint64(journal.initialPages))
        return QStringLiteral("jeho hlavička je poškodená");
    const QByteArray page = first.left(pageSize);
    // Page 1 not yet written by the transaction, or written by it.
    if (page == journal.firstPage || page.mid(JournalMark::kOffset, JournalMark::kBytes) == journal.nonce)
        return QString();
    return other;
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
    if (!journal) {
        if (!SqliteHeader::isWal(SqliteHeader::read(database)))
            return QStringLiteral("databáza nepracuje v režime WAL, tento súbor k nej nepatrí");
        // The program writes no WAL file of its own: one that holds anything
        // cannot be shown to hold this file's changes.
        return side.endsWith(QLatin1String("-wal")) && info.size() > 0
            ? QStringLiteral("obsahuje zmeny, o ktorých sa nedá overiť, že patria práve tomuto súboru")
            : QString();
    }
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

// Whether the database, read as it lies and without anything beside it
// (SQLite's immutable mode, which never touches a journal), is a whole
// register: empty when it is, else why not. Reads the whole file.
QString damageWithout(const QString &databaseFile)
{
    const RegisterConnection alone(databaseFile, RegisterConnection::Access::Immutable,
                                   RegisterConnection::Api::QtSql, QStringLiteral("ulk-alone"));
    if (!alone.isOpen())
        return alone.error();
    QSqlDatabase db = alone.database();
    const RegisterCheck::Result r = RegisterCheck::run(db, true);
    if (r.usable())
        return QString();
    return r.cause.isEmpty() ? QStringLiteral("súbor databázy je poškodený") : r.cause;
}

} // namespace

QString Finding::text(const QString &damage) const
{
    const QString name = QFileInfo(file).fileName();
    const QString found = QStringLiteral("Pri databáze ulk.mdb leží súbor %1, ktorý program neuznal za jej vlastný: "
                                         "%2. Program ho nepoužil, databázu ani tento súbor nezmenil.\n")
                              .arg(name, cause);
    if (damage.isEmpty())
        return found
            + QStringLiteral("Databáza ulk.mdb je aj bez neho celá: presuňte súbor %1 inam a spustite program znova; "
                             "ak potom v databáze chýbajú údaje, obnovte ju z archívu.")
                  .arg(file);
    qWarning("ulk: databáza bez súboru %s nie je celá: %s", qUtf8Printable(file), qUtf8Printable(damage));
    return found
        + QStringLiteral("Databáza ulk.mdb bez neho nie je celá: potrebuje svoj vlastný žurnál alebo obnovu z "
                         "archívu. Nepresúvajte preto len súbor %1. Ak chcete databázu obnoviť z archívu, presuňte "
                         "inam oba súbory, ulk.mdb aj %2, a spustite program znova: ponúkne obnovu archívu.")
              .arg(file, name);
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

QString SideFiles::refusal(const Finding &finding, const QString &databaseFile)
{
    QString damage;
    const QString failure = LongWork::run(QStringLiteral("Kontroluje sa, či je databáza ulk.mdb celá aj bez súboru %1 …")
                                              .arg(QFileInfo(finding.file).fileName()),
                                          [&](WorkProgress &) {
                                              damage = damageWithout(databaseFile);
                                              return QString();
                                          });
    return finding.text(failure.isEmpty() ? damage : failure);
}

} // namespace ulk
