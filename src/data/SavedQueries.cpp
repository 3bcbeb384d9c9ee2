#include "data/SavedQueries.h"

#include "common/FailureText.h"
#include "data/Database.h"

#include <QSqlError>

namespace ulk::SavedQueries {

QString quoteLiteral(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

QString keyCondition(const QString &column, const QString &key)
{
    const QString k = key.trimmed();
    if (k.isEmpty())
        return QStringLiteral("0");
    const QString q = quoteLiteral(k);
    // Blanks sort before '!', so the key and the key followed by blanks lie
    // between the key and the key followed by '!' (the column's index serves).
    return QStringLiteral("(%1 >= %2 AND %1 < %3 AND rtrim(%1) = %2)")
        .arg(column, q, quoteLiteral(k + QLatin1Char('!')));
}

QString employeeName(const QString &table)
{
    return QStringLiteral("trim(coalesce(%1.meno, '')) || '  ' || trim(coalesce(%1.priezv, ''))").arg(table);
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
               "WHERE ")
        + keyCondition(QStringLiteral("k_zaklad.idkod"), key);
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
        + QStringLiteral(" FROM k_zaklad WHERE ")
        + keyCondition(QStringLiteral("k_zaklad.idkod"), key);
}

QString surodenci(const QString &key)
{
    return QStringLiteral("SELECT k_surodenci.meno AS Meno, k_surodenci.pohlavie, "
                          "k_surodenci.idkod AS Idkod, k_surodenci.roknar, k_surodenci.choroby, "
                          "k_surodenci.postih, ")
        + disabilityTextColumns(QStringLiteral("k_surodenci.postih"), QString())
        + QStringLiteral(" FROM k_surodenci WHERE ")
        + keyCondition(QStringLiteral("k_surodenci.idkod"), key);
}

const QStringList &memoColumns()
{
    static const QStringList c = {QStringLiteral("u_dieta"),    QStringLiteral("u_ziak"),
                                  QStringLiteral("u_zhrn"),     QStringLiteral("u_dolezite"),
                                  QStringLiteral("poznamky"),   QStringLiteral("ip_ulkz")};
    return c;
}

QString memo(const QString &column, const QString &key)
{
    // Only a column of k_memo ever stands in the text.
    if (!memoColumns().contains(column))
        return QString();
    return QStringLiteral("SELECT  k_memo.%1 FROM k_memo WHERE ").arg(column)
        + keyCondition(QStringLiteral("k_memo.idkod"), key);
}

QString zariad(const QString &key)
{
    return QStringLiteral("SELECT k_zariad.akronym, k_zariad.vzar_od, k_zariad.vzar_do, "
                          "k_zariad.adresa, c_zariad.nazov FROM c_zariad INNER JOIN k_zariad "
                          "ON c_zariad.kod = k_zariad.nazzar WHERE ")
        + keyCondition(QStringLiteral("k_zariad.idkod"), key);
}

// An employee key written into a record may carry trailing blanks (the
// picker's buffer is ten characters wide); it still names the employee.
QString vysetrenie(const QString &key)
{
    return QStringLiteral("SELECT strftime('%d.%m.%Y', k_vysetrenie.datum) AS kedy, ")
        + employeeName(QStringLiteral("zamestnanci"))
        + QStringLiteral(" AS Expr1, k_vysetrenie.* FROM zamestnanci INNER JOIN k_vysetrenie "
                         "ON rtrim(zamestnanci.idkod) = rtrim(k_vysetrenie.idkod_p) WHERE ")
        + keyCondition(QStringLiteral("k_vysetrenie.idkod"), key);
}

QString zazSpc(const QString &key)
{
    return QStringLiteral("SELECT k_zaznam_spc.cinnost, k_zaznam_spc.datum, k_zaznam_spc.hod_od, "
                          "k_zaznam_spc.hod_do, ")
        + employeeName(QStringLiteral("zamestnanci"))
        + QStringLiteral(" AS Expr1 FROM zamestnanci INNER JOIN k_zaznam_spc "
                         "ON rtrim(zamestnanci.idkod) = rtrim(k_zaznam_spc.idkod_P) WHERE ")
        + keyCondition(QStringLiteral("k_zaznam_spc.idkod"), key);
}

QString zazZmeny()
{
    // Every client's recorded changes with the client key, in date order;
    // the page of one client reads the rows of its key. A change whose
    // employee is not found is printed all the same.
    return QStringLiteral("SELECT k_zaznam_zmeny.idkod AS Idkod, k_zaznam_zmeny.datum, ")
        + employeeName(QStringLiteral("zamestnanci"))
        + QStringLiteral(" AS Expr1, k_zaznam_zmeny.zmeny FROM k_zaznam_zmeny LEFT JOIN zamestnanci "
                         "ON rtrim(zamestnanci.idkod) = rtrim(k_zaznam_zmeny.idkod_P) "
                         "ORDER BY k_zaznam_zmeny.datum, k_zaznam_zmeny.id");
}

QString navstevy(const QString &key)
{
    // The visits list of the client record: its rows in its order.
    return QStringLiteral("SELECT *, coalesce(strftime('%d.%m.%Y', datum), '') AS kedy FROM k_navstevy "
                          "WHERE ")
        + keyCondition(QStringLiteral("idkod"), key) + QStringLiteral(" ORDER BY datum, id");
}

QString zozKlient()
{
    return QStringLiteral("SELECT k_zaklad.meno,k_zaklad.priezv,k_zaklad.rodcis,k_zaklad.katcis,"
                          "k_zaklad.datnar,k_zaklad.ulica,k_zaklad.obec,k_zaklad.psc FROM k_zaklad  "
                          "ORDER BY k_zaklad.priezv||k_zaklad.meno");
}

QString storedName(const QString &viewName, QString *error)
{
    QString why;
    QSqlQuery q = runSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'view' AND lower(name) = lower(?)"),
                         {viewName}, &why);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return QString();
    }
    return q.next() ? q.value(0).toString() : QString();
}

bool rewrite(const QString &viewName, const QString &selectSql, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (selectSql.trimmed().isEmpty())
        return fail(QStringLiteral("prázdny text dotazu"));
    QSqlDatabase db = Database::connection();
    if (!db.isOpen())
        return fail(QStringLiteral("databáza nie je otvorená"));
    Transaction t(db);
    // Without a transaction of its own the view could be dropped and not created again.
    if (!t.ok())
        return fail(t.cause());
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("DROP VIEW IF EXISTS \"%1\"").arg(viewName))
        || !q.exec(QStringLiteral("CREATE VIEW \"%1\" AS %2").arg(viewName, selectSql)))
        return fail(sqliteCause(q.lastError()));
    q.finish();
    if (!t.commit())
        return fail(t.cause());
    return true;
}

} // namespace ulk::SavedQueries
