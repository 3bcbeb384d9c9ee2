#include "data/RegisterSchema.h"

#include <QHash>

namespace ulk::RegisterSchema {

namespace {

// Whose rows a table holds, by the key in its column idkod.
enum class Rows {
    Client,    // the client's own row (one per client)
    ClientOne, // one more row per client, under the client's key
    ClientAny, // a client's sub-records: any number of rows per client
    Other,     // employees, code lists, the statement's work tables
};

struct Table {
    const char *name;
    Rows rows;
    const char *columns;         // the column definitions, as CREATE TABLE takes them
    const char *indexes[4];      // CREATE INDEX statements, ended by nullptr
};

const Table kTables[] = {
    // Clients: one row per client.
    {"k_zaklad", Rows::Client,
     " idkod TEXT PRIMARY KEY NOT NULL, meno TEXT, priezv TEXT, mienar TEXT, rodcis TEXT,"
     " datnar TEXT, pohlav TEXT, katcis TEXT, zdrpoi TEXT, narodn TEXT, stprisl TEXT, jazyk TEXT,"
     " jaz_doma TEXT, ulica TEXT, obec TEXT, psc TEXT, skola TEXT, odporu TEXT, datevi TEXT,"
     " matka TEXT, matnar TEXT, matvek INTEGER, matvzd TEXT, matuli TEXT, matobe TEXT,"
     " matpsc TEXT, mattel TEXT, matmail TEXT, matzam TEXT, mataza TEXT, mattza TEXT,"
     " matchor TEXT, matvla INTEGER, matpos TEXT,"
     " otec TEXT, otenar TEXT, otevek INTEGER, otevzd TEXT, oteuli TEXT, oteobe TEXT,"
     " otepsc TEXT, otetel TEXT, otemail TEXT, otezam TEXT, oteaza TEXT, otetza TEXT,"
     " otechor TEXT, otevla INTEGER, otepos TEXT,"
     " kon_meno TEXT, kon_pomer TEXT, kon_obe TEXT, kon_uli TEXT, kon_psc TEXT, kon_tel TEXT,"
     " kon_mail TEXT, postih TEXT, vek INTEGER",
     {"CREATE INDEX k_zaklad_meno ON k_zaklad (priezv, meno)",
      "CREATE INDEX k_zaklad_katcis ON k_zaklad (katcis)", nullptr}},
    {"k_memo", Rows::ClientOne,
     "idkod TEXT PRIMARY KEY NOT NULL, u_dieta TEXT, u_ziak TEXT,"
     " u_zhrn TEXT, u_dolezite TEXT, poznamky TEXT, ip_ulkz TEXT",
     {nullptr}},
    // Sub-records: any number of rows per client.
    {"k_surodenci", Rows::ClientAny,
     "id INTEGER PRIMARY KEY, idkod TEXT NOT NULL, meno TEXT,"
     " pohlavie TEXT, roknar TEXT, choroby TEXT, postih TEXT",
     {"CREATE INDEX k_surodenci_idkod ON k_surodenci (idkod)", nullptr}},
    {"k_zariad", Rows::ClientAny,
     "id INTEGER PRIMARY KEY, idkod TEXT NOT NULL, nazzar TEXT,"
     " adresa TEXT, vzar_od TEXT, vzar_do TEXT, akronym TEXT",
     {"CREATE INDEX k_zariad_idkod ON k_zariad (idkod)", nullptr}},
    {"k_vysetrenie", Rows::ClientAny,
     "id INTEGER PRIMARY KEY, idkod TEXT NOT NULL, datum TEXT,"
     " idkod_p TEXT, popis TEXT",
     {"CREATE INDEX k_vysetrenie_idkod ON k_vysetrenie (idkod)",
      "CREATE INDEX k_vysetrenie_idkod_p ON k_vysetrenie (idkod_p)", nullptr}},
    {"k_zaznam_zmeny", Rows::ClientAny,
     "id INTEGER PRIMARY KEY, idkod TEXT NOT NULL, datum TEXT,"
     " idkod_P TEXT, zmeny TEXT",
     {"CREATE INDEX k_zaznam_zmeny_idkod ON k_zaznam_zmeny (idkod)",
      "CREATE INDEX k_zaznam_zmeny_idkod_p ON k_zaznam_zmeny (idkod_P)", nullptr}},
    {"k_zaznam_spc", Rows::ClientAny,
     "id INTEGER PRIMARY KEY, idkod TEXT NOT NULL, datum TEXT,"
     " hod_od TEXT, hod_do TEXT, idkod_P TEXT, cinnost TEXT",
     {"CREATE INDEX k_zaznam_spc_idkod ON k_zaznam_spc (idkod)",
      "CREATE INDEX k_zaznam_spc_idkod_p ON k_zaznam_spc (idkod_P)",
      "CREATE INDEX k_zaznam_spc_datum ON k_zaznam_spc (datum)", nullptr}},
    {"k_navstevy", Rows::ClientAny,
     "id INTEGER PRIMARY KEY, idkod TEXT NOT NULL, datum TEXT,"
     " dat_budn TEXT",
     {"CREATE INDEX k_navstevy_idkod ON k_navstevy (idkod)", nullptr}},
    // Employees.
    {"zamestnanci", Rows::Other,
     "idkod TEXT PRIMARY KEY NOT NULL, meno TEXT, priezv TEXT,"
     " prac_zar INTEGER, pohlavie TEXT, \"int-ext\" TEXT, kvalifikacia TEXT",
     {"CREATE INDEX zamestnanci_meno ON zamestnanci (priezv, meno)", nullptr}},
    // Code lists.
    {"c_funkcie", Rows::Other, "fc_idkod INTEGER PRIMARY KEY, nazov TEXT", {nullptr}},
    {"c_zariad", Rows::Other, "kod TEXT PRIMARY KEY NOT NULL, nazov TEXT, akronym TEXT, v_nazov TEXT", {nullptr}},
    {"c_zdrpoi", Rows::Other, "kod TEXT PRIMARY KEY NOT NULL, nazov TEXT", {nullptr}},
    {"c_narodn", Rows::Other, "kod TEXT PRIMARY KEY NOT NULL, nazov TEXT", {nullptr}},
    {"c_jazyk", Rows::Other, "kod TEXT PRIMARY KEY NOT NULL, nazov TEXT", {nullptr}},
    {"c_iczeme", Rows::Other, "kod TEXT PRIMARY KEY NOT NULL, nazov TEXT", {nullptr}},
    {"c_iczuj", Rows::Other, "kod TEXT PRIMARY KEY NOT NULL, nazov TEXT",
     {"CREATE INDEX c_iczuj_nazov ON c_iczuj (nazov)", nullptr}},
    // Statement tables: every column text.
    {"z_vek", Rows::Other,
     "stlpec TEXT, vek TEXT, c_riad TEXT, spolu TEXT, spolu_zeny TEXT,"
     " p_zrak TEXT, p_zrak_z TEXT, p_sluch TEXT, p_sluch_z TEXT, p_rec TEXT, p_rec_z TEXT,"
     " p_teles TEXT, p_teles_z TEXT, p_menta TEXT, p_menta_z TEXT, p_viacn TEXT, p_viacn_z TEXT,"
     " p_autiz TEXT, p_autiz_z TEXT, p_vpuc TEXT, p_vpuc_z TEXT, p_vpsp TEXT, p_vpsp_z TEXT,"
     " p_ine TEXT, p_ine_z TEXT",
     {nullptr}},
    {"z_vzdelavanie", Rows::Other,
     "stlpec_1 TEXT, stlpec_2 TEXT, kod_txt TEXT, kod TEXT,"
     " c_riad TEXT, spolu TEXT, spolu_zeny TEXT,"
     " p_zrak TEXT, p_zrak_z TEXT, p_sluch TEXT, p_sluch_z TEXT, p_rec TEXT, p_rec_z TEXT,"
     " p_teles TEXT, p_teles_z TEXT, p_menta TEXT, p_menta_z TEXT, p_viacn TEXT, p_viacn_z TEXT,"
     " p_autiz TEXT, p_autiz_z TEXT, p_vpuc TEXT, p_vpuc_z TEXT, p_vpsp TEXT, p_vpsp_z TEXT,"
     " p_ine TEXT, p_ine_z TEXT",
     {nullptr}},
    {"z_zam", Rows::Other,
     "fcia TEXT, cria TEXT, i_spolu TEXT, i_zeny TEXT, i_kval TEXT,"
     " e_spolu TEXT, e_zeny TEXT, e_kval TEXT",
     {nullptr}},
    {"dop_ukaz", Rows::Other, "r_0401 TEXT, r_0402 TEXT, r_0403 TEXT, r_0404 TEXT, r_0416 TEXT", {nullptr}},
    {"odbstar", Rows::Other,
     "v_tom TEXT, naz_ria TEXT, c_ria TEXT, s_1 TEXT, s_2 TEXT, s_3 TEXT,"
     " s_4 TEXT, s_5 TEXT, s_6 TEXT, s_7 TEXT, s_8 TEXT, s_9 TEXT, s_10 TEXT",
     {nullptr}},
};

// The name of each column: the first word of its definition, without quotes.
QStringList columnNames(const char *definitions)
{
    QStringList names;
    for (const QString &definition : QString::fromLatin1(definitions).split(QLatin1Char(',')))
        names << definition.trimmed().section(QLatin1Char(' '), 0, 0).remove(QLatin1Char('"'));
    return names;
}

} // namespace

const QStringList &tableNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const Table &t : kTables)
            n << QString::fromLatin1(t.name);
        return n;
    }();
    return names;
}

QStringList columnsOf(const QString &table)
{
    static const QHash<QString, QStringList> columns = [] {
        QHash<QString, QStringList> c;
        for (const Table &t : kTables)
            c.insert(QString::fromLatin1(t.name), columnNames(t.columns));
        return c;
    }();
    return columns.value(table);
}

QString keyColumnOf(const QString &table)
{
    for (const Table &t : kTables) {
        if (table != QLatin1String(t.name))
            continue;
        for (const QString &definition : QString::fromLatin1(t.columns).split(QLatin1Char(',')))
            if (definition.contains(QLatin1String("PRIMARY KEY")))
                return definition.trimmed().section(QLatin1Char(' '), 0, 0).remove(QLatin1Char('"'));
    }
    return QString();
}

const QStringList &recordKeyTables()
{
    static const QStringList tables = [] {
        QStringList keyed;
        for (const QString &table : tableNames())
            if (keyColumnOf(table) == QLatin1String("idkod"))
                keyed << table;
        return keyed;
    }();
    return tables;
}

QString clientKey() { return QStringLiteral("idkod"); }

const QStringList &clientDetailTables()
{
    static const QStringList names = [] {
        QStringList n;
        for (const Table &t : kTables)
            if (t.rows == Rows::ClientOne || t.rows == Rows::ClientAny)
                n << QString::fromLatin1(t.name);
        n.sort();
        return n;
    }();
    return names;
}

const QStringList &subRecordTables()
{
    static const QStringList names = [] {
        QStringList n;
        for (const Table &t : kTables)
            if (t.rows == Rows::ClientAny)
                n << QString::fromLatin1(t.name);
        n.sort();
        return n;
    }();
    return names;
}

const QList<KeyColumn> &employeeKeyColumns()
{
    static const QList<KeyColumn> columns = [] {
        QList<KeyColumn> c;
        for (const Table &t : kTables)
            for (const QString &column : columnNames(t.columns))
                if (column.compare(QLatin1String("idkod_p"), Qt::CaseInsensitive) == 0)
                    c.append({QString::fromLatin1(t.name), column});
        return c;
    }();
    return columns;
}

QStringList createStatements()
{
    QStringList statements;
    for (const Table &t : kTables) {
        statements << QStringLiteral("CREATE TABLE %1 (%2)").arg(QLatin1String(t.name), QLatin1String(t.columns));
        for (const char *const *index = t.indexes; *index; ++index)
            statements << QString::fromLatin1(*index);
    }
    return statements;
}

} // namespace ulk::RegisterSchema
