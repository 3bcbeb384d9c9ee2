// Failures are told with their Slovak causes, taken from the error codes of
// the real errors that produce them, never from the engine's English words.
#include "archive/Archiver.h"
#include "common/FailureText.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace ulk;

namespace {
const QString kSentence = QStringLiteral("Nezapísané.");

// The message for statements run on a connection to file, the last failing.
QString failed(const QString &file, const QStringList &statements)
{
    QString message;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("failing"));
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        if (!db.open()) {
            message = failureMessage(kSentence, db.lastError());
        } else {
            QSqlQuery q(db);
            for (const QString &s : statements)
                if (!q.exec(s))
                    message = failureMessage(kSentence, q.lastError());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("failing"));
    return message;
}

} // namespace

class FailureTextTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void realErrorsAreToldInSlovak()
    {
        // A register another program holds.
        QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        holder.setDatabaseName(file("ulk.mdb"));
        QSqlQuery q(holder.open() ? holder : QSqlDatabase());
        QVERIFY(q.exec("CREATE TABLE t (a)") && q.exec("CREATE VIEW v AS SELECT a FROM t") && q.exec("BEGIN EXCLUSIVE"));
        QCOMPARE(failed(file("ulk.mdb"), {"INSERT INTO t VALUES (1)"}),
                 QString("Nezapísané.\ndatabázu práve používa iný program"));
        QVERIFY(q.exec("COMMIT"));
        // A view where a table should be, a column that is not there.
        QCOMPARE(failed(file("ulk.mdb"), {"INSERT INTO v VALUES (1)"}),
                 QString("Nezapísané.\ndatabáza príkaz odmietla (kód 1)"));
        QCOMPARE(failed(file("ulk.mdb"), {"UPDATE t SET postih = 1"}),
                 QString("Nezapísané.\ndatabáza príkaz odmietla (kód 1)"));
        // A register that may only be read, and one that may not grow.
        QCOMPARE(failed(file("ulk.mdb"), {"PRAGMA query_only = 1", "INSERT INTO t VALUES (1)"}),
                 QString("Nezapísané.\nsúbor alebo adresár je len na čítanie"));
        QCOMPARE(failed(file("ulk.mdb"), {"PRAGMA max_page_count = 3", "INSERT INTO t VALUES (zeroblob(65536))"}),
                 QString("Nezapísané.\nna disku nie je miesto"));
        // A damaged file, and a directory in place of the file.
        QVERIFY(test::writeAll(file("junk.mdb"), QByteArray(4096, 'x')));
        QCOMPARE(failed(file("junk.mdb"), {"SELECT * FROM sqlite_master"}),
                 QString("Nezapísané.\nsúbor databázy je poškodený, pokúste sa o obnovu archívu (Servis – Obnova "
                         "archivovaných dát)"));
        QVERIFY(QDir(m_dir.path()).mkdir("folder.mdb"));
        QCOMPARE(failed(file("folder.mdb"), {"SELECT * FROM sqlite_master"}),
                 QString("Nezapísané.\nsúbor databázy nie je možné otvoriť"));

        // The system's errors: an archive cannot be copied onto a directory,
        // nor into a folder that is not there.
        QVERIFY(test::writeAll(file("arch_tmp.zip"), "archive"));
        QString why;
        QVERIFY(!Archiver::deliver(m_dir.path(), file("folder.mdb"), &why));
        QCOMPARE(failureMessage(kSentence, why), QString("Nezapísané.\nna mieste súboru je adresár"));
        QVERIFY(!Archiver::deliver(m_dir.path(), file("none/zaloha.zip"), &why));
        QCOMPARE(failureMessage(kSentence, why), QString("Nezapísané.\nsúbor alebo adresár neexistuje"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"arch_tmp.zip", "folder.mdb", "junk.mdb", "ulk.mdb"}));

        // Codes that have no words of their own.
        QCOMPARE(sqliteCause(12), QString("chyba databázy (kód 12)"));
        QCOMPARE(systemCause(EPROTO), QString("chyba systému (kód %1)").arg(EPROTO));
    }

    // A full disk, where a tiny file system can be made for it.
    void aFullDiskIsToldInSlovak()
    {
        QTemporaryDir tiny;
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", tiny.path()}) != 0)
            QSKIP("no file system can be mounted here");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {tiny.path()}); });
        QVERIFY(test::writeAll(file("arch_tmp.zip"), QByteArray(1 << 20, 'z')));
        QString why;
        QVERIFY(!Archiver::deliver(m_dir.path(), QDir(tiny.path()).filePath("zaloha.zip"), &why));
        QCOMPARE(failureMessage(kSentence, why), QString("Nezapísané.\nna disku nie je miesto"));
        QCOMPARE(QDir(tiny.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
};

QTEST_GUILESS_MAIN(FailureTextTest)
#include "FailureTextTest.moc"
