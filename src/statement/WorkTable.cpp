#include "statement/WorkTable.h"

#include "data/Database.h"
#include "data/RegisterConnection.h"
#include "statement/DisabilityCounts.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ulk::statement {

const WorkTable &WorkTable::ages()
{
    static const WorkTable t(QStringLiteral("z_vek"),
                             QStringList{QStringLiteral("stlpec"), QStringLiteral("vek"), QStringLiteral("c_riad")}
                                 + DisabilityCounts::columns());
    return t;
}

const WorkTable &WorkTable::education()
{
    static const WorkTable t(QStringLiteral("z_vzdelavanie"),
                             QStringList{QStringLiteral("stlpec_1"), QStringLiteral("stlpec_2"),
                                         QStringLiteral("kod_txt"), QStringLiteral("kod"), QStringLiteral("c_riad")}
                                 + DisabilityCounts::columns());
    return t;
}

const WorkTable &WorkTable::employees()
{
    static const WorkTable t(QStringLiteral("z_zam"),
                             {QStringLiteral("fcia"), QStringLiteral("cria"), QStringLiteral("i_spolu"),
                              QStringLiteral("i_zeny"), QStringLiteral("i_kval"), QStringLiteral("e_spolu"),
                              QStringLiteral("e_zeny"), QStringLiteral("e_kval")});
    return t;
}

bool WorkTable::fill(const QList<QStringList> &lines, QString *error) const
{
    QSqlDatabase db = Database::connection();
    Transaction t(db);
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!t.ok())
        return fail(t.cause());
    {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("DELETE FROM %1").arg(m_name)))
            return fail(RegisterConnection::causeOf(q.lastError()));
        QStringList marks;
        for (qsizetype i = 0; i < m_columns.size(); ++i)
            marks << QStringLiteral("?");
        if (!q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(m_name, m_columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
            return fail(RegisterConnection::causeOf(q.lastError()));
        for (const QStringList &line : lines) {
            if (line.size() != m_columns.size())
                return fail(QStringLiteral("riadok tabuľky %1 má %2 hodnôt namiesto %3")
                                .arg(m_name)
                                .arg(line.size())
                                .arg(m_columns.size()));
            for (const QString &value : line)
                q.addBindValue(value.isNull() ? QStringLiteral("") : value);
            if (!q.exec())
                return fail(RegisterConnection::causeOf(q.lastError()));
        }
    }
    if (!t.commit())
        return fail(t.cause());
    return true;
}

bool WorkTable::clear(QString *error) const
{
    return writeInTransaction(
        Database::connection(),
        [&](QString *why) {
            const QSqlQuery q = runSql(QStringLiteral("DELETE FROM %1").arg(m_name), {}, why);
            if (!why->isEmpty())
                *why = RegisterConnection::causeOf(q.lastError());
            return why->isEmpty();
        },
        error);
}

std::optional<RowSet> WorkTable::read(const QSqlDatabase &db, QString *error) const
{
    QSqlQuery q(db);
    // A plain table gives its rows back in the order of their row ids, which
    // is the order in which they were written.
    if (!q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(m_name))) {
        if (error)
            *error = RegisterConnection::causeOf(q.lastError());
        return std::nullopt;
    }
    RowSet rows = RowSet::fromQuery(q);
    // Rows read only in part are no report.
    if (q.lastError().isValid()) {
        if (error)
            *error = RegisterConnection::causeOf(q.lastError());
        return std::nullopt;
    }
    return rows;
}

} // namespace ulk::statement
