#include "client/subrecords/DossierPrintPlan.h"

#include "data/Database.h"
#include "data/RegisterSchema.h"
#include "data/SavedQueries.h"

#include <QSqlQuery>

namespace ulk {

namespace {

struct TabRow {
    int index;
    const char *caption;
    const char *savedQuery;
    const char *report;
    bool landscape;
    const char *title;
    const char *memoColumn;
};

const TabRow kTabs[] = {
    {0, "Základné údaje", "vyp_zaklad", "rptZakUdaj", true, "", ""},
    {1, "Rodičia", "vyp_rodicia", "rptRodicia", true, "", ""},
    {2, "Súrodenci", "vyp_surodenci", "rptSurodenci", true, "", ""},
    {3, "Dieťa v rannom predš.veku", "vyp_memo", "rptDemo", false, "Dieťa v rannom predškolskom veku", "u_dieta"},
    {4, "Žiak vo vých.vyuč.procese", "vyp_memo", "rptDemo", false, "Žiak vo výchovno-vyučovacom procese", "u_ziak"},
    {5, "Zhrn.výsl.pred.odb.vyš", "vyp_memo", "rptDemo", false,
     "Zhrnutie výsledkov predchádzajúceho odborného vyšetrenia", "u_zhrn"},
    {6, "Ďalšie dôl.údaje o klientovi", "vyp_memo", "rptDemo", false, "Ďalšie dôležité údaje o klientovi",
     "u_dolezite"},
    {7, "Poznámky", "vyp_memo", "rptDemo", false, "Poznámky", "poznamky"},
    {8, "Indiv.plán klienta ulk.por.zar.", "vyp_memo", "rptDemo", false, "Individuálny plán klienta ulk.por.zar.",
     "ip_ulkz"},
    {9, "Úd. o vých. a vzdel., resp. o ulk. výchove", "vyp_zariad", "rptUdajVV", false, "", ""},
    {10, "Priebeh a závery ulk.vyšetrenia", "vyp_vysetrenie", "rptVysetrenie", false, "", ""},
    {11, "Záznam o ulk.starostliv.", "vyp_zazspc", "rptZaz_spc", false, "", ""},
    {12, "Zaznamenané zmeny", "vyp_zazZmeny", "rptZaz_zmeny", false, "", ""},
    {13, "Návštevy", "vyp_navstevy", "rptNavstevy", false, "", ""},
};

// The recorded changes: the database's saved query holds every client's
// rows, and the page prints those of the open client.
constexpr int kChangesTab = 12;

} // namespace

std::optional<DossierTab> DossierPrintPlan::tab(int index)
{
    for (const TabRow &r : kTabs) {
        if (r.index != index)
            continue;
        DossierTab t;
        t.index = r.index;
        t.caption = QString::fromUtf8(r.caption);
        t.savedQuery = QString::fromLatin1(r.savedQuery);
        t.rewritten = r.index != kChangesTab;
        if (!t.rewritten)
            t.keyColumn = RegisterSchema::clientKey();
        t.report = QString::fromLatin1(r.report);
        t.landscape = r.landscape;
        t.title = QString::fromUtf8(r.title);
        t.memoColumn = QString::fromLatin1(r.memoColumn);
        return t;
    }
    return std::nullopt;
}

QString DossierPrintPlan::sqlFor(const DossierTab &tab, const QString &clientKey)
{
    using namespace SavedQueries;
    switch (tab.index) {
    case 0:
        return zaklad(clientKey);
    case 1:
        return rodicia(clientKey);
    case 2:
        return surodenci(clientKey);
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        return memo(tab.memoColumn, clientKey);
    case 9:
        return zariad(clientKey);
    case 10:
        return vysetrenie(clientKey);
    case 11:
        return zazSpc(clientKey);
    case 13:
        return navstevy(clientKey);
    default:
        return QString();
    }
}

DossierPrintPlan::Written DossierPrintPlan::writeSavedQuery(const DossierTab &tab, const QString &clientKey,
                                                            QString *error)
{
    auto fail = [error](Written why, const QString &text) {
        if (error)
            *error = text;
        return why;
    };
    if (!Database::isOpen())
        return fail(Written::CheckFailed, QStringLiteral("databáza nie je otvorená"));
    QString why;
    const QString stored = SavedQueries::storedName(tab.savedQuery, &why);
    if (!why.isEmpty())
        return fail(Written::CheckFailed, why);
    if (stored.isEmpty())
        return fail(Written::Missing, QString());

    if (!tab.rewritten) {
        if (tab.keyColumn.isEmpty())
            return Written::Ok;
        // The stored name comes from the database's own catalogue.
        QSqlQuery columns = runSql(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {stored}, &why);
        if (!why.isEmpty())
            return fail(Written::CheckFailed, why);
        while (columns.next())
            if (columns.value(0).toString().compare(tab.keyColumn, Qt::CaseInsensitive) == 0)
                return Written::Ok;
        return fail(Written::NoKeyColumn, QString());
    }

    const QString sql = sqlFor(tab, clientKey);
    if (!SavedQueries::rewrite(stored, sql, &why))
        return fail(Written::RewriteFailed, why);
    return Written::Ok;
}

} // namespace ulk
