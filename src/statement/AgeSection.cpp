#include "statement/AgeSection.h"

#include "data/Database.h"
#include "data/JournalMark.h"
#include "data/Parts.h"
#include "data/RegisterConnection.h"
#include "statement/CareRecords.h"
#include "statement/ReadFailure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <array>
#include <atomic>
#include <vector>
#include <sqlite3.h>

namespace ulk::statement {

namespace {

const AgeSection::Line kLineTable[AgeSection::kLines] = {
    {" ", "    0 - 1", "0101"},     {"Sta-", "    1 - 2", "0102"},   {"rost-", "    2 - 3", "0103"},
    {"li-", "    3 - 4", "0104"},   {"vosť", "    4 - 5", "0105"},   {" ", "    5 - 6", "0106"},
    {"o", "    6 - 7", "0107"},     {" ", "    7 - 8", "0108"},      {"deti,", "    8 - 9", "0109"},
    {"klien-", "   9 - 10", "0110"}, {"tov", "   10 - 11", "0111"},  {" ", "   11 - 12", "0112"},
    {" ", "   12 - 13", "0113"},    {"podľa", "   13 - 14", "0114"}, {"veku", "   14 - 15", "0115"},
    {" ", "   15 - 16", "0116"},    {"(v ro-", "   16 - 17", "0117"}, {"koch)", "   17 - 18", "0118"},
    {" ", " 18 a viac", "0119"},
};

struct Client {
    qint64 rowid = 0;
    QString idkod;  // as stored
    int age = 0;
    QString sex;
    QString codes;
    bool ageWritten = false;  // vek already holds the age
};

// The clients with a care record in the period and a birth date, with their
// age on the day given.
bool readClients(const StatementPeriod &period, const QDate &today, QList<Client> &out, QString *error)
{
    // Read in parts side by side when the clients are many; the parts come
    // together in the order of the parts.
    std::vector<QList<Client>> parts;
    const auto start = [&](int count) { parts.assign(size_t(count), {}); };
    const auto onRow = [&](int part, sqlite3_stmt *row) {
        const QDate birth = StatementPeriod::storedDay(CareRecords::text(row, 1));
        if (!birth.isValid())
            return;
        const int age = AgeSection::ageOn(birth, today);
        // An age already written as this number needs no write.
        const bool written = sqlite3_column_type(row, 4) == SQLITE_INTEGER && sqlite3_column_int64(row, 4) == age;
        parts[size_t(part)] << Client{sqlite3_column_int64(row, 5), CareRecords::text(row, 0), age,
                                      CareRecords::text(row, 2), CareRecords::text(row, 3), written};
    };
    if (!CareRecords::readClients(period, QStringLiteral("idkod, datnar, pohlav, postih, vek, rowid"), start, onRow,
                                  error))
        return false;
    for (QList<Client> &part : parts)
        out += std::move(part);
    return true;
}

} // namespace

const AgeSection::Line &AgeSection::line(int a) { return kLineTable[a]; }

int AgeSection::ageOn(const QDate &birth, const QDate &day)
{
    int age = day.year() - birth.year();
    if (day.month() < birth.month() || (day.month() == birth.month() && day.day() < birth.day()))
        --age;
    return age > 18 ? 18 : age;
}

std::optional<AgeSection::Result> AgeSection::count(const StatementPeriod &period, const QDate &today,
                                                    QString *error)
{
    QList<Client> clients;
    if (!readClients(period, today, clients, error))
        return std::nullopt;

    // Each client counts once, in the line of the client's age.
    Result result;
    std::array<DisabilityCounts, kLines> counts;
    for (const Client &c : clients) {
        if (!c.ageWritten)
            result.ages << Age{c.rowid, c.age};
        if (c.age >= 0 && c.age < kLines)
            counts[c.age].countClient(c.codes, c.sex, DisabilityCounts::severalBySecondCode(c.codes));
    }
    // Written in the order of the table, page after page.
    std::sort(result.ages.begin(), result.ages.end(), [](const Age &x, const Age &y) { return x.rowid < y.rowid; });
    for (int a = 0; a < kLines; ++a) {
        const Line &l = kLineTable[a];
        result.lines << (QStringList{QString::fromUtf8(l.stlpec), QString::fromUtf8(l.vek), QString::fromUtf8(l.cRiad)}
                         + counts[a].cells());
        result.totals.add(counts[a]);
    }
    return result;
}

namespace {

bool writeOn(RegisterConnection &c, const QList<AgeSection::Age> &ages, QString *error)
{
    sqlite3 *db = c.handle();
    sqlite3_stmt *st = nullptr;
    const auto failed = [&] {
        qWarning("ulk: vek klientov: %s", sqlite3_errmsg(db));
        if (error)
            *error = RegisterConnection::causeOf(db);
        sqlite3_finalize(st);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    };
    // A lock that another connection holds is waited for until the deadline.
    const auto exec = [&](const char *sql) {
        int rc;
        while (((rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr)) & 0xff) == SQLITE_BUSY && !c.pastDeadline()) {
        }
        return rc == SQLITE_OK;
    };
    // Pages stay in memory until the commit, however many the write changes.
    if (sqlite3_exec(db, "PRAGMA cache_spill=OFF", nullptr, nullptr, nullptr) != SQLITE_OK || !exec("BEGIN IMMEDIATE"))
        return failed();
    // The journal's mark first, as in every write of the program.
    if (const QString why = JournalMark::write(db); !why.isEmpty()) {
        qWarning("ulk: vek klientov: %s", qUtf8Printable(why));
        if (error)
            *error = why;
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    // The row just read, by its rowid: no key lookup per client.
    if (sqlite3_prepare_v2(db, "UPDATE k_zaklad SET vek = ?1 WHERE rowid = ?2", -1, &st, nullptr) != SQLITE_OK)
        return failed();
    for (const AgeSection::Age &a : ages) {
        sqlite3_bind_int(st, 1, a.age);
        sqlite3_bind_int64(st, 2, a.rowid);
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE)
            return failed();
    }
    sqlite3_finalize(st);
    st = nullptr;
    if (!exec("COMMIT"))
        return failed();
    return true;
}

} // namespace

bool AgeSection::writeAges(const QString &registerFile, const QList<Age> &ages, QString *error,
                           const std::function<void()> &meanwhile, std::chrono::milliseconds bound,
                           const Await &await)
{
    if (ages.isEmpty()) {
        if (meanwhile)
            meanwhile();
        return true;
    }
    RegisterConnection own(registerFile, RegisterConnection::Access::ReadWrite);
    if (!own.isOpen()) {
        if (meanwhile)
            meanwhile();
        if (error)
            *error = own.error();
        return false;
    }
    std::atomic<bool> ended = false;
    const QString failure = Parts::run(
                                1,
                                [&](int) {
                                    QString why;
                                    const bool written = writeOn(own, ages, &why);
                                    ended = true;
                                    return written ? QString() : why;
                                },
                                [&] {
                                    if (meanwhile)
                                        meanwhile();
                                    own.setDeadline(std::chrono::steady_clock::now() + bound);
                                    if (await)
                                        await([&ended] { return ended.load(); });
                                })
                                .constFirst();
    if (!failure.isEmpty() && error)
        *error = failure;
    return failure.isEmpty();
}

} // namespace ulk::statement
