#pragma once
#include "client/subrecords/SubRecordFamilies.h"

#include <QDate>
#include <QString>
#include <QVariantMap>
#include <QVector>

// The row set of one sub-record tab: the open client's rows of the family's
// table, read whole with bound values in the order of the tab's list, with
// a current row and the state of the tab's edit (idle, editing the current
// row, adding a new one). Rows are written one statement at a time by their
// id; a failed statement changes nothing and says why.
namespace ulk {

class SubRecordRows {
public:
    enum class State { Idle, Editing, Adding };

    explicit SubRecordRows(SubRecordKind kind);

    const SubRecordFamilyDef &family() const { return *m_family; }
    SubRecordKind kind() const { return m_family->kind; }

    // Reads the rows of the client (an empty key gives none) and, for
    // facilities, of the kind "VYCH" or "ULK". The first row is current
    // afterwards; the state is idle. On failure the set is empty.
    bool read(const QString &clientKey, const QString &facilityKind, QString *error = nullptr);
    // Reads again with the key and kind of the last read.
    bool reread(QString *error = nullptr);
    QString clientKey() const { return m_key; }
    QString facilityKind() const { return m_facilityKind; }

    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // No current row: the set is empty or stands past its last row.
    bool atEnd() const { return m_current < 0 || m_current >= size(); }
    int current() const { return atEnd() ? -1 : m_current; }
    void setCurrent(int row) { m_current = row >= 0 && row < size() ? row : -1; }

    State state() const { return m_state; }
    void setState(State state) { m_state = state; }

    qint64 id(int row) const;
    QVariant value(int row, const QString &column) const;
    // The text the tab's list shows for a row: siblings their name, the
    // others their date as dd.mm.yyyy (facilities from and to, joined by
    // " - ", a missing date as nothing).
    QString line(int row) const;

    // The first row, in the list's order, whose date column holds date; -1.
    int findDate(const QString &column, const QDate &date) const;
    // The first row whose text column equals text regardless of letter case; -1.
    int findText(const QString &column, const QString &text) const;

    // A new row of the client: values of the family's columns (the client
    // key idkod among them). The rows are not read again.
    bool insert(const QVariantMap &values, QString *error = nullptr);
    // The row's columns in values are replaced.
    bool update(int row, const QVariantMap &values, QString *error = nullptr);
    bool remove(int row, QString *error = nullptr);

    // A stored date as a date (invalid when there is none).
    static QDate storedDate(const QVariant &value);

private:
    QString selectSql() const;

    const SubRecordFamilyDef *m_family;
    QStringList m_columns;
    QString m_key;
    QString m_facilityKind = QStringLiteral("VYCH");
    QVector<qint64> m_ids;
    QVector<QVariantList> m_rows;
    int m_current = -1;
    State m_state = State::Idle;
};

} // namespace ulk
