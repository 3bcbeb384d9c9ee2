#include "statement/AgeSection.h"

#include "data/Database.h"
#include "statement/CareRecords.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <array>
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

bool failed(const QString &why, QString *error)
{
    if (error)
        *error = why;
    return false;
}

// The clients with a care record in the period and a birth date, with their
// age on the day given.
bool readClients(const StatementPeriod &period, const QDate &today, QList<Client> &out, QString *error)
{
    QString why;
    const std::optional<QSet<QString>> withCare = CareRecords::clientsIn(period, &why);
    if (!withCare)
        return failed(why, error);
    if (withCare->isEmpty())
        return true;
    QSqlQuery q = runSql(QStringLiteral("SELECT idkod, datnar, pohlav, postih, vek, rowid FROM k_zaklad WHERE ")
                             + CareRecords::keyIn(QStringLiteral("k_zaklad")),
                         {CareRecords::keyValue(*withCare)}, &why);
    if (!why.isEmpty())
        return failed(why, error);
    while (q.next()) {
        const QDate birth = StatementPeriod::storedDay(q.value(1).toString());
        if (!birth.isValid())
            continue;
        const int age = AgeSection::ageOn(birth, today);
        // An age already written as this number needs no write.
        const QVariant stored = q.value(4);
        const bool written = stored.typeId() == QMetaType::LongLong && stored.toLongLong() == age;
        out << Client{q.value(5).toLongLong(), q.value(0).toString(), age, q.value(2).toString(),
                      q.value(3).toString(), written};
    }
    if (q.lastError().type() != QSqlError::NoError)
        return failed(q.lastError().text(), error);
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
    for (int a = 0; a < kLines; ++a) {
        const Line &l = kLineTable[a];
        result.lines << (QStringList{QString::fromUtf8(l.stlpec), QString::fromUtf8(l.vek), QString::fromUtf8(l.cRiad)}
                         + counts[a].cells());
        result.totals.add(counts[a]);
    }
    return result;
}

bool AgeSection::writeAges(const QString &registerFile, const QList<Age> &ages, QString *error)
{
    if (ages.isEmpty())
        return true;
    sqlite3 *db = nullptr;
    const auto failedWith = [&](const char *why) {
        if (error)
            *error = QString::fromUtf8(why);
        if (db) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        return false;
    };
    if (sqlite3_open_v2(QFile::encodeName(registerFile).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        return failedWith(db ? sqlite3_errmsg(db) : "out of memory");
    // The program's other connections may be reading a moment longer.
    sqlite3_busy_timeout(db, 10000);
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return failedWith(sqlite3_errmsg(db));
    sqlite3_stmt *st = nullptr;
    // The row just read, by its rowid: no key lookup per client.
    if (sqlite3_prepare_v2(db, "UPDATE k_zaklad SET vek = ?1 WHERE rowid = ?2", -1, &st, nullptr) != SQLITE_OK)
        return failedWith(sqlite3_errmsg(db));
    for (const Age &a : ages) {
        sqlite3_bind_int(st, 1, a.age);
        sqlite3_bind_int64(st, 2, a.rowid);
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) {
            const QByteArray why = sqlite3_errmsg(db);
            sqlite3_finalize(st);
            return failedWith(why.constData());
        }
    }
    sqlite3_finalize(st);
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        return failedWith(sqlite3_errmsg(db));
    sqlite3_close(db);
    return true;
}

AgeSection::Writer::Writer(const QString &registerFile, QList<Age> ages)
    : m_thread([this, registerFile, ages = std::move(ages)] { m_ok = writeAges(registerFile, ages, &m_error); })
{
}

AgeSection::Writer::~Writer()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool AgeSection::Writer::finish(QString *error)
{
    if (m_thread.joinable())
        m_thread.join();
    if (!m_ok && error)
        *error = m_error;
    return m_ok;
}

} // namespace ulk::statement
