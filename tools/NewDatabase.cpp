#include "NewDatabase.h"

#include "data/Database.h"
#include "data/RegisterSchema.h"
#include "data/SavedQueries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace ulk {

namespace {

struct Code {
    const char *kod;
    const char *nazov;
};

const Code kFunkcie[] = {
    {"1", "Riaditeľ"}, {"2", "Špeciálny pedagóg"}, {"3", "Školský špeciálny pedagóg"},
    {"4", "Psychológ"}, {"5", "Liečebný pedagóg"}, {"6", "Zdravotnícky zamestnanec"},
    {"7", "Sociálny zamestnanec"}, {"8", "Iní"},
};

struct Facility {
    const char *kod;
    const char *nazov;
    const char *akronym;
    const char *vNazov;
};

// 'VYCH': where a pre-school child is educated (the rows of statement
// section II, in code order); 'ULK': facilities of special-education care.
const Facility kZariad[] = {
    {"01", "Materská škola", "VYCH", "v materskej škole v bežnej triede"},
    {"02", "Materská škola - integrácia", "VYCH", "v materskej škole individuálne integrovaní"},
    {"03", "Špeciálna trieda materskej školy", "VYCH", "v špeciálnej triede materskej školy"},
    {"04", "Špeciálna materská škola", "VYCH", "v špeciálnej materskej škole"},
    {"05", "Materská škola pri zdravotníckom zariadení", "VYCH", "v materskej škole pri zdravotníckom zariadení"},
    {"06", "Prípravný ročník základnej školy", "VYCH", "v prípravnom ročníku základnej školy"},
    {"07", "Prípravný ročník špeciálnej základnej školy", "VYCH", "v prípravnom ročníku špeciálnej základnej školy"},
    {"08", "Rodina", "VYCH", "v rodine (bez inštitucionálnej výchovy)"},
    {"09", "Jasle", "VYCH", "v jasliach"},
    {"16", "Domov sociálnych služieb", "VYCH", "v zariadení sociálnych služieb"},
    {"23", "Detský domov", "VYCH", "v detskom domove"},
    {"30", "Špeciálnopedagogická poradňa", "ULK", ""},
    {"31", "Detské integračné centrum", "ULK", ""},
    {"32", "Centrum pedagogicko-psychologického poradenstva a prevencie", "ULK", ""},
    {"33", "Centrum včasnej intervencie", "ULK", ""},
    {"34", "Reedukačné centrum", "ULK", ""},
    {"35", "Liečebno-výchovné sanatórium", "ULK", ""},
    {"36", "Diagnostické centrum", "ULK", ""},
};

const Code kZdrpoi[] = {
    {"24", "DÔVERA zdravotná poisťovňa, a. s."},
    {"25", "Všeobecná zdravotná poisťovňa, a. s."},
    {"27", "Union zdravotná poisťovňa, a. s."},
};

const Code kNarodn[] = {
    {"01", "slovenská"}, {"02", "maďarská"}, {"03", "rómska"}, {"04", "česká"},
    {"05", "rusínska"}, {"06", "ukrajinská"}, {"07", "nemecká"}, {"08", "poľská"},
    {"09", "chorvátska"}, {"10", "srbská"}, {"11", "ruská"}, {"12", "židovská"},
    {"13", "moravská"}, {"14", "bulharská"}, {"15", "vietnamská"}, {"99", "iná"},
};

const Code kJazyk[] = {
    {"01", "slovenský"}, {"02", "maďarský"}, {"03", "rómsky"}, {"04", "český"},
    {"05", "rusínsky"}, {"06", "ukrajinský"}, {"07", "nemecký"}, {"08", "poľský"},
    {"09", "anglický"}, {"10", "ruský"}, {"11", "posunkový"}, {"12", "vietnamský"},
    {"99", "iný"},
};

const Code kIczeme[] = {
    {"SK", "Slovenská republika"}, {"CZ", "Česká republika"}, {"HU", "Maďarsko"},
    {"PL", "Poľsko"}, {"AT", "Rakúsko"}, {"UA", "Ukrajina"}, {"DE", "Nemecko"},
    {"RO", "Rumunsko"}, {"RS", "Srbsko"}, {"HR", "Chorvátsko"}, {"BG", "Bulharsko"},
    {"RU", "Rusko"}, {"IT", "Taliansko"}, {"FR", "Francúzsko"}, {"GB", "Spojené kráľovstvo"},
    {"IE", "Írsko"}, {"ES", "Španielsko"}, {"US", "Spojené štáty americké"},
    {"VN", "Vietnam"}, {"CN", "Čína"}, {"SY", "Sýria"}, {"AF", "Afganistan"},
};

// Towns of Slovakia: every district town and further towns.
const char *const kObce[] = {
    "Bratislava", "Malacky", "Pezinok", "Senec", "Stupava", "Modra", "Svätý Jur",
    "Dunajská Streda", "Galanta", "Hlohovec", "Piešťany", "Senica", "Skalica", "Trnava",
    "Šamorín", "Sereď", "Holíč", "Sládkovičovo", "Bánovce nad Bebravou", "Ilava", "Myjava",
    "Nové Mesto nad Váhom", "Partizánske", "Považská Bystrica", "Prievidza", "Púchov",
    "Trenčín", "Handlová", "Dubnica nad Váhom", "Nová Dubnica", "Komárno", "Levice", "Nitra",
    "Nové Zámky", "Šaľa", "Topoľčany", "Zlaté Moravce", "Štúrovo", "Hurbanovo", "Šahy",
    "Vráble", "Šurany", "Bytča", "Čadca", "Dolný Kubín", "Kysucké Nové Mesto",
    "Liptovský Mikuláš", "Martin", "Námestovo", "Ružomberok", "Turčianske Teplice",
    "Tvrdošín", "Žilina", "Rajec", "Banská Bystrica", "Banská Štiavnica", "Brezno", "Detva",
    "Krupina", "Lučenec", "Poltár", "Revúca", "Rimavská Sobota", "Veľký Krtíš", "Zvolen",
    "Žarnovica", "Žiar nad Hronom", "Kremnica", "Hriňová", "Tisovec", "Bardejov", "Humenné",
    "Kežmarok", "Levoča", "Medzilaborce", "Poprad", "Prešov", "Sabinov", "Snina",
    "Stará Ľubovňa", "Stropkov", "Svidník", "Vranov nad Topľou", "Svit", "Vysoké Tatry",
    "Gelnica", "Košice", "Michalovce", "Rožňava", "Sobrance", "Spišská Nová Ves", "Trebišov",
    "Krompachy", "Moldava nad Bodvou", "Veľké Kapušany",
};

bool exec(QSqlQuery &q, const QString &sql, QString *error)
{
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text() + QStringLiteral(" in: ") + sql.left(120);
    return false;
}

bool insertCodes(QSqlDatabase &db, const char *table, const Code *codes, int n, QString *error)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO %1 (kod, nazov) VALUES (?, ?)").arg(QLatin1String(table)));
    for (int i = 0; i < n; ++i) {
        q.addBindValue(QString::fromUtf8(codes[i].kod));
        q.addBindValue(QString::fromUtf8(codes[i].nazov));
        if (!q.exec()) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

bool fill(QSqlDatabase &db, QString *error)
{
    QSqlQuery q(db);
    for (const QString &statement : RegisterSchema::createStatements())
        if (!exec(q, statement, error))
            return false;

    q.prepare(QStringLiteral("INSERT INTO c_funkcie (fc_idkod, nazov) VALUES (?, ?)"));
    for (const Code &c : kFunkcie) {
        q.addBindValue(QString::fromUtf8(c.kod).toInt());
        q.addBindValue(QString::fromUtf8(c.nazov));
        if (!q.exec())
            return exec(q, QString(), error);
    }
    q.prepare(QStringLiteral("INSERT INTO c_zariad (kod, nazov, akronym, v_nazov) VALUES (?, ?, ?, ?)"));
    for (const Facility &f : kZariad) {
        q.addBindValue(QString::fromUtf8(f.kod));
        q.addBindValue(QString::fromUtf8(f.nazov));
        q.addBindValue(QString::fromUtf8(f.akronym));
        q.addBindValue(QString::fromUtf8(f.vNazov));
        if (!q.exec())
            return exec(q, QString(), error);
    }
    if (!insertCodes(db, "c_zdrpoi", kZdrpoi, int(std::size(kZdrpoi)), error)
        || !insertCodes(db, "c_narodn", kNarodn, int(std::size(kNarodn)), error)
        || !insertCodes(db, "c_jazyk", kJazyk, int(std::size(kJazyk)), error)
        || !insertCodes(db, "c_iczeme", kIczeme, int(std::size(kIczeme)), error))
        return false;
    q.prepare(QStringLiteral("INSERT INTO c_iczuj (kod, nazov) VALUES (?, ?)"));
    int n = 0;
    for (const char *town : kObce) {
        q.addBindValue(QStringLiteral("%1").arg(++n, 3, 10, QLatin1Char('0')));
        q.addBindValue(QString::fromUtf8(town));
        if (!q.exec())
            return exec(q, QString(), error);
    }

    // The saved queries the reports read; printing rewrites them per client.
    using namespace SavedQueries;
    const QString none;
    const std::pair<const char *, QString> views[] = {
        {"vyp_zaklad", zaklad(none)},       {"vyp_rodicia", rodicia(none)},
        {"vyp_surodenci", surodenci(none)}, {"vyp_memo", memo(QStringLiteral("u_dieta"), none)},
        {"vyp_zariad", zariad(none)},       {"vyp_vysetrenie", vysetrenie(none)},
        {"vyp_zazSpc", zazSpc(none)},       {"vyp_zazZmeny", zazZmeny()},
        {"vyp_navstevy", navstevy(none)},
    };
    for (const auto &[name, sql] : views)
        if (!exec(q, QStringLiteral("CREATE VIEW \"%1\" AS %2").arg(QLatin1String(name), sql), error))
            return false;
    return true;
}

} // namespace

bool createNewDatabaseFile(const QString &filePath, QString *error)
{
    if (QFileInfo::exists(filePath)) {
        if (error)
            *error = QStringLiteral("%1 already exists; it is not overwritten").arg(filePath);
        return false;
    }
    const QString name = QStringLiteral("ulk-newdb");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(filePath);
        if (!db.open()) {
            if (error)
                *error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            q.finish();
            ok = db.transaction() && fill(db, error) && db.commit();
            if (!ok) {
                if (error && error->isEmpty())
                    *error = db.lastError().text();
                db.rollback();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!ok)
        QFile::remove(filePath);
    return ok;
}

bool createNewDatabase(const QString &directory, QString *error)
{
    if (!QDir().mkpath(directory)) {
        if (error)
            *error = QStringLiteral("cannot create directory %1").arg(directory);
        return false;
    }
    return createNewDatabaseFile(Database::pathIn(directory), error);
}

} // namespace ulk
