#pragma once
#include "statement/OdbStarRowTable.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <array>

// Reading and writing section V of the statement: the table odbstar, one
// row per grid row in the order of the row table, matched by position.
// The table holds no row before the first save and 28 rows afterwards; the
// first save adds the 28 rows with their markers, names and codes, every
// later save changes the ten counts of each row in place. A count is stored
// as the text typed, a zero (or an emptied box) as a single blank.
namespace ulk {

class OdbStarStore {
public:
    enum class State {
        Empty,    // no row yet: the save adds all 28
        Filled,   // 28 rows: the save edits them in place
        Partial,  // the first rows of the row table only, by their codes, in
                  // order (a first save broken off): the save edits them and
                  // adds the missing ones
        Unusable  // any other number or order of rows: not to be edited
    };

    explicit OdbStarStore(QSqlDatabase db);

    // Reads the table. False with *error when it cannot be read.
    bool load(QString *error = nullptr);
    State state() const { return m_state; }
    int rowCount() const { return m_rowCount; }
    // How many counts of the rows read were missing (Null); they show as 0.
    int missingCounts() const { return m_missing; }
    // The box texts: a stored count of numeric value above 0 as stored, any
    // other as "0"; "0" everywhere for rows that are not there.
    const OdbStarGrid &texts() const { return m_texts; }

    // Writes the grid, all 28 rows or none. Refused for an Unusable table.
    bool save(const OdbStarGrid &texts, QString *error = nullptr);

    // The text a box shows for a stored value, and the value stored for a box.
    static QString shownText(const QVariant &stored);
    static QString storedText(const QString &boxText);

    // The count columns s_1 .. s_10, by column 1 .. 10.
    static QString countColumn(int column);

private:
    QSqlDatabase m_db;
    State m_state = State::Empty;
    int m_rowCount = 0;
    int m_missing = 0;
    OdbStarGrid m_texts;
    std::array<qint64, OdbStarRowTable::rows> m_rowids{};
};

} // namespace ulk
