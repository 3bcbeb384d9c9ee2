#include "statement/OdbStarStore.h"

#include "common/FailureText.h"
#include "common/FieldRules.h"
#include "data/Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace ulk {

namespace {

QString countList()
{
    QStringList names;
    for (int c = 1; c <= OdbStarRowTable::columns; ++c)
        names << OdbStarStore::countColumn(c);
    return names.join(QLatin1Char(','));
}

} // namespace

OdbStarStore::OdbStarStore(QSqlDatabase db) : m_db(db) { m_rowids.fill(-1); }

QString OdbStarStore::countColumn(int column) { return QStringLiteral("s_%1").arg(column); }

QString OdbStarStore::shownText(const QVariant &stored)
{
    const QString text = stored.toString();
    return FieldRules::numericValue(text) > 0 ? text : QStringLiteral("0");
}

QString OdbStarStore::storedText(const QString &boxText)
{
    return FieldRules::numericValue(boxText) == 0 ? QStringLiteral(" ") : boxText;
}

bool OdbStarStore::load(QString *error)
{
    m_state = State::Empty;
    m_rowCount = 0;
    m_missing = 0;
    m_rowids.fill(-1);
    for (auto &row : m_texts)
        row.fill(QStringLiteral("0"));

    QString why;
    QSqlQuery q = runSql(m_db, QStringLiteral("SELECT rowid, c_ria, %1 FROM odbstar ORDER BY rowid").arg(countList()),
                         {}, &why);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return false;
    }
    bool inOrder = true;
    while (q.next()) {
        const int i = m_rowCount++;
        if (i >= OdbStarRowTable::rows)
            continue;
        m_rowids[std::size_t(i)] = q.value(0).toLongLong();
        if (q.value(1).toString().trimmed() != OdbStarRowTable::code(i))
            inOrder = false;
        for (int c = 1; c <= OdbStarRowTable::columns; ++c) {
            const QVariant v = q.value(c + 1);
            if (v.isNull())
                ++m_missing;
            m_texts[std::size_t(i)][std::size_t(c - 1)] = shownText(v);
        }
    }
    if (q.lastError().isValid()) {
        if (error)
            *error = sqliteCause(q.lastError());
        return false;
    }
    if (m_rowCount == OdbStarRowTable::rows)
        m_state = State::Filled;
    else if (m_rowCount > 0 && m_rowCount < OdbStarRowTable::rows && inOrder)
        m_state = State::Partial;
    else if (m_rowCount > 0)
        m_state = State::Unusable;
    return true;
}

bool OdbStarStore::save(const OdbStarGrid &texts, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (m_state == State::Unusable)
        return fail(QStringLiteral("tabuľka odbstar nemá 28 riadkov oddielu V"));

    QStringList sets;
    for (int c = 1; c <= OdbStarRowTable::columns; ++c)
        sets << countColumn(c) + QStringLiteral(" = ?");
    const QString update = QStringLiteral("UPDATE odbstar SET %1 WHERE rowid = ?").arg(sets.join(QStringLiteral(", ")));
    const QString insert = QStringLiteral("INSERT INTO odbstar (v_tom,naz_ria,c_ria,%1) VALUES (?,?,?%2)")
                               .arg(countList(), QStringLiteral(",?").repeated(OdbStarRowTable::columns));

    std::array<qint64, OdbStarRowTable::rows> rowids = m_rowids;
    {
        Transaction t(m_db);
        if (!t.ok())
            return fail(t.cause());
        for (int i = 0; i < OdbStarRowTable::rows; ++i) {
            QVariantList counts;
            for (int c = 0; c < OdbStarRowTable::columns; ++c)
                counts << storedText(texts[std::size_t(i)][std::size_t(c)]);
            QString why;
            if (rowids[std::size_t(i)] >= 0) {
                QSqlQuery q = runSql(m_db, update, counts << rowids[std::size_t(i)], &why);
                if (why.isEmpty() && q.numRowsAffected() != 1)
                    why = QStringLiteral("riadok %1 tabuľky odbstar sa nenašiel").arg(OdbStarRowTable::code(i));
            } else {
                const QVariantList values = QVariantList{OdbStarRowTable::marker(i), OdbStarRowTable::name(i),
                                                         OdbStarRowTable::code(i)}
                    + counts;
                QSqlQuery q = runSql(m_db, insert, values, &why);
                if (why.isEmpty())
                    rowids[std::size_t(i)] = q.lastInsertId().toLongLong();
            }
            if (!why.isEmpty())
                return fail(why);
        }
        if (!t.commit()) {
            // A commit that fails leaves the transaction open: nothing of it stays.
            const QString why = t.cause();
            m_db.rollback();
            return fail(why);
        }
    }
    m_rowids = rowids;
    m_state = State::Filled;
    m_rowCount = OdbStarRowTable::rows;
    m_missing = 0;
    m_texts = texts;
    return true;
}

} // namespace ulk
