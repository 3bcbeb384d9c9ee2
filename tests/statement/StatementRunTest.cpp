#include "common/Clock.h"
#include "data/Database.h"
#include "data/LockWaitBound.h"
#include "data/RegisterConnection.h"
#include "statement/AgeSection.h"
#include "statement/EducationSection.h"
#include "statement/StatementRun.h"
#include "StatementFixtures.h"

#include <QTest>
#include <sqlite3.h>

using namespace ulk;
using namespace ulk::statement;

namespace {
const QDate kToday(2007, 3, 5);
const StatementPeriod k2006(QDate(2006, 9, 1), QDate(2007, 8, 31));

// Another program reading the register: a SELECT held open on a connection
// of its own until release() or the end of the scope.
struct HeldRead {
    sqlite3 *reader = nullptr;
    sqlite3_stmt *reading = nullptr;
    explicit HeldRead(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &reader, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_prepare_v2(reader, "SELECT idkod FROM k_zaklad", -1, &reading, nullptr);
    }
    bool holds() { return sqlite3_step(reading) == SQLITE_ROW; }
    void release()
    {
        sqlite3_finalize(reading);
        sqlite3_close(reader);
        reading = nullptr;
        reader = nullptr;
    }
    ~HeldRead() { release(); }
};

// The wait for a lock of the program's connection at each of its statements
// that touch a work table or commit, for as long as it lives.
struct LockWaits {
    sqlite3 *db = RegisterConnection::handleOf(Database::connection());
    QList<int> seen;
    LockWaits() { sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &onStatement, this); }
    ~LockWaits() { sqlite3_trace_v2(db, 0, nullptr, nullptr); }
    int now() const
    {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA busy_timeout", -1, &st, nullptr);
        const int ms = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_finalize(st);
        return ms;
    }
    static int onStatement(unsigned, void *waits, void *statement, void *)
    {
        const QByteArray sql(sqlite3_sql(static_cast<sqlite3_stmt *>(statement)));
        if (sql.contains(" z_") || sql.startsWith("COMMIT"))
            static_cast<LockWaits *>(waits)->seen << static_cast<LockWaits *>(waits)->now();
        return 0;
    }
};
} // namespace

class StatementRunTest : public QObject {
    Q_OBJECT
private slots:
    void init() { Clock::setToday(kToday); }
    void cleanup()
    {
        Clock::setToday(QDate());
        Database::close();
    }

    // Keys compare without their trailing blanks, also where the stored key
    // has them and the clients are looked up through the key index.
    void storedKeyWithTrailingBlanksIsFound()
    {
        test::OpenRegister dir;
        test::addStatementClient("HORAJA00  ", "2003-05-05", "Z", "3");
        test::addCare("HORAJA00", "2006-12-01");
        test::addStay("HORAJA00 ", "01");
        test::addStatementClient("HORAJAN00", "2003-05-05", "M", "3");
        QString error;
        const auto ages = AgeSection::count(k2006, kToday, &error);
        QVERIFY2(ages, qPrintable(error));
        QCOMPARE(ages->totals.value("spolu"), 1);
        QCOMPARE(ages->lines[3][3], QString("1"));
        QCOMPARE(ages->ages.size(), 1);
        const auto education = EducationSection::compute(k2006, &error);
        QVERIFY2(education, qPrintable(error));
        QCOMPARE(education->totals.value("spolu"), 1);
        QCOMPARE(education->lines[0].mid(4, 2), QStringList({"0201", "1"}));
    }

    // Another program reading the register keeps each section's work table
    // from its commit: the print is refused with that cause, the fill and
    // the clearing after it waiting for the lock within the bound (the
    // connection's usual wait afterwards), and the table stays empty.
    void fillAgainstAHeldReadIsToldAsSuch()
    {
        test::OpenRegister dir;
        test::addStatementClient("DNES00", "2000-03-05", "Z", "7");
        test::addCare("DNES00", "2007-01-31");
        HeldRead held(dir.dbPath());
        QVERIFY(held.holds());
        for (const auto section : {StatementRun::Section::Ages, StatementRun::Section::Education,
                                   StatementRun::Section::Employees}) {
            StatementRun run(section, dir.path(), "2006/2007");
            const LockWaits waits;
            QVERIFY(!run.prepare());
            QCOMPARE(run.failure(), QString("Výkaz nie je možné zostaviť: databázu práve používa iný program"));
            QVERIFY(waits.seen.size() >= 3);
            QCOMPARE(waits.seen, QList<int>(waits.seen.size(), int(LockWaitBound::kBound.count())));
            QCOMPARE(waits.now(), RegisterConnection::kBusyTimeoutMs);
        }
        held.release();
        for (const QString table : {"z_vek", "z_vzdelavanie", "z_zam"})
            QCOMPARE(test::rowCount(table), 0);
    }

    // Another program reading the register keeps the age write from its
    // commit: once the preview is closed the write gets its bound and no
    // more, is rolled back and told; the counts and the work table are as
    // they would be.
    void ageWriteAgainstAHeldReadFailsWithinItsBound()
    {
        test::OpenRegister dir;
        test::addStatementClient("DNES00", "2000-03-05", "Z", "7");
        test::addStatementClient("VIAC00", "2000-03-06", "M", "23");
        test::addCare("DNES00", "2007-01-31");
        test::addCare("VIAC00", "2007-01-31");
        StatementRun run(StatementRun::Section::Ages, dir.path(), "2006/2007");
        QVERIFY2(run.prepare(), qPrintable(run.failure()));
        QCOMPARE(run.rows().size(), 19);
        const QString report = run.reportConnectionName();
        QVERIFY(QSqlDatabase::contains(report));

        HeldRead held(dir.dbPath());
        QVERIFY(held.holds());
        bool shown = false;
        const QString message = run.whileShown([&] { shown = true; }, std::chrono::milliseconds(0));
        held.release();

        QVERIFY(shown);
        QCOMPARE(message, QString("Vek klientov sa nepodarilo zapísať do registra.\n"
                                  "databázu práve používa iný program"));
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad WHERE vek IS NOT NULL").toInt(), 0);
        QCOMPARE(test::rowCount("z_vek"), 19);
        QCOMPARE(run.finish(), QString());
        QCOMPARE(test::rowCount("z_vek"), 0);
        QVERIFY(!QSqlDatabase::contains(report));
        QCOMPARE(test::rowCount("k_zaklad"), 2);
        QCOMPARE(test::rowCount("k_zaznam_spc"), 2);
        // Without the reader the next print writes the ages.
        StatementRun again(StatementRun::Section::Ages, dir.path(), "2006/2007");
        QVERIFY(again.prepare());
        QCOMPARE(again.whileShown([] {}, std::chrono::milliseconds(0)), QString());
        QCOMPARE(again.finish(), QString());
        QCOMPARE(test::queryRows("SELECT idkod, vek FROM k_zaklad ORDER BY idkod"),
                 QList<QStringList>({{"DNES00", "7"}, {"VIAC00", "6"}}));
    }
};

QTEST_GUILESS_MAIN(StatementRunTest)
#include "StatementRunTest.moc"
