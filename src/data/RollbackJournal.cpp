#include "data/RollbackJournal.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>
#include <limits>

namespace ulk {

namespace {

constexpr int kHeaderBytes = 28;
constexpr quint32 kAllToTheEnd = 0xffffffff;

bool isPowerOfTwoIn(quint32 value, quint32 low, quint32 high)
{
    return value >= low && value <= high && (value & (value - 1)) == 0;
}

quint32 at(const QByteArray &bytes, int offset) { return qFromBigEndian<quint32>(bytes.constData() + offset); }

bool hasMagic(const QByteArray &header)
{
    static const QByteArray magic = QByteArray::fromHex("d9d505f920a163d7");
    return header.size() >= kHeaderBytes && header.startsWith(magic);
}

// The checksum of a page record: the segment's nonce plus every 200th byte.
quint32 checksum(quint32 nonce, const QByteArray &page)
{
    quint32 sum = nonce;
    for (qsizetype i = page.size() - 200; i > 0; i -= 200)
        sum += uchar(page.at(i));
    return sum;
}

} // namespace

RollbackJournal RollbackJournal::read(const QString &path)
{
    RollbackJournal j;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        j.kind = Kind::Unreadable;
        j.errorNumber = errno != 0 ? errno : EACCES;
        return j;
    }
    const qint64 size = f.size();
    QByteArray header = f.read(kHeaderBytes);
    if (header.isEmpty() || header.at(0) == 0)
        return j;
    j.kind = Kind::Invalid;
    if (!hasMagic(header) || !isPowerOfTwoIn(at(header, 20), 32, 65536) || !isPowerOfTwoIn(at(header, 24), 512, 65536))
        return j;
    j.kind = Kind::Hot;
    j.initialPages = at(header, 16);
    j.pageSize = int(at(header, 24));
    const qint64 sector = at(header, 20);
    const qint64 recordBytes = j.pageSize + 8;
    // A page is written into a journal once per transaction, as it was when
    // the transaction began. The copy of page 1 is looked for also in the
    // records written after the journal's last sync, which SQLite does not
    // play back: its transaction had not yet written page 1 into the file
    // then, so the file's page 1 must still equal it. Such a last segment
    // has a header without its magic, but with its nonce.
    for (qint64 offset = 0;;) {
        const bool synced = hasMagic(header);
        const quint32 nonce = at(header, 12);
        qint64 records = synced ? qint64(at(header, 8)) : std::numeric_limits<qint64>::max();
        qint64 next = offset + sector;
        if (records == kAllToTheEnd)
            records = (size - next) / recordBytes;
        for (qint64 i = 0; i < records; ++i, next += recordBytes) {
            if (!f.seek(next))
                return j;
            const QByteArray record = f.read(recordBytes);
            if (record.size() < recordBytes)
                return j;
            const quint32 page = at(record, 0);
            const QByteArray data = record.mid(4, j.pageSize);
            if (page == 0 || checksum(nonce, data) != at(record, 4 + j.pageSize))
                return j;
            if (page == 1) {
                j.firstPage = data;
                j.firstPageSynced = synced;
                return j;
            }
        }
        // The next segment begins at the next sector boundary, with a header
        // for the same sizes.
        offset = (next + sector - 1) / sector * sector;
        if (!synced || offset + kHeaderBytes > size || !f.seek(offset))
            return j;
        header = f.read(kHeaderBytes);
        if (header.size() < kHeaderBytes || at(header, 20) != sector || int(at(header, 24)) != j.pageSize)
            return j;
    }
}

} // namespace ulk
