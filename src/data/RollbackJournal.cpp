#include "data/RollbackJournal.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>

namespace ulk {

namespace {

constexpr int kHeaderBytes = 28;
constexpr quint32 kAllToTheEnd = 0xffffffff;
// A super-journal's name ends a journal with its length, its checksum and
// the journal's magic.
constexpr int kSuperJournalTail = 16;

const QByteArray &magic()
{
    static const QByteArray m = QByteArray::fromHex("d9d505f920a163d7");
    return m;
}

bool isPowerOfTwoIn(quint32 value, quint32 low, quint32 high)
{
    return value >= low && value <= high && (value & (value - 1)) == 0;
}

quint32 at(const QByteArray &bytes, int offset) { return qFromBigEndian<quint32>(bytes.constData() + offset); }

// The checksum of a page record: the segment's nonce plus every 200th byte.
quint32 checksum(quint32 nonce, const QByteArray &page)
{
    quint32 sum = nonce;
    for (qsizetype i = page.size() - 200; i > 0; i -= 200)
        sum += uchar(page.at(i));
    return sum;
}

// Reads up to n bytes at offset; false when the device reports an error (a
// short read at the end is no error).
bool readAt(QIODevice &device, qint64 offset, qint64 n, QByteArray *out)
{
    errno = 0;
    if (!device.seek(offset))
        return false;
    out->resize(n);
    const qint64 got = device.read(out->data(), n);
    if (got < 0)
        return false;
    out->resize(got);
    return true;
}

RollbackJournal unreadable(RollbackJournal j)
{
    j.kind = RollbackJournal::Kind::Unreadable;
    j.errorNumber = errno != 0 ? errno : EIO;
    return j;
}

} // namespace

RollbackJournal RollbackJournal::read(const QString &path)
{
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return unreadable(RollbackJournal());
    return read(f);
}

RollbackJournal RollbackJournal::read(QIODevice &device)
{
    RollbackJournal j;
    const qint64 size = device.size();
    QByteArray header;
    if (!readAt(device, 0, kHeaderBytes, &header))
        return unreadable(j);
    // SQLite writes the magic only once the journal's records are on the
    // disk: before that the journal is not hot and nothing is played back.
    if (header.isEmpty() || header.at(0) == 0)
        return j;
    j.kind = Kind::Invalid;
    if (header.size() < kHeaderBytes || !header.startsWith(magic()) || !isPowerOfTwoIn(at(header, 20), 32, 65536)
        || !isPowerOfTwoIn(at(header, 24), 512, 65536))
        return j;
    j.kind = Kind::Hot;
    j.initialPages = at(header, 16);
    j.nonce = header.mid(12, 4);
    j.pageSize = int(at(header, 24));
    const qint64 sector = at(header, 20);
    const qint64 recordBytes = j.pageSize + 8;

    QByteArray tail;
    if (size >= kSuperJournalTail && !readAt(device, size - magic().size(), magic().size(), &tail))
        return unreadable(j);
    j.namesSuperJournal = tail == magic();

    // The records SQLite plays back from the first segment: those its header
    // counts, or all to the end.
    const quint32 counted = at(header, 8);
    const qint64 records = counted == kAllToTheEnd ? (size - sector) / recordBytes : qint64(counted);
    if (records < 1)
        return j;
    QByteArray record;
    if (!readAt(device, sector, recordBytes, &record))
        return unreadable(j);
    if (record.size() < recordBytes)
        return j;
    const QByteArray data = record.mid(4, j.pageSize);
    if (at(record, 0) == 1 && checksum(at(header, 12), data) == at(record, 4 + j.pageSize))
        j.firstPage = data;
    return j;
}

} // namespace ulk
