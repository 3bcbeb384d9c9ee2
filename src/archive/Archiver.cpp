#include "archive/Archiver.h"

#include "archive/ZipArchive.h"
#include "data/Database.h"
#include "data/Parts.h"
#include "data/SqliteHeader.h"
#include "data/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace ulk {

namespace {
bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// Whether two existing paths name the same file (also through links).
bool sameFile(const QString &a, const QString &b)
{
    std::error_code ec;
    const bool same = std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
                                                  std::filesystem::path(QFile::encodeName(b).toStdString()), ec);
    return !ec && same;
}

bool copyInto(const QString &from, const QString &to, QString *error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("súbor %1 nie je možné čítať: %2").arg(from, source.errorString()));
    // The target is written beside itself and takes its name only when complete.
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("súbor %1 nie je možné zapísať: %2").arg(to, target.errorString()));
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0)
            return fail(error, QStringLiteral("súbor %1 nie je možné čítať: %2").arg(from, source.errorString()));
        if (n == 0)
            break;
        if (target.write(buffer, n) != n)
            return fail(error, QStringLiteral("súbor %1 nie je možné zapísať: %2").arg(to, target.errorString()));
    }
    if (!target.commit())
        return fail(error, QStringLiteral("súbor %1 nie je možné zapísať: %2").arg(to, target.errorString()));
    return true;
}
} // namespace

namespace {
// Packs a consistent copy of the database made by SQLite (VACUUM INTO), for a
// file that cannot be packed as it stands.
bool packCopy(const QDir &dir, QSqlDatabase db, const QString &zipPath, QString *error)
{
    QTemporaryFile copy(dir.filePath(TempFiles::archiveCopyTemplate()));
    if (!copy.open())
        return fail(error, QStringLiteral("dočasný súbor nie je možné vytvoriť: ") + copy.errorString());
    copy.close();
    // The copy and whatever SQLite put beside it go, packed or not.
    const QString copyName = copy.fileName();
    const auto removeCopy = qScopeGuard([&] { TempFiles::removeWithJournals(copyName); });
    QSqlQuery q(db);
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(QDir::toNativeSeparators(copyName));
    if (!q.exec())
        return fail(error, QStringLiteral("kópiu databázy nie je možné vytvoriť: ") + q.lastError().text());
    QString why;
    if (!Database::isUsableFile(copyName, &why))
        return fail(error, QStringLiteral("kópia databázy nie je v poriadku: ") + why);
    return ZipArchive::writeSingleEntry(zipPath, Archiver::entryName(), copyName, error);
}

// Packs the database file as it stands. The caller's read transaction keeps
// every writer out meanwhile; the file is checked while it is packed, and a
// file that fails the check leaves no archive.
bool packFile(const QString &database, const QString &zipPath, QString *error)
{
    QString why;
    bool packed = false;
    const bool usable =
        Parts::run(
            1, [&](int) { return Database::isUsableFile(database, &why) ? QString() : why; },
            [&] { packed = ZipArchive::writeSingleEntry(zipPath, Archiver::entryName(), database, error); })
            .constFirst()
            .isEmpty();
    if (packed && !usable) {
        QFile::remove(zipPath);
        return fail(error, QStringLiteral("databáza nie je v poriadku\n") + why);
    }
    return packed;
}
} // namespace

bool Archiver::pack(const QString &programDirectory, QString *error)
{
    const QDir dir(programDirectory);
    const QString database = Database::pathIn(programDirectory);
    if (!QFileInfo::exists(database))
        return true;
    const QString zipPath = dir.filePath(tempArchiveName());

    // One read transaction on a connection of its own: what is packed is the
    // database as one commit left it. The connection may write, so that a
    // journal left by a crash is rolled back before anything is read.
    const QString name = QStringLiteral("ulk-archive");
    bool ok = false;
    {
        QString why;
        QSqlDatabase db = Database::openExtra(database, name, false, &why);
        QSqlQuery q(db);
        if (!db.isOpen() || !db.transaction() || !q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            if (why.isEmpty())
                why = db.lastError().text() + q.lastError().text();
            ok = fail(error, QStringLiteral("databázu nie je možné čítať\n") + why);
        } else {
            q.finish();
            // The file itself holds the whole database unless it is kept in
            // WAL mode or its header does not give its size; only then is a
            // copy made first.
            const QByteArray header = SqliteHeader::read(database);
            const bool whole = !SqliteHeader::isWal(header)
                && SqliteHeader::fileSize(header) == QFileInfo(database).size();
            if (whole) {
                ok = packFile(database, zipPath, error);
                db.rollback();
            } else {
                // VACUUM INTO takes its own read transaction.
                db.rollback();
                ok = packCopy(dir, db, zipPath, error);
            }
        }
    }
    Database::closeExtra(name);
    return ok;
}

bool Archiver::deliver(const QString &programDirectory, const QString &target, QString *error)
{
    const QDir dir(programDirectory);
    const QString temp = dir.filePath(tempArchiveName());
    if (target.isEmpty())
        return fail(error, QStringLiteral("nie je zvolený súbor archívu"));
    const QString chosen = QDir::cleanPath(dir.absoluteFilePath(target));
    if (sameFile(chosen, Database::pathIn(programDirectory)))
        return fail(error, QStringLiteral("archív nemôže prepísať samotnú databázu ulk.mdb"));

    if (chosen == QDir::cleanPath(dir.absoluteFilePath(offeredName()))) {
        // rename(2) replaces an older arch_ulk.zip in the same step.
        if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(chosen).constData()) != 0)
            return fail(error, QStringLiteral("súbor %1 nie je možné premenovať na %2: %3")
                                   .arg(temp, chosen, qt_error_string(errno)));
        return true;
    }
    if (sameFile(chosen, temp))
        return true; // the archive already stands there
    return copyInto(temp, chosen, error);
}

} // namespace ulk
