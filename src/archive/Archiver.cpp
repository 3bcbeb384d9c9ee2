#include "archive/Archiver.h"

#include "archive/ZipArchive.h"
#include "data/Database.h"
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

bool Archiver::pack(const QString &programDirectory, QString *error)
{
    const QDir dir(programDirectory);
    const QString database = Database::pathIn(programDirectory);
    if (!QFileInfo::exists(database))
        return true;

    // The copy that goes into the archive: made by SQLite in one read
    // transaction, so it is consistent even if the file were in use.
    QTemporaryFile copy(dir.filePath(TempFiles::archiveCopyTemplate()));
    if (!copy.open())
        return fail(error, QStringLiteral("dočasný súbor nie je možné vytvoriť: ") + copy.errorString());
    copy.close();
    // The copy and whatever SQLite put beside it go, packed or not.
    const QString copyName = copy.fileName();
    const auto removeCopy = qScopeGuard([&] { TempFiles::removeWithJournals(copyName); });

    const QString name = QStringLiteral("ulk-archive");
    QString why;
    {
        QSqlDatabase db = Database::openExtra(database, name, true, &why);
        if (db.isOpen()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("VACUUM INTO ?"));
            q.addBindValue(QDir::toNativeSeparators(copy.fileName()));
            if (!q.exec())
                why = q.lastError().text();
        }
    }
    Database::closeExtra(name);
    if (!why.isEmpty())
        return fail(error, QStringLiteral("kópiu databázy nie je možné vytvoriť: ") + why);
    if (!Database::isUsableFile(copy.fileName(), &why))
        return fail(error, QStringLiteral("kópia databázy nie je v poriadku: ") + why);
    return ZipArchive::writeSingleEntry(dir.filePath(tempArchiveName()), entryName(), copy.fileName(), error);
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
