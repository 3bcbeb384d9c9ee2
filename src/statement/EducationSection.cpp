#include "statement/EducationSection.h"

#include "data/Database.h"
#include "statement/CareRecords.h"
#include "statement/ReadFailure.h"
#include "statement/StatementCell.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>
#include <vector>

namespace ulk::statement {

namespace {

const EducationSection::Row kRowTable[EducationSection::kRows] = {
    {"0201", " ", "v pred-"}, {"0202", "Sta-", "škol-"}, {"0203", "rost-", "skom"}, {"0204", "li-", "veku"},
    {"0205", "vosť", " "},    {"0206", " ", " "},        {"0207", "o", " "},        {"0208", " ", " "},
    {"0209", "deti,", " "},   {"0210", "klien-", " "},   {"0211", "tov", " "},      {"0212", " ", " "},
    {"0213", " ", " "},       {"0214", " ", " "},        {"0215", " ", " "},        {"0216", " ", " "},
};

const QString kVych = QStringLiteral("VYCH");

struct Kind {
    QString kod;
    QString vNazov;
};

struct Client {
    QString sex;
    QString codes;
};

bool failed(const QString &why, QString *error)
{
    if (error)
        *error = why;
    return false;
}

bool readKinds(QList<Kind> &kinds, QString *error)
{
    QString why;
    QSqlQuery q = runSql(QStringLiteral("SELECT kod, v_nazov FROM c_zariad WHERE akronym = ? COLLATE NOCASE "
                                        "ORDER BY kod COLLATE SK"),
                         {kVych}, &why);
    if (!why.isEmpty())
        return failed(readFailure(QStringLiteral("c_zariad"), q.lastError()), error);
    while (q.next())
        kinds << Kind{q.value(0).toString(), q.value(1).toString()};
    if (q.lastError().type() != QSqlError::NoError)
        return failed(readFailure(QStringLiteral("c_zariad"), q.lastError()), error);
    return true;
}

// The clients with a care record in the period whose code string has a
// dominant disability, by key.
bool readClients(const StatementPeriod &period, QHash<QString, Client> &clients, QString *error)
{
    std::vector<QHash<QString, Client>> parts;
    const auto start = [&](int count) { parts.assign(size_t(count), {}); };
    const auto onRow = [&](int part, sqlite3_stmt *row) {
        const QString codes = CareRecords::text(row, 2);
        if (DisabilityCounts::hasDominant(codes))
            parts[size_t(part)].insert(CareRecords::key(CareRecords::text(row, 0)),
                                       Client{CareRecords::text(row, 1), codes});
    };
    if (!CareRecords::readClients(period, QStringLiteral("idkod, pohlav, postih"), start, onRow, error))
        return false;
    for (const QHash<QString, Client> &part : parts)
        clients.insert(part);
    return true;
}

// The keys of the clients counted (of ofClients) with an open stay, by the
// facility kind's code (letter case ignored). A stay is open while its end
// is no date.
bool readOpenStays(const QSet<QString> &ofClients, QHash<QString, QSet<QString>> &stays, QString *error)
{
    if (ofClients.isEmpty())
        return true;
    std::vector<QHash<QString, QSet<QString>>> parts;
    const auto start = [&](int count) { parts.assign(size_t(count), {}); };
    const auto onRow = [&](int part, sqlite3_stmt *row) {
        if (!StatementPeriod::storedDay(CareRecords::text(row, 2)).isValid())
            parts[size_t(part)][CareRecords::text(row, 1).toCaseFolded()].insert(
                CareRecords::key(CareRecords::text(row, 0)));
    };
    QString why;
    if (!CareRecords::readRows({QStringLiteral("k_zariad"), QStringLiteral("idkod, nazzar, vzar_do"),
                                QStringLiteral("akronym = ? COLLATE NOCASE"), {kVych}},
                               ofClients, start, onRow, &why))
        return failed(why, error);
    for (const QHash<QString, QSet<QString>> &part : parts)
        for (auto kind = part.constBegin(); kind != part.constEnd(); ++kind)
            stays[kind.key()].unite(kind.value());
    return true;
}

} // namespace

const EducationSection::Row &EducationSection::row(int i) { return kRowTable[i]; }

bool EducationSection::isCrossedOut(const QString &kod)
{
    return kod == QLatin1String("16") || kod == QLatin1String("23");
}

std::optional<EducationSection::Result> EducationSection::compute(const StatementPeriod &period, QString *error)
{
    QList<Kind> kinds;
    if (!readKinds(kinds, error))
        return std::nullopt;
    if (kinds.size() > kRows) {
        // A row beyond 0216 has no place on the form: the statement would be
        // printed with wrong row codes or without some of its clients.
        failed(QStringLiteral("číselník zariadení c_zariad má %1 druhov výchovy a vzdelávania (VYCH), výkaz má "
                              "riadky len pre %2 (0201 až 0216)")
                   .arg(kinds.size())
                   .arg(kRows),
               error);
        return std::nullopt;
    }
    QHash<QString, Client> clients;
    QHash<QString, QSet<QString>> stays;
    QSet<QString> counted;
    if (!readClients(period, clients, error))
        return std::nullopt;
    for (auto c = clients.constBegin(); c != clients.constEnd(); ++c)
        counted.insert(c.key());
    if (!readOpenStays(counted, stays, error))
        return std::nullopt;

    Result result;
    for (int i = 0; i < kinds.size(); ++i) {
        const Kind &kind = kinds.at(i);
        const Row &r = kRowTable[i];
        QStringList line{QString::fromUtf8(r.stlpec1), QString::fromUtf8(r.stlpec2), kind.vNazov, kind.kod.left(2),
                         QString::fromUtf8(r.cRiad)};
        if (isCrossedOut(kind.kod)) {
            for (int c = 0; c < DisabilityCounts::kColumns; ++c)
                line << StatementCell::crossedOutEducation();
            result.lines << line;
            continue;
        }
        // A client counts once per kind, however many stays of the kind and
        // care records the client has.
        DisabilityCounts counts;
        for (const QString &key : stays.value(kind.kod.toCaseFolded())) {
            const auto c = clients.constFind(key);
            if (c != clients.constEnd())
                counts.countClient(c->codes, c->sex, DisabilityCounts::severalByLength(c->codes));
        }
        result.lines << line + counts.cells();
        result.totals.add(counts);
    }
    return result;
}

} // namespace ulk::statement
