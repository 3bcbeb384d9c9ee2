#include "data/Compactor.h"

#include "data/Database.h"
#include "data/RegisterLock.h"
#include "data/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>
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

bool checkTreesInParallel(const QString &path, const QStringList &tables, QString *error)
{
    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    QString firstError;
    std::mutex errorLock;
    auto work = [&](int worker) {
        const QString name = QStringLiteral("ulk-compact-check-%1").arg(worker);
        {
            QString why;
            QSqlDatabase db = Database::openExtra(path, name, true, &why);
            QSqlQuery q(db);
            if (db.isOpen() && worker == 0 && (!q.exec(QStringLiteral("PRAGMA freelist_count")) || !q.next()
                                               || q.value(0).toLongLong() != 0))
                why = QStringLiteral("kópia má voľné stránky");
            for (int i = next++; why.isEmpty() && db.isOpen() && !failed && i < tables.size(); i = next++) {
                if (!q.exec(QStringLiteral("PRAGMA quick_check(\"%1\")").arg(tables.at(i))) || !q.next())
                    why = q.lastError().text();
                else if (q.value(0).toString() != QLatin1String("ok"))
                    why = tables.at(i) + QStringLiteral(": ") + q.value(0).toString();
                q.finish();
            }
            if (!db.isOpen() || !why.isEmpty()) {
                failed = true;
                const std::lock_guard guard(errorLock);
                if (firstError.isEmpty())
                    firstError = why.isEmpty() ? db.lastError().text() : why;
            }
        }
        Database::closeExtra(name);
    };
    const int workers = int(qBound(1u, std::thread::hardware_concurrency() / 2, 4u));
    std::vector<std::thread> threads;
    for (int w = 1; w < workers; ++w)
        threads.emplace_back(work, w);
    work(0);
    for (std::thread &t : threads)
        t.join();
    if (failed && error)
        *error = firstError;
    return !failed;
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
            *error = q.lastError().text();
        return false;
    }
    while (q.next())
        contents->schema << q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString() + QLatin1Char(' ')
                + q.value(2).toString();
    for (const QString &t : Database::expectedTables()) {
        if (!q.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t)) || !q.next()) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
        contents->rowCounts.append(q.value(0).toLongLong());
    }
    return true;
}

bool readContents(const QString &filePath, Contents *contents, QString *error)
{
    const QString name = QStringLiteral("ulk-contents");
    bool ok = false;
    {
        QSqlDatabase db = Database::openExtra(filePath, name, true, error);
        ok = db.isOpen() && readContents(db, contents, error);
    }
    Database::closeExtra(name);
    return ok;
}

bool compact(const QString &programDirectory, QString *error)
{
    const QDir dir(programDirectory);
    const QString source = dir.filePath(Database::fileName());
    const QString target = dir.filePath(QStringLiteral("tmp.mdb"));
    auto fail = [&](const QString &why) {
        TempFiles::removeWithJournals(target);
        if (error)
            *error = why;
        return false;
    };
    // ulk.mdb is replaced only while no other program works on it.
    const RegisterLock lock(programDirectory);
    if (!lock.isHeld()) {
        // Nothing here is ours to touch, not even tmp.mdb.
        if (error)
            *error = QStringLiteral("register práve používa iný spustený program");
        return false;
    }
    if (!QFileInfo::exists(source))
        return fail(QStringLiteral("súbor ulk.mdb chýba"));
    // A connection still open on ulk.mdb would go on writing into the old
    // file after the rename, and its changes would be lost.
    if (!connectionsOn(source).isEmpty())
        return fail(QStringLiteral("súbor ulk.mdb je ešte otvorený"));
    // A copy left by an earlier failed exit is stale, and so is a journal
    // beside it, which would be played into the new copy: remove them first.
    TempFiles::removeWithJournals(target);
    if (QFileInfo::exists(target))
        return fail(QStringLiteral("súbor tmp.mdb nie je možné odstrániť"));

    // What the copy must hold is read on a connection of its own while a
    // fresh connection makes the copy: both only read ulk.mdb, and with the
    // register held and no connection of the program open nothing writes it.
    // (The program's first read at start rolled back any journal a crash left.)
    QString why, contentsWhy;
    Contents before;
    bool contentsRead = false;
    std::thread contents([&] { contentsRead = readContents(source, &before, &contentsWhy); });
    const QString name = QStringLiteral("ulk-compact");
    {
        QSqlDatabase db = Database::openExtra(source, name, false, &why);
        if (db.isOpen()) {
            QSqlQuery q(db);
            // The copy is written to the disk once, below, while it is checked.
            q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
            if (!q.prepare(QStringLiteral("VACUUM INTO ?"))) {
                why = q.lastError().text();
            } else {
                q.addBindValue(QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath()));
                if (!q.exec())
                    why = QStringLiteral("kópiu databázy nie je možné vytvoriť: ") + q.lastError().text();
            }
        } else {
            why = QStringLiteral("databázu nie je možné otvoriť: ") + why;
        }
    }
    Database::closeExtra(name);
    contents.join();
    if (!contentsRead)
        return fail(QStringLiteral("databázu nie je možné prečítať: ") + contentsWhy);
    if (!why.isEmpty())
        return fail(why);

    Contents after;
    if (!readContents(target, &after, &why))
        return fail(QStringLiteral("kópiu databázy nie je možné prečítať: ") + why);
    if (!(after == before))
        return fail(QStringLiteral("kópia databázy nemá všetky údaje"));
    // The copy goes to the disk while its b-trees are checked.
    bool synced = false;
    std::thread sync([&] { synced = syncFile(target); });
    const bool usable =
        Database::isUsableFile(target, &why, false) && checkTreesInParallel(target, tablesOf(after), &why);
    sync.join();
    if (!usable)
        return fail(QStringLiteral("kópia databázy nie je v poriadku: ") + why);
    if (!synced)
        return fail(QStringLiteral("kópiu databázy nie je možné zapísať na disk"));

    // A journal beside ulk.mdb would be played into the new file at its next
    // opening: leave everything as it is rather than replace the file.
    if (QFileInfo::exists(source + QStringLiteral("-journal")))
        return fail(QStringLiteral("pri súbore ulk.mdb zostal rozpracovaný zápis (ulk.mdb-journal)"));

    // rename(2) replaces ulk.mdb in one step: there is never a moment without it.
    if (std::rename(QFile::encodeName(target).constData(), QFile::encodeName(source).constData()) != 0)
        return fail(QStringLiteral("súbor tmp.mdb nie je možné premenovať na ulk.mdb"));
    syncDirectory(dir.absolutePath());
    return true;
}

} // namespace ulk::Compactor
