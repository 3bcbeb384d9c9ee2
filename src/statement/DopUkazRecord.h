#pragma once
#include <QSqlDatabase>
#include <QString>
#include <array>

// Section IV of the statement, the supplementary indicators: the one row of
// dop_ukaz with its five counts, kept as the text typed (digits, or empty).
// The window edits the first row of the table; further rows, which only an
// outside tool can have added, are left as they are.
namespace ulk {

class DopUkazRecord {
public:
    static constexpr int count = 5;
    using Values = std::array<QString, count>;

    // The row codes "0401" .. "0404" and "0416", by box index.
    static QString rowCode(int index);

    explicit DopUkazRecord(QSqlDatabase db);

    // Reads the first row. False with *error when the table cannot be read;
    // an empty table is no failure: the record is then new.
    bool load(QString *error = nullptr);
    // How many rows the table held when it was read.
    int rowCount() const { return m_rowCount; }
    // The values as read; a missing value is empty text.
    const Values &values() const { return m_values; }

    // Writes the values into the row read, or adds the row when the table
    // had none. False with *error when nothing could be written.
    bool save(const Values &values, QString *error = nullptr);

    // Whether box 4 (row 0416) holds the sum of boxes 0 to 3; each box counts
    // as the numeric value of its text, an empty box as 0.
    static bool checkSumMatches(const Values &values);

private:
    QSqlDatabase m_db;
    qint64 m_rowid = -1;
    int m_rowCount = 0;
    Values m_values;
};

} // namespace ulk
