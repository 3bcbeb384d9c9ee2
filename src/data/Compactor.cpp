#include "data/Compactor.h"

#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

namespace ulk::Compactor {

bool tableCounts(const QString &filePath, QList<qint64> *counts, QString *error)
{
    const QString name = QStringLiteral("ulk-count");
    bool ok = true;
    {
        QSqlDatabase db = Database::openExtra(filePath, name, true, error);
        ok = db.isOpen();
        QSqlQuery q(db);
        for (const QString &t : Database::expectedTables()) {
            if (!ok)
                break;
            if (!q.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t)) || !q.next()) {
                if (error)
                    *error = q.lastError().text();
                ok = false;
                break;
            }
            counts->append(q.value(0).toLongLong());
        }
    }
    Database::closeExtra(name);
    return ok;
}

bool compact(const QString &programDirectory, QString *error)
{
    const QDir dir(programDirectory);
    const QString source = dir.filePath(QStringLiteral("ulk.mdb"));
    const QString target = dir.filePath(QStringLiteral("tmp.mdb"));
    auto fail = [&](const QString &why) {
        QFile::remove(target);
        if (error)
            *error = why;
        return false;
    };
    if (!QFileInfo::exists(source))
        return fail(QStringLiteral("súbor ulk.mdb chýba"));
    // A copy left by an earlier failed exit is stale: remove it first.
    if (QFileInfo::exists(target) && !QFile::remove(target))
        return fail(QStringLiteral("súbor tmp.mdb nie je možné odstrániť"));

    QList<qint64> before;
    if (!tableCounts(source, &before, error))
        return fail(error ? *error : QString());

    const QString name = QStringLiteral("ulk-compact");
    QString why;
    {
        QSqlDatabase db = Database::openExtra(source, name, false, &why);
        if (db.isOpen()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("VACUUM INTO ?"));
            q.addBindValue(QDir::toNativeSeparators(target));
            if (!q.exec())
                why = q.lastError().text();
        }
    }
    Database::closeExtra(name);
    if (!why.isEmpty())
        return fail(why);

    if (!Database::isUsableFile(target, &why))
        return fail(QStringLiteral("kópia databázy nie je v poriadku: ") + why);
    QList<qint64> after;
    if (!tableCounts(target, &after, &why))
        return fail(why);
    if (after != before)
        return fail(QStringLiteral("kópia databázy nemá všetky riadky"));

    // rename(2) replaces ulk.mdb in one step: there is never a moment without it.
    if (std::rename(QFile::encodeName(target).constData(), QFile::encodeName(source).constData()) != 0)
        return fail(QStringLiteral("tmp.mdb nie je možné premenovať na ulk.mdb"));
    QFile::remove(source + QStringLiteral("-journal"));
    return true;
}

} // namespace ulk::Compactor
