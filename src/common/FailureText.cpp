#include "common/FailureText.h"

#include <QFileDevice>
#include <QSqlError>
#include <cerrno>
#include <sqlite3.h>

namespace ulk {

namespace {

struct Cause {
    const char *needle; // part of SQLite's message or of the system's error text
    const char *text;
};

// SQLite's messages first, then the system's (errno) texts that Qt passes on.
constexpr Cause kCauses[] = {
    {"database or disk is full", "na disku nie je miesto"},
    {"no space left on device", "na disku nie je miesto"},
    {"disk quota exceeded", "na disku nie je miesto"},
    {"attempt to write a readonly database", "súbor alebo adresár je len na čítanie"},
    {"read-only file system", "súbor alebo adresár je len na čítanie"},
    {"permission denied", "súbor alebo adresár je len na čítanie"},
    {"database is locked", "databázu práve používa iný program"},
    {"database table is locked", "databázu práve používa iný program"},
    {"device or resource busy", "súbor práve používa iný program"},
    {"database disk image is malformed", "súbor databázy je poškodený"},
    {"file is not a database", "súbor databázy je poškodený"},
    {"disk i/o error", "disk sa nepodarilo čítať alebo zapísať"},
    {"input/output error", "disk sa nepodarilo čítať alebo zapísať"},
};

QString joined(const QString &sentence, const QString &second)
{
    return second.isEmpty() ? sentence : sentence + QLatin1Char('\n') + second;
}

} // namespace

QString failureCause(const QString &engineText)
{
    const QString text = engineText.toLower();
    for (const Cause &c : kCauses)
        if (text.contains(QLatin1String(c.needle)))
            return QString::fromUtf8(c.text);
    return QString();
}

QString sqliteCause(int resultCode)
{
    switch (resultCode & 0xff) {
    case SQLITE_FULL: return QStringLiteral("na disku nie je miesto");
    case SQLITE_READONLY: return QStringLiteral("súbor alebo adresár je len na čítanie");
    case SQLITE_PERM: return QStringLiteral("súbor alebo adresár je len na čítanie");
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return QStringLiteral("databázu práve používa iný program");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return QStringLiteral("súbor databázy je poškodený");
    case SQLITE_IOERR: return QStringLiteral("disk sa nepodarilo čítať alebo zapísať");
    case SQLITE_CANTOPEN: return QStringLiteral("súbor databázy nie je možné otvoriť");
    case SQLITE_NOMEM: return QStringLiteral("nie je dosť pamäte");
    case SQLITE_INTERRUPT: return QStringLiteral("práca bola prerušená");
    default: return QStringLiteral("chyba databázy (kód %1)").arg(resultCode);
    }
}

QString systemCause(int errnoValue)
{
    switch (errnoValue) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("na disku nie je miesto");
    case EROFS:
    case EACCES:
    case EPERM: return QStringLiteral("súbor alebo adresár je len na čítanie");
    case EIO: return QStringLiteral("disk sa nepodarilo čítať alebo zapísať");
    case EBUSY: return QStringLiteral("súbor práve používa iný program");
    case ENOENT: return QStringLiteral("súbor alebo adresár neexistuje");
    case EISDIR: return QStringLiteral("na mieste súboru je adresár");
    case ENOTDIR: return QStringLiteral("cesta k súboru nevedie cez adresár");
    case ENAMETOOLONG: return QStringLiteral("názov súboru je príliš dlhý");
    case ENOMEM: return QStringLiteral("nie je dosť pamäte");
    default: return QStringLiteral("chyba systému (kód %1)").arg(errnoValue);
    }
}

QString failureMessage(const QString &sentence, const QString &engineText)
{
    const QString cause = failureCause(engineText);
    return joined(sentence, cause.isEmpty() ? engineText.trimmed() : cause);
}

QString failureMessage(const QString &sentence, const QSqlError &error)
{
    // The driver's part ("Riadok sa nepodarilo natiahnuť") tells a user nothing.
    const QString engine = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return failureMessage(sentence, engine);
}

QString failureMessage(const QString &sentence, const QFileDevice &file)
{
    return failureMessage(sentence, file.errorString());
}

} // namespace ulk
