#pragma once
// Helpers shared by the statement tests: clients, care records, facility
// stays and employees as the register keeps them, and the work tables and
// laid-out pages read back as texts.
#include "data/Database.h"
#include "reports/ReportDocument.h"
#include "support/ProgramDir.h"
#include "support/reports/ReportTexts.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

namespace ulk::test {

// A client with the columns the statement reads; a null text is stored as Null.
inline void addStatementClient(const QString &idkod, const QString &datnar, const QString &pohlav,
                               const QString &postih)
{
    auto v = [](const QString &s) { return s.isNull() ? QVariant() : QVariant(s); };
    sql(QStringLiteral("INSERT INTO k_zaklad (idkod, meno, priezv, datnar, pohlav, postih) VALUES (?,?,?,?,?,?)"),
        {idkod, QStringLiteral("Meno"), idkod, v(datnar), v(pohlav), v(postih)});
}

inline void addCare(const QString &idkod, const QString &datum)
{
    sql(QStringLiteral("INSERT INTO k_zaznam_spc (idkod, datum, idkod_P) VALUES (?,?,?)"),
        {idkod, datum, QStringLiteral("PSYCH00")});
}

// A stay in a facility of a kind; an empty end means the client is still there.
inline void addStay(const QString &idkod, const QString &kod, const QVariant &vzarDo = QVariant(),
                    const QString &akronym = QStringLiteral("VYCH"))
{
    sql(QStringLiteral("INSERT INTO k_zariad (idkod, nazzar, vzar_od, vzar_do, akronym) VALUES (?,?,?,?,?)"),
        {idkod, kod, QStringLiteral("2004-09-01"), vzarDo, akronym});
}

// The rows of a query, each its values as texts ("<null>" for Null).
inline QList<QStringList> queryRows(const QString &query)
{
    QList<QStringList> out;
    QSqlQuery q(Database::connection());
    if (!q.exec(query))
        return out;
    while (q.next()) {
        QStringList row;
        for (int c = 0; c < q.record().count(); ++c)
            row << (q.value(c).isNull() ? QStringLiteral("<null>") : q.value(c).toString());
        out << row;
    }
    return out;
}

// Every row of a table in row order.
inline QList<QStringList> tableRows(const QString &table)
{
    return queryRows(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
}

// The text a control prints on a page, or a null text when it is not there.
inline QString textOf(const report::ReportPage &page, const QString &section, const QString &name)
{
    const QList<report::PlacedText> t = page.textsOf(section, name);
    return t.isEmpty() ? QString() : t.first().text;
}

} // namespace ulk::test
