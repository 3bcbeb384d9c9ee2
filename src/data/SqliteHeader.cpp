#include "data/SqliteHeader.h"

#include <QFile>
#include <QtEndian>

namespace ulk {

QByteArray SqliteHeader::read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(size()) : QByteArray();
}

int SqliteHeader::pageSize(const QByteArray &header)
{
    if (header.size() < size() || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return 0;
    int pageSize = qFromBigEndian<quint16>(header.constData() + 16);
    if (pageSize == 1)
        pageSize = 65536;
    return pageSize >= 512 && (pageSize & (pageSize - 1)) == 0 ? pageSize : 0;
}

qint64 SqliteHeader::pageCount(const QByteArray &header)
{
    if (pageSize(header) == 0)
        return -1;
    const auto *h = reinterpret_cast<const uchar *>(header.constData());
    // The page count of the header is valid only where the change counter
    // says so; every SQLite since 2010 keeps it valid.
    const quint32 pages = qFromBigEndian<quint32>(h + 28);
    if (pages == 0 || qFromBigEndian<quint32>(h + 24) != qFromBigEndian<quint32>(h + 92))
        return -1;
    return pages;
}

qint64 SqliteHeader::fileSize(const QByteArray &header)
{
    const qint64 pages = pageCount(header);
    return pages < 0 ? -1 : pages * pageSize(header);
}

bool SqliteHeader::isWal(const QByteArray &header)
{
    return header.size() >= 20 && (header[18] == 2 || header[19] == 2);
}

void SqliteHeader::setRollbackMode(QByteArray &header)
{
    if (isWal(header))
        header[18] = header[19] = 1;
}

} // namespace ulk
