// A register locked by another program or a damaged file is told in Slovak
// (read-only and full disk are met by the windows' own tests).
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

    QString failedWrite(const QString &file)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), file);
        db.setDatabaseName(m_dir.filePath(file));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        if (!db.open())
            return failureMessage(QStringLiteral("Nezapísané."), db.lastError());
        QSqlQuery q(db);
        q.exec(QStringLiteral("INSERT INTO t VALUES (1)"));
        return failureMessage(QStringLiteral("Nezapísané."), q.lastError());
    }

private slots:
    void lockedAndDamaged()
    {
        QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        holder.setDatabaseName(m_dir.filePath(QStringLiteral("ulk.mdb")));
        QSqlQuery q(holder.open() ? holder : QSqlDatabase());
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE t (a)")) && q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QCOMPARE(failedWrite("ulk.mdb"), QString("Nezapísané.\ndatabázu práve používa iný program"));
        QFile junk(m_dir.filePath(QStringLiteral("junk.mdb")));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write(QByteArray(4096, 'x')) == 4096);
        junk.close();
        QCOMPARE(failedWrite("junk.mdb"), QString("Nezapísané.\nsúbor databázy je poškodený"));
        // An unknown cause: the engine's text on a line of its own.
        QCOMPARE(failureMessage("Nezapísané.", QStringLiteral("something odd")), QString("Nezapísané.\nsomething odd"));
    }
};

QTEST_GUILESS_MAIN(FailureTextTest)
#include "FailureTextTest.moc"
