#pragma once
#include <QByteArray>
#include <QString>

namespace ulk {

// What the first 100 bytes of an SQLite file say about the whole file.
class SqliteHeader {
public:
    static constexpr int size() { return 100; }
    // The first bytes of the file at path (empty when it cannot be read).
    static QByteArray read(const QString &path);
    // The size in bytes that the header gives for the whole file, or -1 when
    // it is not the header of an SQLite file whose page count can be trusted.
    static qint64 fileSize(const QByteArray &header);
    // The page count that the header gives, or -1 as for fileSize().
    static qint64 pageCount(const QByteArray &header);
    // The page size of the file (512 to 65536), or 0 when it is no header of
    // an SQLite file.
    static int pageSize(const QByteArray &header);
    // Whether the file is kept in WAL mode (part of its data may then be in
    // a -wal file beside it).
    static bool isWal(const QByteArray &header);
    // Marks a WAL-mode header as one of rollback-journal mode: right for a
    // main file that holds the whole database, with no -wal file to go with it.
    static void setRollbackMode(QByteArray &header);
};

} // namespace ulk
