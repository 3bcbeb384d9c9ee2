#include "common/FailureText.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QSqlError>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>

namespace ulk {

namespace {

QString joined(const QString &sentence, const QString &second)
{
    return second.isEmpty() ? sentence : sentence + QLatin1Char('\n') + second;
}

// The texts Qt's SQLite driver adds to the engine's message, in the language
// the program runs in: they say only which call failed.
QStringList driverTexts()
{
    QStringList texts;
    for (const char *source : {"Unable to execute statement", "Unable to fetch row", "Error opening database",
                               "Error closing database", "Unable to begin transaction",
                               "Unable to commit transaction", "Unable to rollback transaction",
                               "No query", "Parameter count mismatch", "Unable to bind parameters"})
        texts << QCoreApplication::translate("QSQLiteResult", source)
              << QCoreApplication::translate("QSQLiteDriver", source) << QString::fromLatin1(source);
    return texts;
}

// The result code whose own English text the engine's message holds, or 0.
int codeOfEngineText(const QString &text)
{
    const QString lower = text.toLower();
    for (const int code : {SQLITE_FULL, SQLITE_IOERR, SQLITE_CANTOPEN, SQLITE_BUSY, SQLITE_LOCKED, SQLITE_READONLY,
                           SQLITE_CORRUPT, SQLITE_NOTADB, SQLITE_NOMEM, SQLITE_PERM, SQLITE_INTERRUPT, SQLITE_ABORT,
                           SQLITE_PROTOCOL, SQLITE_SCHEMA, SQLITE_TOOBIG, SQLITE_MISMATCH, SQLITE_NOLFS,
                           SQLITE_AUTH})
        if (!lower.isEmpty() && lower.contains(QString::fromUtf8(sqlite3_errstr(code)).toLower()))
            return code;
    return 0;
}

} // namespace

QString damagedRegisterCause()
{
    return QStringLiteral("súbor databázy je poškodený, pokúste sa o obnovu archívu (Servis – Obnova archivovaných "
                          "dát)");
}

QString sqliteCause(int resultCode)
{
    // Extended codes that say more than their primary code.
    switch (resultCode) {
    case SQLITE_IOERR_NOMEM: return QStringLiteral("nie je dosť pamäte");
    case SQLITE_CANTOPEN_ISDIR: return QStringLiteral("na mieste súboru databázy je adresár");
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE: return QStringLiteral("záznam s rovnakým kľúčom už existuje");
    default: break;
    }
    switch (resultCode & 0xff) {
    case SQLITE_ERROR: return QStringLiteral("databáza príkaz odmietla (kód %1)").arg(resultCode);
    case SQLITE_INTERNAL: return QStringLiteral("vnútorná chyba databázy (kód %1)").arg(resultCode);
    case SQLITE_PERM: return QStringLiteral("prístup k súboru databázy nie je povolený");
    case SQLITE_ABORT:
    case SQLITE_INTERRUPT: return QStringLiteral("práca bola prerušená");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_PROTOCOL: return QStringLiteral("databázu práve používa iný program");
    case SQLITE_NOMEM: return QStringLiteral("nie je dosť pamäte");
    case SQLITE_READONLY: return QStringLiteral("súbor alebo adresár je len na čítanie");
    case SQLITE_IOERR: return QStringLiteral("disk sa nepodarilo čítať alebo zapísať");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return damagedRegisterCause();
    case SQLITE_FULL: return QStringLiteral("na disku nie je miesto");
    case SQLITE_CANTOPEN: return QStringLiteral("súbor databázy nie je možné otvoriť");
    case SQLITE_SCHEMA: return QStringLiteral("štruktúra databázy sa medzitým zmenila");
    case SQLITE_TOOBIG: return QStringLiteral("údaj je na databázu príliš veľký");
    case SQLITE_CONSTRAINT: return QStringLiteral("databáza zápis odmietla (kód %1)").arg(resultCode);
    case SQLITE_MISMATCH: return QStringLiteral("údaj nemá typ, ktorý databáza očakáva");
    case SQLITE_NOLFS: return QStringLiteral("súbor databázy je pre tento systém príliš veľký");
    case SQLITE_AUTH: return QStringLiteral("prístup k databáze bol odmietnutý");
    default: return QStringLiteral("chyba databázy (kód %1)").arg(resultCode);
    }
}

QString sqliteCause(const QSqlError &error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    if (numeric && code != SQLITE_OK)
        return sqliteCause(code);
    // The driver's own calls (its commit among them) pass on the engine's
    // words without the code.
    if (const int fromText = codeOfEngineText(error.databaseText()))
        return sqliteCause(fromText);
    // Errors of the driver itself (a statement not prepared, values that do
    // not fit it) carry no code of the engine.
    return QStringLiteral("príkaz databázy sa nepodarilo vykonať");
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
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK: return QStringLiteral("súbor práve používa iný program");
    case ENOENT: return QStringLiteral("súbor alebo adresár neexistuje");
    case EEXIST: return QStringLiteral("súbor už existuje");
    case EISDIR: return QStringLiteral("na mieste súboru je adresár");
    case ENOTDIR: return QStringLiteral("cesta k súboru nevedie cez adresár");
    case ELOOP: return QStringLiteral("na mieste súboru je symbolický odkaz");
    case ENAMETOOLONG: return QStringLiteral("názov súboru je príliš dlhý");
    case EFBIG: return QStringLiteral("súbor je príliš veľký");
    case EXDEV: return QStringLiteral("súbor nie je možné presunúť na iný disk");
    case EMFILE:
    case ENFILE: return QStringLiteral("program má otvorených príliš veľa súborov");
    case ENXIO:
    case ENODEV: return QStringLiteral("zariadenie nie je pripojené");
    case ENOMEM: return QStringLiteral("nie je dosť pamäte");
    case EINTR: return QStringLiteral("práca bola prerušená");
    default: return QStringLiteral("chyba systému (kód %1)").arg(errnoValue);
    }
}

QString failureCause(const QString &text)
{
    QString rest = text;
    for (const QString &driverText : driverTexts())
        if (!driverText.isEmpty())
            rest.remove(driverText);
    rest = rest.trimmed();
    if (rest.isEmpty())
        return text.trimmed().isEmpty() ? QString() : QStringLiteral("príkaz databázy sa nepodarilo vykonať");
    // The engine's own text of a result code, then the system's of an errno.
    if (const int code = codeOfEngineText(rest))
        return sqliteCause(code);
    const QString lower = rest.toLower();
    for (int e = 1; e < 134; ++e) {
        const QString system = QString::fromLocal8Bit(std::strerror(e)).toLower();
        if (!system.startsWith(QLatin1String("unknown error")) && lower.contains(system))
            return systemCause(e);
    }
    return rest;
}

QString failureMessage(const QString &sentence, const QString &cause)
{
    return joined(sentence, failureCause(cause));
}

QString failureMessage(const QString &sentence, const QSqlError &error)
{
    return joined(sentence, sqliteCause(error));
}

QString failureMessage(const QString &sentence, const QFileDevice &file)
{
    const QString cause = failureCause(file.errorString());
    if (!cause.isEmpty() && cause != file.errorString().trimmed())
        return joined(sentence, cause);
    switch (file.error()) {
    case QFileDevice::ReadError: return joined(sentence, QStringLiteral("súbor sa nepodarilo prečítať"));
    case QFileDevice::WriteError: return joined(sentence, QStringLiteral("súbor sa nepodarilo zapísať"));
    case QFileDevice::OpenError: return joined(sentence, QStringLiteral("súbor nie je možné otvoriť"));
    case QFileDevice::ResizeError: return joined(sentence, QStringLiteral("veľkosť súboru nie je možné zmeniť"));
    case QFileDevice::PermissionsError:
        return joined(sentence, QStringLiteral("súbor alebo adresár je len na čítanie"));
    case QFileDevice::CopyError: return joined(sentence, QStringLiteral("súbor sa nepodarilo skopírovať"));
    case QFileDevice::RenameError: return joined(sentence, QStringLiteral("súbor sa nepodarilo premenovať"));
    case QFileDevice::RemoveError: return joined(sentence, QStringLiteral("súbor sa nepodarilo odstrániť"));
    default: return joined(sentence, QStringLiteral("súbor sa nepodarilo spracovať"));
    }
}

} // namespace ulk
