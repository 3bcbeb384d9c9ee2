#pragma once
#include "data/RowSet.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// denUlk: the one data environment of the program. It holds one connection,
// decUlk, to ulk.mdb and one command per report source; each command reads
// its table or saved query whole, by name, in the source's own order.
//
// A report is shown by the report rule: unload, load, point the connection
// at the database file, show, unload. Unloading closes the connection and
// forgets every row read, so each report reads the data and the SQL of the
// saved queries as they are at that moment.
namespace ulk {

struct DataCommand {
    QString name;   // cmdZozKlient
    QString source; // vyp_zoz_klient
};

class DataEnvironment {
public:
    // The shared instance, created on first use.
    static DataEnvironment &denUlk();
    // The name of the connection that a loaded instance opens.
    static QString connectionName() { return QStringLiteral("decUlk"); }

    // The fifteen commands in their stored order.
    static const QList<DataCommand> &commands();
    // A command by name (letter case ignored).
    static std::optional<DataCommand> command(const QString &name);

    DataEnvironment() = default;
    ~DataEnvironment();
    DataEnvironment(const DataEnvironment &) = delete;
    DataEnvironment &operator=(const DataEnvironment &) = delete;

    // Load makes a fresh instance: no connection, no rows read.
    void load();
    // Closes the connection and forgets every row read.
    void unload();
    bool isLoaded() const { return m_loaded; }

    // Points the connection at a database file; it opens when a command is
    // first read.
    void setDatabaseFile(const QString &path);
    QString databaseFile() const { return m_file; }
    // Whether the connection is open now.
    bool isConnected() const;

    // The rows of a command, read on its first use while loaded and kept
    // until the next unload. On failure sets *error and returns nothing.
    std::optional<RowSet> read(const QString &commandName, QString *error = nullptr);
    // The rows of a command whose key column (one of the program's own
    // column names) holds the key, trailing blanks ignored, in the source's
    // order; an empty key gives no rows.
    std::optional<RowSet> readForKey(const QString &commandName, const QString &keyColumn, const QString &key,
                                     QString *error = nullptr);

private:
    bool connect(QString *error);
    std::optional<RowSet> readRows(const QString &commandName, const QString *keyColumn, const QString &key,
                                   QString *error);

    bool m_loaded = false;
    bool m_connected = false;
    QString m_file;
    QHash<QString, RowSet> m_read; // by lower-case command name
};

} // namespace ulk
