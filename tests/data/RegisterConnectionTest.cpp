// The causes told of a failed statement: a trigger's own words pass only
// where a connection of its own tells them; every other failure is told
// from its code, the same way on each road.
#include "common/FailureText.h"
#include "data/Database.h"
#include "data/RegisterConnection.h"
#include "support/ProgramDir.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace ulk;

class RegisterConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void causesOfARefusedStatement()
    {
        test::ProgramDir dir;
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        test::sql("CREATE TRIGGER full BEFORE INSERT ON k_memo BEGIN SELECT RAISE(ABORT, 'database or disk is full'); "
                  "END");
        QSqlQuery refused(Database::connection());
        QVERIFY(!refused.exec("INSERT INTO k_memo (idkod) VALUES ('A')"));
        QCOMPARE(sqliteCause(refused.lastError()), QString("databáza zápis odmietla (kód 1811)"));
        QCOMPARE(RegisterConnection::causeOf(refused.lastError()), QString("na disku nie je miesto"));

        QSqlQuery missing(Database::connection());
        QVERIFY(!missing.exec("SELECT * FROM k_nikde"));
        QCOMPARE(sqliteCause(missing.lastError()), QString("databáza príkaz odmietla (kód 1)"));
        QCOMPARE(RegisterConnection::causeOf(missing.lastError()), QString("databáza príkaz odmietla (kód 1)"));
    }
};

QTEST_GUILESS_MAIN(RegisterConnectionTest)
#include "RegisterConnectionTest.moc"
