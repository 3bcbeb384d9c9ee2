// A file is a register only in the program's own shape; a check that cannot
// read the file says so, and does not call the file foreign.
#include "NewDatabase.h"
#include "data/RegisterCheck.h"

#include <QFile>
#include <QtEndian>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace ulk;
using Verdict = RegisterCheck::Verdict;

namespace {
// Runs the whole check of the file on a connection that does not wait for locks.
RegisterCheck::Result check(const QString &path)
{
    RegisterCheck::Result r;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "checked");
        db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
        db.setDatabaseName(path);
        if (db.open())
            r = RegisterCheck::run(db, true);
    }
    QSqlDatabase::removeDatabase("checked");
    return r;
}

bool change(const QString &path, const QStringList &statements)
{
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "changer");
    db.setDatabaseName(path);
    bool ok = db.open();
    {
        QSqlQuery q(db);
        for (const QString &s : statements)
            ok = ok && q.exec(s);
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("changer");
    return ok;
}
} // namespace

class RegisterCheckTest : public QObject {
    Q_OBJECT
private slots:
    void shapeAndReading()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("ulk.mdb");
        QVERIFY(createNewDatabaseFile(path));
        // What the program does not know is left alone.
        QVERIFY(change(path, {"CREATE TABLE poznamky (a)", "CREATE VIEW prehlad AS SELECT nosuch FROM poznamky"}));
        QCOMPARE(check(path).verdict, Verdict::Usable);

        // A file another program holds cannot be checked: no verdict on it.
        {
            QSqlDatabase holder = QSqlDatabase::addDatabase("QSQLITE", "holder");
            holder.setDatabaseName(path);
            QVERIFY(holder.open());
            QSqlQuery q(holder);
            QVERIFY(q.exec("BEGIN EXCLUSIVE") && q.exec("DELETE FROM c_iczuj"));
            const RegisterCheck::Result held = check(path);
            QCOMPARE(held.verdict, Verdict::Failed);
            QCOMPARE(held.cause, QString("databázu práve používa iný program"));
            QVERIFY(q.exec("ROLLBACK"));
        }
        QSqlDatabase::removeDatabase("holder");

        // A trigger on any table makes the file foreign.
        QVERIFY(change(path, {"CREATE TRIGGER t AFTER INSERT ON poznamky BEGIN DELETE FROM k_zaklad; END"}));
        QCOMPARE(check(path).verdict, Verdict::NotARegister);
        QVERIFY(change(path, {"DROP TRIGGER t"}));

        // Damaged pages: found in a file without free pages and in one with them.
        const QString freed = dir.filePath("uvolnene.mdb");
        QVERIFY(QFile::copy(path, freed));
        QVERIFY(change(freed, {"CREATE TABLE docasna (a)", "INSERT INTO docasna VALUES (zeroblob(100000))",
                               "DROP TABLE docasna"}));
        const QString badList = dir.filePath("zoznam.mdb");
        QVERIFY(QFile::copy(freed, badList));
        for (const QString &file : {path, freed}) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(3 * 4096) && f.write(QByteArray(4096, '\x5a')) == 4096);
            f.close();
            const RegisterCheck::Result damaged = check(file);
            QCOMPARE(damaged.verdict, Verdict::NotARegister);
            QCOMPARE(damaged.cause, QString("súbor databázy je poškodený"));
        }
        // A free list that counts more pages than its first page can hold.
        QFile list(badList);
        QVERIFY(list.open(QIODevice::ReadWrite) && list.seek(32));
        const qint64 trunk = qFromBigEndian<quint32>(list.read(4).constData());
        QVERIFY(trunk > 0 && list.seek((trunk - 1) * 4096 + 4) && list.write(QByteArray("\x00\x00\x13\x88", 4)) == 4);
        list.close();
        QCOMPARE(check(badList).verdict, Verdict::NotARegister);
    }
};

QTEST_GUILESS_MAIN(RegisterCheckTest)
#include "RegisterCheckTest.moc"
