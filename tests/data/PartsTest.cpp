#include "data/Database.h"
#include "data/Parts.h"
#include "data/RegisterConnection.h"
#include "support/ProgramDir.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <sqlite3.h>

using namespace ulk;
using Access = RegisterConnection::Access;

namespace {

int intOf(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    int value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        value = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    return value;
}

} // namespace

class PartsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    // A register may come from elsewhere: every connection, whoever opens
    // it, is defensive, trusts no schema and has the Slovak collation.
    void everyConnectionIsConfiguredAlike()
    {
        test::OpenRegister dir;
        const RegisterConnection part(dir.dbPath(), Access::ReadOnly);
        const RegisterConnection writer(dir.dbPath(), Access::ReadWrite, RegisterConnection::Api::QtSql,
                                        QStringLiteral("ulk-test"));
        QString error;
        {
            const QSqlDatabase extra = Database::openExtra(dir.dbPath(), QStringLiteral("ulk-extra"), true, &error);
            const QList<sqlite3 *> handles = {Parts::programHandle(), part.handle(), writer.handle(),
                                              RegisterConnection::handleOf(extra)};
            for (sqlite3 *db : handles) {
                QVERIFY(db);
                int defensive = -1;
                QCOMPARE(sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, -1, &defensive), SQLITE_OK);
                QCOMPARE(defensive, 1);
                QCOMPARE(intOf(db, "PRAGMA trusted_schema"), 0);
                QCOMPARE(intOf(db, "SELECT 'hudák' < 'chrapko' COLLATE SK"), 1);
            }
            // The schema cannot be written past SQLite.
            QVERIFY(sqlite3_exec(writer.handle(), "PRAGMA writable_schema=ON; UPDATE sqlite_master SET sql = '' "
                                                  "WHERE name = 'k_zaklad'", nullptr, nullptr, nullptr) != SQLITE_OK);
        }
        Database::closeExtra(QStringLiteral("ulk-extra"));
        QVERIFY(writer.name().startsWith("ulk-test-"));
    }

    // A part whose connection cannot be opened is written to the log and
    // comes back as its failure, in Slovak, before any reading.
    void partThatCannotOpenIsLoggedAndReturned()
    {
        test::OpenRegister dir;
        QVERIFY(QFile::remove(dir.dbPath()));
        for (int part = 0; part < 2; ++part)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^ulk: .*ulk\\.mdb nie je možné otvoriť: "));
        std::atomic<int> read{0};
        const QStringList failures = Parts::read(2, [&](int, sqlite3 *) {
            ++read;
            return QString();
        });
        QCOMPARE(failures, QStringList(2, "súbor databázy nie je možné otvoriť"));
        QCOMPARE(Parts::firstFailure(failures), QString("súbor databázy nie je možné otvoriť"));
        QCOMPARE(read.load(), 0);
    }

    // A part that throws is told in Slovak and the program goes on; the
    // calling (window) thread handles its events while it waits: the other
    // part ends only once a timer of the calling thread has fired.
    void throwingPartIsToldWhileTheCallerHandlesItsEvents()
    {
        std::atomic<bool> fired{false};
        QTimer::singleShot(20, [&] { fired = true; });
        QTest::ignoreMessage(QtWarningMsg, "ulk: broken part");
        const QStringList failures = Parts::run(2, [&](int part) {
            if (part == 0)
                throw std::runtime_error("broken part");
            for (int i = 0; i < 1000 && !fired; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            return fired ? QString() : QStringLiteral("no event handled");
        });
        QCOMPARE(failures, QStringList({"práca programu skončila nečakanou chybou", QString()}));
    }
};

QTEST_GUILESS_MAIN(PartsTest)
#include "PartsTest.moc"
