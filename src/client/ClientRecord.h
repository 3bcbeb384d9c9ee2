#pragma once
#include <QString>
#include <QStringList>
#include <QVariantMap>

// A client's own two rows, k_zaklad and k_memo, as the client record window
// holds them, and the one place where they are read and written. A save
// writes the client row, the memo row and, when the key changes, the new
// key into every table that refers to the client, all in one transaction.
namespace ulk {

struct ClientRow {
    QString key;        // idkod as stored; empty while the client was never stored
    QVariantMap values; // columns of k_zaklad, idkod excluded
    QVariantMap memo;   // the text columns of k_memo

    QString meno() const { return values.value(QStringLiteral("meno")).toString(); }
    QString priezv() const { return values.value(QStringLiteral("priezv")).toString(); }
};

class ClientRecord {
public:
    // The k_zaklad columns that the record window writes (vek is the statement's).
    static const QStringList &writtenColumns();

    enum class LoadStatus { Found, NotFound, Failed };
    // Reads the client with this key and its memo row (empty texts when the
    // client has none).
    static LoadStatus load(const QString &key, ClientRow *row, QString *error = nullptr);

    // How the key of a save is found: a new client's key is derived from the
    // names at every save; an edited client keeps its key unless the edit
    // changed the name part of it.
    enum class KeyRule { NewClient, Edit };

    struct SaveResult {
        bool ok = false;
        QString key;            // the key the client is stored under
        bool keyChanged = false;
        QString error;          // why nothing was written
    };
    // stored: the rows as last read or written (key empty: never stored);
    // current: the values to write.
    static SaveResult save(const ClientRow &stored, const ClientRow &current, KeyRule rule);

    enum class Lookup { Free, Taken, Failed };
    // Whether a client other than the one stored under ownKey (empty: a
    // client never stored) has this catalogue number. Stored numbers are
    // compared without the blanks around them, leading zeros count ("07" is
    // not "7"), and a client without a number never matches.
    static Lookup catalogueNumberTaken(const QString &number, const QString &ownKey, QString *error = nullptr);
};

} // namespace ulk
