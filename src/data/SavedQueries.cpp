#include "data/SavedQueries.h"

#include "data/Database.h"

#include <QSqlError>

namespace ulk::SavedQueries {

QString quoteLiteral(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

QString disabilityTextColumns(const QString &column, const QString &suffix)
{
    static const char *texts[] = {"žiadne", "syndróm autizmu", "mentálne", "sluchové", "zrakové",
                                  "rečové", "telesné", "špecifické vývinové poruchy správania",
                                  "špecifické vývinové poruchy učenia", "iné"};
    QStringList cols;
    for (int pos = 1; pos <= 9; ++pos) {
        QString c = QStringLiteral("CASE substr(coalesce(%1,''), %2, 1)").arg(column).arg(pos);
        for (int d = 0; d <= 9; ++d)
            c += QStringLiteral(" WHEN '%1' THEN '%2'").arg(d).arg(QString::fromUtf8(texts[d]));
        c += QStringLiteral(" ELSE '' END AS retaz%1%2").arg(pos).arg(suffix);
        cols << c;
    }
    return cols.join(QStringLiteral(", "));
}

QString zaklad(const QString &key)
{
    return QStringLiteral(
               "SELECT k_zaklad.meno AS Meno, k_zaklad.priezv AS Priezv, k_zaklad.idkod AS Idkod, "
               "k_zaklad.pohlav, k_zaklad.katcis, k_zaklad.datnar, k_zaklad.mienar, k_zaklad.vek, "
               "k_zaklad.rodcis, k_zaklad.obec, k_zaklad.ulica, k_zaklad.psc, k_zaklad.skola, "
               "k_zaklad.odporu, k_zaklad.datevi, k_zaklad.matka, k_zaklad.matvla, k_zaklad.matnar, "
               "k_zaklad.matvek, k_zaklad.matvzd, k_zaklad.matuli, k_zaklad.matobe, k_zaklad.matpsc, "
               "k_zaklad.mattel, k_zaklad.matmail, k_zaklad.matzam, k_zaklad.mataza, k_zaklad.mattza, "
               "k_zaklad.matchor, k_zaklad.matpos, k_zaklad.otec, k_zaklad.otevla, k_zaklad.otenar, "
               "k_zaklad.otevek, k_zaklad.otevzd, k_zaklad.oteuli, k_zaklad.oteobe, k_zaklad.otepsc, "
               "k_zaklad.otetel, k_zaklad.otemail, k_zaklad.otezam, k_zaklad.oteaza, k_zaklad.otetza, "
               "k_zaklad.otechor, k_zaklad.otepos, k_zaklad.kon_meno, k_zaklad.kon_pomer, "
               "k_zaklad.kon_uli, k_zaklad.kon_obe, k_zaklad.kon_tel, k_zaklad.kon_psc, "
               "k_zaklad.kon_mail, c_narodn.nazov AS \"c_narodn.nazov\", "
               "c_jazyk.nazov AS \"c_jazyk.nazov\", k_zaklad.jazyk, k_zaklad.jaz_doma, "
               "c_jazyk_1.nazov AS \"c_jazyk_1.nazov\", c_iczeme.nazov AS \"c_iczeme.nazov\", "
               "k_zaklad.stprisl, c_zdrpoi.nazov AS \"c_zdrpoi.nazov\", ")
        + disabilityTextColumns(QStringLiteral("k_zaklad.postih"), QString())
        + QStringLiteral(
               " FROM k_zaklad LEFT JOIN c_zdrpoi ON k_zaklad.zdrpoi = c_zdrpoi.kod "
               "LEFT JOIN c_jazyk ON k_zaklad.jazyk = c_jazyk.kod "
               "LEFT JOIN c_narodn ON k_zaklad.narodn = c_narodn.kod "
               "LEFT JOIN c_iczeme ON k_zaklad.stprisl = c_iczeme.kod "
               "LEFT JOIN c_jazyk AS c_jazyk_1 ON k_zaklad.jaz_doma = c_jazyk_1.kod "
               "WHERE k_zaklad.idkod = ")
        + quoteLiteral(key);
}

QString rodicia(const QString &key)
{
    return QStringLiteral(
               "SELECT k_zaklad.meno AS Meno, k_zaklad.priezv AS Priezv, k_zaklad.idkod AS Idkod, "
               "k_zaklad.pohlav, k_zaklad.katcis, k_zaklad.datnar, k_zaklad.mienar, k_zaklad.vek, "
               "k_zaklad.rodcis, k_zaklad.obec, k_zaklad.ulica, k_zaklad.psc, k_zaklad.skola, "
               "k_zaklad.odporu, k_zaklad.datevi, k_zaklad.matka, "
               "CASE WHEN k_zaklad.matvla = 1 THEN 'vlastná' ELSE 'nevlastná' END AS vlnevlM, "
               "k_zaklad.matnar, k_zaklad.matvzd, k_zaklad.matuli, k_zaklad.matobe, k_zaklad.matpsc, "
               "k_zaklad.mattel, k_zaklad.matmail, k_zaklad.matzam, k_zaklad.mataza, k_zaklad.mattza, "
               "k_zaklad.matchor, k_zaklad.matpos, k_zaklad.otec, "
               "CASE WHEN k_zaklad.otevla = 1 THEN 'vlastný' ELSE 'nevlastný' END AS vlnevlO, "
               "k_zaklad.otenar, k_zaklad.otevek, k_zaklad.otevzd, k_zaklad.oteuli, k_zaklad.oteobe, "
               "k_zaklad.otepsc, k_zaklad.otetel, k_zaklad.otemail, k_zaklad.otezam, k_zaklad.oteaza, "
               "k_zaklad.otetza, k_zaklad.otechor, k_zaklad.otepos, k_zaklad.kon_meno, "
               "k_zaklad.kon_pomer, k_zaklad.kon_uli, k_zaklad.kon_obe, k_zaklad.kon_tel, "
               "k_zaklad.kon_psc, k_zaklad.kon_mail, ")
        + disabilityTextColumns(QStringLiteral("k_zaklad.matpos"), QStringLiteral("M"))
        + QStringLiteral(", ")
        + disabilityTextColumns(QStringLiteral("k_zaklad.otepos"), QStringLiteral("O"))
        + QStringLiteral(" FROM k_zaklad WHERE k_zaklad.idkod = ") + quoteLiteral(key);
}

QString surodenci(const QString &key)
{
    return QStringLiteral("SELECT k_surodenci.meno AS Meno, k_surodenci.pohlavie, "
                          "k_surodenci.idkod AS Idkod, k_surodenci.roknar, k_surodenci.choroby, "
                          "k_surodenci.postih, ")
        + disabilityTextColumns(QStringLiteral("k_surodenci.postih"), QString())
        + QStringLiteral(" FROM k_surodenci WHERE k_surodenci.idkod = ") + quoteLiteral(key);
}

QString memo(const QString &column, const QString &key)
{
    return QStringLiteral("SELECT k_memo.%1 FROM k_memo WHERE k_memo.idkod = ").arg(column)
        + quoteLiteral(key);
}

QString zariad(const QString &key)
{
    return QStringLiteral("SELECT k_zariad.akronym, k_zariad.vzar_od, k_zariad.vzar_do, "
                          "k_zariad.adresa, c_zariad.nazov FROM c_zariad INNER JOIN k_zariad "
                          "ON c_zariad.kod = k_zariad.nazzar WHERE k_zariad.idkod = ")
        + quoteLiteral(key);
}

QString vysetrenie(const QString &key)
{
    return QStringLiteral("SELECT strftime('%d.%m.%Y', k_vysetrenie.datum) AS kedy, "
                          "trim(zamestnanci.meno) || '  ' || trim(zamestnanci.priezv) AS Expr1, "
                          "k_vysetrenie.* FROM zamestnanci INNER JOIN k_vysetrenie "
                          "ON zamestnanci.idkod = k_vysetrenie.idkod_p WHERE k_vysetrenie.idkod = ")
        + quoteLiteral(key);
}

QString zazSpc(const QString &key)
{
    return QStringLiteral("SELECT k_zaznam_spc.cinnost, k_zaznam_spc.datum, k_zaznam_spc.hod_od, "
                          "k_zaznam_spc.hod_do, trim(zamestnanci.meno) || '  ' || "
                          "trim(zamestnanci.priezv) AS Expr1 FROM zamestnanci INNER JOIN "
                          "k_zaznam_spc ON zamestnanci.idkod = k_zaznam_spc.idkod_p "
                          "WHERE k_zaznam_spc.idkod = ")
        + quoteLiteral(key);
}

QString zazZmeny(const QString &key)
{
    return QStringLiteral("SELECT k_zaznam_zmeny.datum, k_zaznam_zmeny.zmeny, "
                          "trim(zamestnanci.meno) || '  ' || trim(zamestnanci.priezv) AS Expr1 "
                          "FROM zamestnanci INNER JOIN k_zaznam_zmeny "
                          "ON zamestnanci.idkod = k_zaznam_zmeny.idkod_p "
                          "WHERE k_zaznam_zmeny.idkod = ")
        + quoteLiteral(key);
}

QString navstevy(const QString &key)
{
    return QStringLiteral("SELECT *, strftime('%d.%m.%Y', datum) AS kedy FROM k_navstevy "
                          "WHERE idkod = ")
        + quoteLiteral(key) + QStringLiteral(" ORDER BY datum");
}

QString zozKlient()
{
    return QStringLiteral("SELECT k_zaklad.meno,k_zaklad.priezv,k_zaklad.rodcis,k_zaklad.katcis,"
                          "k_zaklad.datnar,k_zaklad.ulica,k_zaklad.obec,k_zaklad.psc FROM k_zaklad  "
                          "ORDER BY k_zaklad.priezv||k_zaklad.meno");
}

bool rewrite(const QString &viewName, const QString &selectSql, QString *error)
{
    QSqlDatabase db = Database::connection();
    Transaction t(db);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("DROP VIEW IF EXISTS \"%1\"").arg(viewName))
        || !q.exec(QStringLiteral("CREATE VIEW \"%1\" AS %2").arg(viewName, selectSql))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    if (!t.commit()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    return true;
}

} // namespace ulk::SavedQueries
