#pragma once
#include "client/subrecords/SubRecordRows.h"

#include <QAbstractListModel>
#include <QString>

// One of the six lists of a client's sub-records (siblings by first name,
// the others by their date line): a view of the tab's row set, read afresh
// for a client key.
namespace ulk {

class SubRecordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using Kind = SubRecordKind;

    explicit SubRecordListModel(Kind kind, QObject *parent = nullptr);

    QString clientKey() const { return m_rows.clientKey(); }
    // The facility list shows one kind at a time: "VYCH" or "ULK".
    QString facilityKind() const { return m_facilityKind; }
    void setFacilityKind(const QString &akronym) { m_facilityKind = akronym; }

    // Reads the rows of the client with this key; an empty key gives no rows.
    bool reload(const QString &clientKey, QString *error = nullptr);
    // Reads the rows again for the key of the last reading.
    bool reread(QString *error = nullptr) { return reload(m_rows.clientKey(), error); }

    // The row set behind the list (its current row, state and writes).
    SubRecordRows &rows() { return m_rows; }
    const SubRecordRows &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QString lineAt(int row) const;

private:
    SubRecordRows m_rows;
    QString m_facilityKind = QStringLiteral("VYCH");
};

} // namespace ulk
