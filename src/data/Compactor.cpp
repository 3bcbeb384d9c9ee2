#include "data/Compactor.h"

#include "common/FailureText.h"
#include "common/LongWork.h"
#include "data/Database.h"
#include "data/LinkedFile.h"
#include "data/Parts.h"
#include "data/RegisterConnection.h"
#include "data/RegisterLock.h"
#include "data/SideFiles.h"
#include "data/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QUrl>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <sqlite3.h>
#include <fcntl.h>
#include <unistd.h>

namespace ulk::Compactor {

namespace {

QString canonical(const QString &path)
{
    const QFileInfo fi(path);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? fi.absoluteFilePath() : c;
}

// The file a connection was opened on: a plain path or a file: URI.
QString fileOfConnection(const QString &databaseName)
{
    if (databaseName.startsWith(QLatin1String("file:"))) {
        QString withoutQuery = databaseName;
        const int q = withoutQuery.indexOf(QLatin1Char('?'));
        if (q >= 0)
            withoutQuery.truncate(q);
        return QUrl(withoutQuery).toLocalFile();
    }
    return databaseName;
}

// Writes a file's data to the disk before it is trusted to replace ulk.mdb.
bool syncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Makes a rename inside the directory durable.
void syncDirectory(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// The b-tree check of the copy, table by table (each with its indexes) on a
// few threads at once, each thread on a connection of its own. A copy made
// by VACUUM INTO has no free pages, so its b-trees are all of its pages.
// The tables named in a schema as readContents() lists it.
QStringList tablesOf(const Contents &contents)
{
    QStringList tables;
    for (const QString &entry : contents.schema)
        if (entry.startsWith(QLatin1String("table ")))
            tables << entry.section(QLatin1Char(' '), 1, 1);
    return tables;
}

// One PRAGMA run to its end; its first value, or nothing (with the Slovak
// cause in *why).
std::optional<QString> pragmaValue(sqlite3 *db, const QByteArray &sql, QString *why)
{
    sqlite3_stmt *st = nullptr;
    std::optional<QString> value;
    const int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
    if (!Parts::stepAll(
            db, st, rc,
            [&](sqlite3_stmt *row) {
                if (!value)
                    value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(row, 0)));
            },
            why))
        return std::nullopt;
    if (!value)
        *why = QStringLiteral("kontrola nedala výsledok");
    return value;
}

// The b-tree check of the copy, table by table (each with its indexes), in
// parts side by side, each part on a connection of its own. A copy made by
// VACUUM INTO has no free pages, so its b-trees are all of its pages.
bool checkTreesInParallel(const QString &path, const QStringList &tables, QString *error)
{
    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    const auto work = [&](int part) {
        const RegisterConnection own(path, RegisterConnection::Access::ReadOnly);
        QString why = own.error();
        if (own.isOpen() && part == 0) {
            const std::optional<QString> free = pragmaValue(own.handle(), "PRAGMA freelist_count", &why);
            if (free && *free != QLatin1String("0"))
                why = QStringLiteral("kópia má voľné stránky");
        }
        for (int i = next++; why.isEmpty() && !failed && i < tables.size(); i = next++) {
            const QByteArray sql = QStringLiteral("PRAGMA quick_check(\"%1\")").arg(tables.at(i)).toUtf8();
            const std::optional<QString> result = pragmaValue(own.handle(), sql, &why);
            if (result && *result != QLatin1String("ok")) {
                qWarning("ulk: %s: %s", qUtf8Printable(tables.at(i)), qUtf8Printable(*result));
                why = tables.at(i) + QStringLiteral(": ") + sqliteCause(SQLITE_CORRUPT);
            }
        }
        if (!why.isEmpty())
            failed = true;
        return why;
    };
    const QString why =
        Parts::firstFailure(Parts::run(int(std::min<qsizetype>(Parts::machine(), tables.size() + 1)), work));
    if (!why.isEmpty() && error)
        *error = why;
    return why.isEmpty();
}

// What failed, then its cause; a thread that could not start is told as it
// is (nothing was found wrong).
QString failedWith(const QString &what, const QString &why)
{
    return why == LongWork::startFailure() ? why : what + why;
}

// Copies ulk.mdb into tmp.mdb, checks the copy and puts it in place of
// ulk.mdb; the failure, or an empty text.
QString copyAndReplace(const QDir &dir, const QString &source, const QString &target)
{
    // What the copy must hold is read on a connection of its own while a
    // fresh connection makes the copy: both only read ulk.mdb, and with the
    // register held and no connection of the program open nothing writes it.
    // (The program's first read at start rolled back any journal a crash left.)
    QString why;
    Contents before;
    const QString contentsWhy = Parts::firstFailure(Parts::run(
        1,
        [&](int) {
            QString failure;
            return readContents(source, &before, &failure) ? QString() : failure;
        },
        [&] {
            const RegisterConnection own(source, RegisterConnection::Access::ReadWrite,
                                         RegisterConnection::Api::QtSql, QStringLiteral("ulk-compact"));
            if (!own.isOpen()) {
                why = QStringLiteral("databázu nie je možné otvoriť: ") + own.error();
                return;
            }
            QSqlQuery q(own.database());
            // The copy is written to the disk once, below, while it is checked.
            q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
            if (!q.prepare(QStringLiteral("VACUUM INTO ?"))) {
                why = RegisterConnection::causeOf(q.lastError());
            } else {
                q.addBindValue(QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath()));
                if (!q.exec())
                    why = QStringLiteral("kópiu databázy nie je možné vytvoriť: ")
                        + RegisterConnection::causeOf(q.lastError());
            }
        }));
    if (!contentsWhy.isEmpty())
        return failedWith(QStringLiteral("databázu nie je možné prečítať: "), contentsWhy);
    if (!why.isEmpty())
        return why;

    Contents after;
    if (!readContents(target, &after, &why))
        return QStringLiteral("kópiu databázy nie je možné prečítať: ") + why;
    if (!(after == before))
        return QStringLiteral("kópia databázy nemá všetky údaje");
    // The copy goes to the disk while its b-trees are checked.
    bool checked = false, usable = false;
    const QString notSynced = Parts::run(
                                  1, [&](int) { return syncFile(target) ? QString() : QStringLiteral("zápis na disk"); },
                                  [&] {
                                      checked = true;
                                      usable = Database::isUsableFile(target, &why, false)
                                          && checkTreesInParallel(target, tablesOf(after), &why);
                                  })
                                  .constFirst();
    const bool synced = notSynced.isEmpty();
    if (!checked)
        return notSynced;
    if (!usable)
        return failedWith(QStringLiteral("kópia databázy nie je v poriadku: "), why);
    if (!synced)
        return QStringLiteral("kópiu databázy nie je možné zapísať na disk");

    // A journal beside ulk.mdb would be played into the new file at its next
    // opening: leave everything as it is rather than replace the file.
    if (QFileInfo::exists(source + QStringLiteral("-journal")))
        return QStringLiteral("pri súbore ulk.mdb zostal rozpracovaný zápis (ulk.mdb-journal)");

    // rename(2) replaces ulk.mdb in one step: there is never a moment without it.
    if (std::rename(QFile::encodeName(target).constData(), QFile::encodeName(source).constData()) != 0)
        return QStringLiteral("súbor %1 nie je možné premenovať na %2")
            .arg(QFileInfo(target).fileName(), QFileInfo(source).fileName());
    // dir is the folder of the file replaced: the one a link leads to, where there is one.
    syncDirectory(dir.absolutePath());
    return QString();
}

} // namespace

QStringList connectionsOn(const QString &filePath)
{
    const QString target = canonical(filePath);
    QStringList names;
    for (const QString &name : QSqlDatabase::connectionNames()) {
        const QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen() && canonical(fileOfConnection(db.databaseName())) == target)
            names << name;
    }
    return names;
}

bool readContents(QSqlDatabase db, Contents *contents, QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY type, name"))) {
        if (error)
            *error = RegisterConnection::causeOf(q.lastError());
        return false;
    }
    while (q.next())
        contents->schema << q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString() + QLatin1Char(' ')
                + q.value(2).toString();
    for (const QString &t : Database::expectedTables()) {
        if (!q.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t)) || !q.next()) {
            if (error)
                *error = RegisterConnection::causeOf(q.lastError());
            return false;
        }
        contents->rowCounts.append(q.value(0).toLongLong());
    }
    return true;
}

bool readContents(const QString &filePath, Contents *contents, QString *error)
{
    const RegisterConnection own(filePath, RegisterConnection::Access::ReadOnly, RegisterConnection::Api::QtSql,
                                 QStringLiteral("ulk-contents"));
    if (!own.isOpen()) {
        if (error)
            *error = own.error();
        return false;
    }
    return readContents(own.database(), contents, error);
}

bool compact(const QString &programDirectory, QString *error)
{
    const QDir dir(programDirectory);
    // ulk.mdb may be a link to the register kept elsewhere: the file at its
    // end is compacted, its copy made and renamed in that file's own folder.
    QString linkWhy;
    const QString source = LinkedFile::resolve(dir.filePath(Database::fileName()), &linkWhy);
    const QDir sourceDir = QFileInfo(source).absoluteDir();
    const bool linked = !source.isEmpty() && sourceDir.absolutePath() != dir.absolutePath();
    QString target = dir.filePath(QStringLiteral("tmp.mdb"));
    auto fail = [&](const QString &why) {
        TempFiles::removeWithJournals(target);
        if (error)
            *error = why;
        return false;
    };
    auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // ulk.mdb is replaced only while no other program works on it.
    const RegisterLock lock(programDirectory);
    if (!lock.isHeld()) {
        // Nothing here is ours to touch, not even tmp.mdb.
        return refuse(QStringLiteral("register práve používa iný spustený program"));
    }
    if (source.isEmpty())
        return refuse(linkWhy);
    if (!QFileInfo::exists(source))
        return fail(QStringLiteral("súbor ulk.mdb chýba"));
    // What lies beside the register would be played into it at its opening.
    const SideFiles::Finding side = SideFiles::check(source);
    if (!side.clear())
        return refuse(SideFiles::refusal(side, source));
    if (linked) {
        // Nothing in a folder of others is removed: the copy gets a name of its own.
        QTemporaryFile copy(sourceDir.filePath(TempFiles::restoreTemplate()));
        if (!copy.open())
            return refuse(QStringLiteral("v priečinku %1, kam vedie odkaz ulk.mdb, nie je možné vytvoriť kópiu "
                                         "databázy: %2; odkaz ani súbor sa nezmenili")
                              .arg(QDir::toNativeSeparators(sourceDir.absolutePath()), systemCause(errno)));
        copy.setAutoRemove(false);
        target = copy.fileName();
        copy.setPermissions(QFile::permissions(source));
    }
    // A connection still open on ulk.mdb would go on writing into the old
    // file after the rename, and its changes would be lost.
    if (!connectionsOn(source).isEmpty())
        return fail(QStringLiteral("súbor ulk.mdb je ešte otvorený"));
    // A copy left by an earlier failed exit is stale, and so is a journal
    // beside it, which would be played into the new copy: remove them first.
    if (!linked)
        TempFiles::removeWithJournals(target);
    if (!linked && QFileInfo::exists(target))
        return fail(QStringLiteral("súbor tmp.mdb nie je možné odstrániť"));

    // The copy is made and checked off the window thread, which meanwhile shows the exit.
    const QString why = LongWork::run(QString(), [&](WorkProgress &) { return copyAndReplace(sourceDir, source, target); });
    return why.isEmpty() || fail(why);
}

} // namespace ulk::Compactor
