#pragma once
#include "statement/OdbStarRowTable.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QHash>
#include <QPair>
#include <QSqlQuery>
#include <QTest>
#include <QString>
#include <QStringList>
#include <QVariant>

// Rows of odbstar as tests set them up and read them back.
namespace ulk::test {

// Cells by (column 1..10, grid row); any other cell holds `others`.
using Cells = QHash<QPair<int, int>, QString>;

inline OdbStarGrid gridOf(const Cells &cells, const QString &others = QStringLiteral("0"))
{
    OdbStarGrid g;
    for (int r = 0; r < OdbStarRowTable::rows; ++r)
        for (int c = 1; c <= OdbStarRowTable::columns; ++c)
            g[std::size_t(r)][std::size_t(c - 1)] = cells.value({c, r}, others);
    return g;
}

// Writes the 28 rows of the row table (or the first `count` of them) with
// the cells given; every other count is stored as a single blank.
inline void seedOdbStar(const Cells &cells = {}, int count = OdbStarRowTable::rows)
{
    Transaction t;
    for (int r = 0; r < count; ++r) {
        QVariantList v{OdbStarRowTable::marker(r), OdbStarRowTable::name(r), OdbStarRowTable::code(r)};
        for (int c = 1; c <= OdbStarRowTable::columns; ++c)
            v << cells.value({c, r}, QStringLiteral(" "));
        sql(QStringLiteral("INSERT INTO odbstar (v_tom,naz_ria,c_ria,s_1,s_2,s_3,s_4,s_5,s_6,s_7,s_8,s_9,s_10) "
                           "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            v);
    }
    QVERIFY(t.commit());
}

// Every row of odbstar in table order: rowid, then the thirteen columns.
inline QList<QVariantList> odbStarRows()
{
    QList<QVariantList> rows;
    QSqlQuery q = runSql(QStringLiteral("SELECT rowid, v_tom, naz_ria, c_ria, s_1, s_2, s_3, s_4, s_5, s_6, s_7, s_8, "
                                        "s_9, s_10 FROM odbstar ORDER BY rowid"));
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < 14; ++i)
            row << q.value(i);
        rows << row;
    }
    return rows;
}

} // namespace ulk::test
