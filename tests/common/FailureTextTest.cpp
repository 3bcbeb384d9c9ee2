// Failures are told in Slovak: the sentence, then the cause SQLite's own
// error maps to, on a line of its own.
#include "common/FailureText.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace ulk;

class FailureTextTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QSqlError failedWrite(const QString &connection, const QString &file, const QString &before = QString())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(m_dir.filePath(file));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        if (!db.open())
            return db.lastError();
        QSqlQuery q(db);
        if (!before.isEmpty())
            q.exec(before);
        q.exec(QStringLiteral("INSERT INTO t VALUES (1)"));
        return q.lastError();
    }

private slots:
    void sqliteFailuresGetTheirSlovakCause()
    {
        const QString sentence = QStringLiteral("Údaje klienta sa nepodarilo zapísať, v databáze zostali bez zmeny.");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            db.setDatabaseName(m_dir.filePath(QStringLiteral("ulk.mdb")));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE t (a)")));
            QCOMPARE(failureMessage(sentence, failedWrite("ro", "ulk.mdb", "PRAGMA query_only = ON")),
                     sentence + "\nsúbor alebo adresár je len na čítanie");
            QVERIFY(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            QCOMPARE(failureMessage(sentence, failedWrite("busy", "ulk.mdb")),
                     sentence + "\ndatabázu práve používa iný program");
            q.exec(QStringLiteral("ROLLBACK"));
        }
        QFile junk(m_dir.filePath(QStringLiteral("junk.mdb")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        QCOMPARE(failureMessage(sentence, failedWrite("junk", "junk.mdb")), sentence + "\nsúbor databázy je poškodený");
        QCOMPARE(failureMessage(sentence, QStringLiteral("database or disk is full Unable to fetch row")),
                 sentence + "\nna disku nie je miesto");
        // An unknown cause: the engine's text on a line of its own.
        QCOMPARE(failureMessage(sentence, QStringLiteral("something odd")), sentence + "\nsomething odd");
    }
};

QTEST_GUILESS_MAIN(FailureTextTest)
#include "FailureTextTest.moc"
