#include "RegisterGenerator.h"

#include "NewDatabase.h"
#include "common/RecordKey.h"
#include "data/Database.h"

#include <QDate>
#include <QDir>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <random>

namespace ulk {

namespace {

const char *const kBoys[] = {"Adam", "Andrej", "Branislav", "Dávid", "Dominik", "Filip", "Jakub", "Ján",
                             "Juraj", "Kristián", "Lukáš", "Marek", "Martin", "Matej", "Michal", "Ondrej",
                             "Patrik", "Peter", "Richard", "Samuel", "Šimon", "Tomáš", "Viktor", "Žigmund"};
const char *const kGirls[] = {"Alžbeta", "Anna", "Barbora", "Dominika", "Ema", "Eva", "Hana", "Jana",
                              "Katarína", "Kristína", "Laura", "Lucia", "Mária", "Natália", "Nikola", "Petra",
                              "Sofia", "Simona", "Tamara", "Terézia", "Veronika", "Zuzana", "Žofia", "Ľubica"};
// Surnames in their masculine and feminine forms.
const char *const kSurnames[][2] = {
    {"Horváth", "Horváthová"}, {"Kováč", "Kováčová"}, {"Varga", "Vargová"}, {"Tóth", "Tóthová"},
    {"Nagy", "Nagyová"}, {"Baláž", "Balážová"}, {"Szabó", "Szabóová"}, {"Molnár", "Molnárová"},
    {"Novák", "Nováková"}, {"Lukáč", "Lukáčová"}, {"Kollár", "Kollárová"}, {"Németh", "Némethová"},
    {"Oravec", "Oravcová"}, {"Šimko", "Šimková"}, {"Čierny", "Čierna"}, {"Hudák", "Hudáková"},
    {"Chrapko", "Chrapková"}, {"Cibuľa", "Cibuľová"}, {"Ďurica", "Ďuricová"}, {"Šťastný", "Šťastná"},
    {"Žiak", "Žiaková"}, {"Mráz", "Mrázová"}, {"Polák", "Poláková"}, {"Krajčír", "Krajčírová"},
    {"Gašpar", "Gašparová"}, {"Blaho", "Blahová"}, {"Kučera", "Kučerová"}, {"Jurčo", "Jurčová"},
    {"O'Neil", "O'Neilová"}, {"Marcinko", "Marcinková"}, {"Rusnák", "Rusnáková"}, {"Ševčík", "Ševčíková"},
    {"Bednár", "Bednárová"}, {"Hrušovský", "Hrušovská"}, {"Lacko", "Lacková"}, {"Zelenák", "Zelenáková"},
    {"Kráľ", "Kráľová"}, {"Vlček", "Vlčková"}, {"Dvorský", "Dvorská"}, {"Ľupták", "Ľuptáková"}};
const char *const kStreets[] = {"Hlavná", "Školská", "Záhradná", "Mierová", "SNP", "Štúrova", "Hviezdoslavova",
                                "Komenského", "Nová", "Lipová", "Jarná", "Poľná", "Kpt. Nálepku"};
const char *const kWords[] = {"dieťa", "spolupracuje", "pri", "úlohách", "s", "pomocou", "matky", "reč",
                              "je", "primeraná", "veku", "pozornosť", "kolíše", "odporúčame", "ďalšiu",
                              "stimuláciu", "jemnej", "motoriky", "a", "grafomotoriky", "v", "škole",
                              "zvláda", "učivo", "individuálny", "plán", "bol", "upravený"};

class Gen {
public:
    explicit Gen(quint32 seed) : m_rng(seed) {}
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T, size_t N> const T &pick(const T (&a)[N]) { return a[between(0, int(N) - 1)]; }
    QString text(int words)
    {
        QStringList w;
        for (int i = 0; i < words; ++i)
            w << QString::fromUtf8(pick(kWords));
        QString t = w.join(QLatin1Char(' '));
        t[0] = t.at(0).toUpper();
        return t + QLatin1Char('.');
    }

private:
    std::mt19937 m_rng;
};

QString birthNumber(Gen &g, const QDate &born, bool girl)
{
    const int month = born.month() + (girl ? 50 : 0);
    const qint64 head = qint64(born.year() % 100) * 100000000LL + month * 1000000LL + born.day() * 10000LL;
    qint64 n = head + g.between(0, 9999);
    n -= n % 11; // divisible by 11
    if (n < head)
        n += 11;
    return QStringLiteral("%1").arg(n, 10, 10, QLatin1Char('0'));
}

QString disability(Gen &g)
{
    if (g.chance(15))
        return QString();
    QString s = QString::number(g.between(1, 9));
    const int extra = g.chance(60) ? 0 : g.between(1, 3);
    while (s.size() < 1 + extra) {
        const QString d = QString::number(g.between(1, 9));
        if (!s.contains(d))
            s += d;
    }
    return s;
}

bool run(QSqlQuery &q, QString *error)
{
    if (q.exec())
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

} // namespace

bool fillRegister(const GeneratorOptions &o, QString *error);

bool generateRegister(const QString &directory, const GeneratorOptions &o, QString *error)
{
    if (!createNewDatabase(directory, error))
        return false;
    if (Database::open(directory, error) != Database::OpenResult::Ok)
        return false;
    const bool ok = fillRegister(o, error);
    Database::close();
    return ok;
}

bool fillRegister(const GeneratorOptions &o, QString *error)
{
    QSqlDatabase db = Database::connection();
    QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=OFF"));
    Gen g(o.seed);

    QStringList towns;
    {
        QSqlQuery t(db);
        t.exec(QStringLiteral("SELECT nazov FROM c_iczuj"));
        while (t.next())
            towns << t.value(0).toString();
    }
    auto town = [&] { return towns.at(g.between(0, int(towns.size()) - 1)); };

    // One transaction of the program's kind, marked as each of its writes.
    Transaction transaction(db);
    bool ok = transaction.ok();
    QSet<QString> keys;
    // The first key of the name that no one holds yet, now held.
    const auto takeKey = [&keys](const QString &priezv, const QString &meno) {
        const QString stem = RecordKey::stem(priezv, meno);
        int c = 0;
        while (keys.contains(stem + RecordKey::counterText(c)))
            ++c;
        const QString key = stem + RecordKey::counterText(c);
        keys.insert(key);
        return key;
    };
    QStringList employeeKeys;
    QSqlQuery emp(db);
    emp.prepare(QStringLiteral("INSERT INTO zamestnanci (idkod, meno, priezv, prac_zar, pohlavie, \"int-ext\", "
                               "kvalifikacia) VALUES (?,?,?,?,?,?,?)"));
    for (int i = 0; ok && i < o.employees; ++i) {
        const bool woman = g.chance(75);
        const QString meno = QString::fromUtf8(woman ? g.pick(kGirls) : g.pick(kBoys));
        const QString priezv = QString::fromUtf8(g.pick(kSurnames)[woman ? 1 : 0]);
        const QString key = takeKey(priezv, meno);
        employeeKeys << key;
        for (const QVariant &v : {QVariant(key), QVariant(meno), QVariant(priezv), QVariant(g.between(1, 8)),
                                  QVariant(woman ? "z" : "m"), QVariant(g.chance(80) ? "i" : "e"),
                                  QVariant(g.chance(85) ? "a" : "n")})
            emp.addBindValue(v);
        ok = run(emp, error);
    }

    QSqlQuery client(db), memo(db), sib(db), fac(db), exam(db), care(db), change(db), visit(db);
    client.prepare(QStringLiteral(
        "INSERT INTO k_zaklad (idkod, meno, priezv, mienar, rodcis, datnar, pohlav, katcis, zdrpoi, narodn, "
        "stprisl, jazyk, jaz_doma, ulica, obec, psc, skola, odporu, datevi, matka, matnar, matvek, matuli, "
        "matobe, matpsc, mattel, matvla, matpos, otec, otenar, otevek, oteuli, oteobe, otepsc, otevla, otepos, "
        "kon_meno, kon_pomer, postih) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
        "?,?,?,?,?)"));
    memo.prepare(QStringLiteral("INSERT INTO k_memo (idkod, u_dieta, u_ziak, u_zhrn, u_dolezite, poznamky, ip_ulkz) "
                                "VALUES (?,?,?,?,?,?,?)"));
    sib.prepare(QStringLiteral("INSERT INTO k_surodenci (idkod, meno, pohlavie, roknar, choroby, postih) "
                               "VALUES (?,?,?,?,?,?)"));
    fac.prepare(QStringLiteral("INSERT INTO k_zariad (idkod, nazzar, adresa, vzar_od, vzar_do, akronym) "
                               "VALUES (?,?,?,?,?,?)"));
    exam.prepare(QStringLiteral("INSERT INTO k_vysetrenie (idkod, datum, idkod_p, popis) VALUES (?,?,?,?)"));
    care.prepare(QStringLiteral("INSERT INTO k_zaznam_spc (idkod, datum, hod_od, hod_do, idkod_P, cinnost) "
                                "VALUES (?,?,?,?,?,?)"));
    change.prepare(QStringLiteral("INSERT INTO k_zaznam_zmeny (idkod, datum, idkod_P, zmeny) VALUES (?,?,?,?)"));
    visit.prepare(QStringLiteral("INSERT INTO k_navstevy (idkod, datum, dat_budn) VALUES (?,?,?)"));
    const QDate today(2026, 12, 1);
    auto iso = [](const QDate &d) { return d.toString(Qt::ISODate); };
    auto aroundRegister = [&](const QDate &from) { return from.addDays(g.between(0, 1500)); };
    const char *const vych[] = {"01", "02", "03", "04", "05", "06", "07", "08", "09", "16", "23"};
    const char *const ulk[] = {"30", "31", "32", "33", "34", "35", "36"};
    keys.clear();
    for (int i = 0; ok && i < o.clients; ++i) {
        const bool girl = g.chance(45);
        const QString meno = QString::fromUtf8(girl ? g.pick(kGirls) : g.pick(kBoys));
        const auto &family = g.pick(kSurnames);
        const QString priezv = QString::fromUtf8(family[girl ? 1 : 0]);
        const QString key = takeKey(priezv, meno);
        const QDate born = today.addDays(-g.between(200, 19 * 365));
        const QDate registered = born.addDays(g.between(100, 1500));
        const int motherYear = born.year() - g.between(19, 42);
        const int fatherYear = born.year() - g.between(20, 48);
        const QString mother = QString::fromUtf8(g.pick(kGirls)) + QLatin1Char(' ') + QString::fromUtf8(family[1]);
        const QString father = QString::fromUtf8(g.pick(kBoys)) + QLatin1Char(' ') + QString::fromUtf8(family[0]);
        const QVariantList values = {
            key, meno, priezv, town(), birthNumber(g, born, girl), iso(born), girl ? "Z" : "M",
            QString::number(i + 1), g.chance(70) ? "25" : (g.chance(50) ? "24" : "27"), "01", "SK", "01", "01",
            QString::fromUtf8(g.pick(kStreets)) + QLatin1Char(' ') + QString::number(g.between(1, 120)), town(),
            QString::number(g.between(80000, 99999)), QStringLiteral("ZŠ ") + town(), "pediater", iso(registered),
            mother, QString::number(motherYear), born.year() - motherYear, QString::fromUtf8(g.pick(kStreets)),
            town(), QString::number(g.between(80000, 99999)), QStringLiteral("09%1").arg(g.between(10000000, 99999999)),
            g.chance(90) ? 1 : 0, g.chance(90) ? QString() : disability(g), father, QString::number(fatherYear),
            born.year() - fatherYear, QString::fromUtf8(g.pick(kStreets)), town(),
            QString::number(g.between(80000, 99999)), g.chance(85) ? 1 : 0, g.chance(92) ? QString() : disability(g),
            mother, "matka", disability(g)};
        for (const QVariant &v : values)
            client.addBindValue(v);
        ok = run(client, error);
        for (const QVariant &v : {QVariant(key), QVariant(g.text(40)), QVariant(g.text(40)), QVariant(g.text(60)),
                                  QVariant(g.text(30)), QVariant(g.text(20)), QVariant(g.text(80))})
            memo.addBindValue(v);
        ok = ok && run(memo, error);
        auto repeat = [&](int mean) { return g.between(0, 2 * mean); };
        for (int s = repeat(2); ok && s > 0; --s) {
            const bool sister = g.chance(50);
            for (const QVariant &v : {QVariant(key), QVariant(QString::fromUtf8(sister ? g.pick(kGirls) : g.pick(kBoys))),
                                      QVariant(sister ? "Z" : "M"), QVariant(QString::number(born.year() + g.between(-8, 8))),
                                      QVariant(g.chance(80) ? QString() : QStringLiteral("astma")), QVariant(g.chance(80) ? QString() : disability(g))})
                sib.addBindValue(v);
            ok = run(sib, error);
        }
        for (int s = repeat(2); ok && s > 0; --s) {
            const bool educational = g.chance(60);
            const QDate from = aroundRegister(born);
            const QVariant to = g.chance(50) ? QVariant(iso(from.addDays(g.between(100, 900)))) : QVariant();
            for (const QVariant &v : {QVariant(key), QVariant(QString::fromUtf8(educational ? g.pick(vych) : g.pick(ulk))),
                                      QVariant(town()), QVariant(iso(from)), to, QVariant(educational ? "VYCH" : "ULK")})
                fac.addBindValue(v);
            ok = run(fac, error);
        }
        auto employee = [&] { return employeeKeys.at(g.between(0, int(employeeKeys.size()) - 1)); };
        // Records dated around the registration, each by an employee, with a note.
        auto byEmployee = [&](QSqlQuery &records, int mean, int noteLength) {
            for (int s = repeat(mean); ok && s > 0; --s) {
                for (const QVariant &v : {QVariant(key), QVariant(iso(aroundRegister(registered))),
                                          QVariant(employee()), QVariant(g.text(noteLength))})
                    records.addBindValue(v);
                ok = run(records, error);
            }
        };
        byEmployee(exam, 4, 70);
        for (int s = repeat(4); ok && s > 0; --s) {
            const int h = g.between(8, 15);
            for (const QVariant &v : {QVariant(key), QVariant(iso(aroundRegister(registered))), QVariant(QString::number(h)),
                                      QVariant(QString::number(h + 1)), QVariant(employee()), QVariant(g.text(30))})
                care.addBindValue(v);
            ok = run(care, error);
        }
        byEmployee(change, 2, 25);
        for (int s = repeat(6); ok && s > 0; --s) {
            const QDate d = aroundRegister(registered);
            for (const QVariant &v : {QVariant(key), QVariant(iso(d)), QVariant(iso(d.addDays(g.between(14, 90))))})
                visit.addBindValue(v);
            ok = run(visit, error);
        }
    }
    ok = ok && transaction.commit();
    if (!ok && error && error->isEmpty())
        *error = transaction.cause();
    return ok;
}

} // namespace ulk
