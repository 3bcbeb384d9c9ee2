#pragma once
#include <QAbstractListModel>
#include <QString>
#include <QVector>

// One of the six lists of a client's sub-records (siblings by first name,
// the others by their date line), read afresh for a client key.
namespace ulk {

class SubRecordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Kind { Siblings, Facilities, Examinations, ActivityRecords, ChangeRecords, Visits };

    struct Definition {
        Kind kind;
        const char *listName; // DBList1 ... DBList6
        int tab;
        const char *table;
    };
    static const QVector<Definition> &definitions();

    explicit SubRecordListModel(Kind kind, QObject *parent = nullptr);

    Kind kind() const { return m_kind; }
    const Definition &definition() const;
    QString clientKey() const { return m_key; }
    // The facility list shows one kind at a time: "VYCH" or "ULK".
    QString facilityKind() const { return m_facilityKind; }
    void setFacilityKind(const QString &akronym) { m_facilityKind = akronym; }

    // Reads the rows of the client with this key; an empty key gives no rows.
    bool reload(const QString &clientKey, QString *error = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The id of a listed row, or -1.
    qint64 rowId(int row) const;
    QString lineAt(int row) const;

private:
    struct Line {
        qint64 id;
        QString text;
    };
    Kind m_kind;
    QString m_key;
    QString m_facilityKind = QStringLiteral("VYCH");
    QVector<Line> m_lines;
};

} // namespace ulk
