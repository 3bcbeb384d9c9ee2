#include "data/RowSet.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringEncoder>
#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <sqlite3.h>

namespace ulk {

namespace {

// What a cell holds; texts, numbers and bytes lie in the buffer, any other
// value in the list of the rest.
enum Kind : quint32 { Invalid, Text, Integer, Real, Bytes, Other };

constexpr quint32 kKindBits = 3;
constexpr qsizetype kMaxSize = (qsizetype(1) << (32 - kKindBits)) - 1;

struct Cell {
    quint32 at = 0;   // offset in the bytes, or index in the rest, from its block's base
    quint32 info = 0; // size << kKindBits | kind

    Kind kind() const { return Kind(info & ((1u << kKindBits) - 1)); }
    qsizetype size() const { return qsizetype(info >> kKindBits); }
};

// Rows held one after another, one cell a column. Rows joined from parts
// read side by side keep each part's cells as a block of their own; a
// cell's offset and index count from its block's bases.
struct Block {
    QList<Cell> cells;
    int firstRow = 0; // the first row held here, counted through the blocks
    quint32 byteBase = 0;
    quint32 restBase = 0;
};

} // namespace

struct RowSet::Data : QSharedData {
    int rows = 0;   // rows of the set
    int stored = 0; // rows held in the blocks
    // Copies of the set, also those in another order, share the blocks
    // until one of them is changed. New rows go into the last block.
    QList<Block> blocks{Block()};
    // The row held that comes at each place; empty: the rows held, in order.
    QList<int> order;
    // The bytes the cells point at. Rows joined from parts keep each part's
    // bytes as a segment of its own; an offset counts through the segments
    // one after another, and new values go into the buffer, which begins
    // after the last segment.
    QList<QByteArray> segments;
    std::vector<quint32> segmentStarts;
    QByteArray buffer;
    quint32 bufferStart = 0;
    QList<QVariant> rest;
    QStringEncoder utf8{QStringEncoder::Utf8};

    Data() = default;
    Data(const Data &o)
        : QSharedData(o), rows(o.rows), stored(o.stored), blocks(o.blocks), order(o.order), segments(o.segments),
          segmentStarts(o.segmentStarts), buffer(o.buffer), bufferStart(o.bufferStart), rest(o.rest)
    {
    }

    quint32 end() const { return quint32(bufferStart + quint32(buffer.size())); }

    // Room for n more bytes in the buffer, or nullptr when the buffer would
    // outgrow what a cell can point at.
    char *reserve(qsizetype n)
    {
        if (n > kMaxSize || qint64(end()) + n > qint64(std::numeric_limits<quint32>::max()))
            return nullptr;
        // A buffer shared with the rows this set was reordered from is
        // copied first: the bytes are written past its end.
        buffer.detach();
        if (buffer.capacity() < buffer.size() + n)
            buffer.reserve(std::max(buffer.size() + n, buffer.capacity() * 2));
        return buffer.data() + buffer.size();
    }

    // n bytes copied into the buffer (a cell with their offset from the
    // first byte), or nothing when they do not fit.
    std::optional<Cell> bytes(Kind kind, const char *from, qsizetype n)
    {
        char *to = reserve(n);
        if (!to)
            return std::nullopt;
        if (n > 0)
            std::memcpy(to, from, size_t(n));
        const Cell c{end(), quint32(n) << kKindBits | kind};
        buffer.resize(buffer.size() + n);
        return c;
    }

    // A value kept as it is, past what a cell can point at.
    Cell other(const QVariant &v)
    {
        rest.append(v);
        return Cell{quint32(rest.size() - 1), Other};
    }

    // Puts a cell made by bytes() or other() into the last block.
    void push(Cell c)
    {
        Block &last = blocks.last();
        if (c.kind() == Other)
            c.at -= last.restBase;
        else if (c.kind() != Invalid)
            c.at -= last.byteBase;
        last.cells.push_back(c);
    }

    // A row's cells are in place: the row comes last.
    void rowAppended()
    {
        if (!order.isEmpty())
            order.push_back(stored);
        ++stored;
        ++rows;
    }

    const Block &blockOf(int row) const
    {
        if (blocks.size() == 1)
            return blocks.first();
        const auto after = std::upper_bound(blocks.cbegin(), blocks.cend(), row,
                                            [](int r, const Block &b) { return r < b.firstRow; });
        return *(after - 1);
    }

    // Where the bytes at an offset lie.
    const char *bytesAt(quint32 offset) const
    {
        if (offset >= bufferStart)
            return buffer.constData() + (offset - bufferStart);
        const auto s = std::upper_bound(segmentStarts.cbegin(), segmentStarts.cend(), offset) - 1;
        return segments.at(s - segmentStarts.cbegin()).constData() + (offset - *s);
    }

    Cell store(const QVariant &v)
    {
        std::optional<Cell> c;
        switch (v.metaType().id()) {
        case QMetaType::UnknownType:
            return Cell{0, Invalid};
        case QMetaType::QString: {
            const QString *s = static_cast<const QString *>(v.constData());
            if (s->isNull())
                break;
            const qsizetype most = utf8.requiredSpace(s->size());
            if (char *to = reserve(most)) {
                const qsizetype n = utf8.appendToBuffer(to, *s) - to;
                c = Cell{end(), quint32(n) << kKindBits | Text};
                buffer.resize(buffer.size() + n);
            }
            break;
        }
        case QMetaType::LongLong: {
            const qlonglong i = *static_cast<const qlonglong *>(v.constData());
            c = bytes(Integer, reinterpret_cast<const char *>(&i), sizeof i);
            break;
        }
        case QMetaType::Double: {
            const double r = *static_cast<const double *>(v.constData());
            c = bytes(Real, reinterpret_cast<const char *>(&r), sizeof r);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray *b = static_cast<const QByteArray *>(v.constData());
            if (!b->isNull())
                c = bytes(Bytes, b->constData(), b->size());
            break;
        }
        default:
            break;
        }
        return c ? *c : other(v);
    }

    // The cell of a row and column, and the block it lies in.
    std::pair<Cell, const Block *> cell(int row, int column, qsizetype width) const
    {
        const int held = order.isEmpty() ? row : order.at(row);
        const Block &b = blockOf(held);
        return {b.cells.at((held - b.firstRow) * width + column), &b};
    }

    QVariant load(const Cell &c, const Block &b) const
    {
        switch (c.kind()) {
        case Invalid:
            return QVariant();
        case Other:
            return rest.at(b.restBase + c.at);
        default:
            break;
        }
        const char *at = bytesAt(b.byteBase + c.at);
        switch (c.kind()) {
        case Text:
            return QVariant(QString::fromUtf8(at, c.size()));
        case Integer: {
            qlonglong i;
            std::memcpy(&i, at, sizeof i);
            return QVariant(i);
        }
        case Real: {
            double r;
            std::memcpy(&r, at, sizeof r);
            return QVariant(r);
        }
        case Bytes:
            return QVariant(QByteArray(at, c.size()));
        default:
            break;
        }
        return QVariant();
    }
};

RowSet::RowSet() : d(new Data) {}

RowSet::RowSet(const QStringList &columns, const QList<QVariantList> &rows)
    : m_columns(columns), d(new Data)
{
    for (const QVariantList &r : rows)
        append(r);
}

RowSet::RowSet(const RowSet &other) = default;
RowSet &RowSet::operator=(const RowSet &other) = default;
RowSet::~RowSet() = default;

RowSet RowSet::fromQuery(QSqlQuery &query)
{
    const QSqlRecord rec = query.record();
    QStringList columns;
    for (int c = 0; c < rec.count(); ++c)
        columns << rec.fieldName(c);
    RowSet rows(columns);
    QVariantList values;
    while (query.next()) {
        values.clear();
        for (int c = 0; c < rec.count(); ++c)
            values << query.value(c);
        rows.append(values);
    }
    return rows;
}

int RowSet::columnIndex(const QString &name) const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns.at(c).compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

int RowSet::size() const { return d->rows; }

QVariantList RowSet::row(int r) const
{
    QVariantList out;
    out.reserve(m_columns.size());
    for (int c = 0; c < m_columns.size(); ++c)
        out << value(r, c);
    return out;
}

QVariant RowSet::value(int row, int column) const
{
    if (row < 0 || row >= d->rows || column < 0 || column >= m_columns.size())
        return {};
    const auto [cell, block] = d->cell(row, column, m_columns.size());
    return d->load(cell, *block);
}

QVariant RowSet::value(int row, const QString &column) const { return value(row, columnIndex(column)); }

std::optional<QByteArrayView> RowSet::text(int row, int column) const
{
    if (row < 0 || row >= d->rows || column < 0 || column >= m_columns.size())
        return std::nullopt;
    const auto [cell, block] = d->cell(row, column, m_columns.size());
    if (cell.kind() != Text)
        return std::nullopt;
    return QByteArrayView(d->bytesAt(block->byteBase + cell.at), cell.size());
}

void RowSet::append(const QVariantList &row)
{
    Data &data = *d;
    // A row longer than the columns keeps only what the columns name.
    for (int c = 0; c < m_columns.size(); ++c)
        data.push(c < row.size() ? data.store(row.at(c)) : Cell{0, Invalid});
    data.rowAppended();
}

RowSet RowSet::withColumnsOf(sqlite3_stmt *statement)
{
    QStringList columns;
    for (int c = 0; c < sqlite3_column_count(statement); ++c)
        columns << QString::fromUtf8(sqlite3_column_name(statement, c));
    return RowSet(columns);
}

void RowSet::appendRow(sqlite3_stmt *st)
{
    Data &data = *d;
    for (int c = 0; c < m_columns.size(); ++c) {
        std::optional<Cell> cell;
        Kind kind = Invalid;
        const char *bytes = nullptr;
        qsizetype size = 0;
        switch (sqlite3_column_type(st, c)) {
        case SQLITE_NULL:
            cell = Cell{0, Invalid};
            break;
        case SQLITE_INTEGER: {
            const qlonglong i = sqlite3_column_int64(st, c);
            cell = data.bytes(Integer, reinterpret_cast<const char *>(&i), sizeof i);
            break;
        }
        case SQLITE_FLOAT: {
            const double r = sqlite3_column_double(st, c);
            cell = data.bytes(Real, reinterpret_cast<const char *>(&r), sizeof r);
            break;
        }
        case SQLITE_BLOB:
            kind = Bytes;
            bytes = static_cast<const char *>(sqlite3_column_blob(st, c));
            size = sqlite3_column_bytes(st, c);
            cell = data.bytes(kind, bytes, size);
            break;
        default:
            kind = Text;
            bytes = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
            size = sqlite3_column_bytes(st, c);
            cell = data.bytes(kind, bytes, size);
            break;
        }
        // Past what a cell can point at: kept as a value of its own.
        if (!cell)
            cell = data.other(kind == Text ? QVariant(QString::fromUtf8(bytes, size)) : QVariant(QByteArray(bytes, size)));
        data.push(*cell);
    }
    data.rowAppended();
}

void RowSet::reserve(int rows)
{
    QList<Cell> &cells = d->blocks.last().cells;
    cells.reserve(cells.size() + qsizetype(std::max(rows, 0)) * m_columns.size());
}

void RowSet::squeeze()
{
    d->blocks.last().cells.squeeze();
    d->buffer.squeeze();
}

RowSet RowSet::reordered(const std::vector<int> &order) const
{
    RowSet out(*this);
    Data &data = *out.d;
    QList<int> places;
    places.reserve(qsizetype(order.size()));
    for (const int r : order)
        places.push_back(d->order.isEmpty() ? r : d->order.at(r));
    data.order = std::move(places);
    data.rows = int(order.size());
    return out;
}

std::optional<RowSet> RowSet::joined(const std::vector<RowSet> &parts, const std::vector<int> &order)
{
    RowSet out(parts.empty() ? QStringList() : parts.front().m_columns);
    Data &data = *out.d;
    data.blocks.clear();
    // Each part's blocks follow the earlier parts', their bases past the
    // earlier parts' bytes and other values, and its rows past theirs.
    std::vector<int> firstRow, firstHeld;
    bool inOrder = true;
    qint64 bytes = 0;
    int rows = 0;
    for (const RowSet &part : parts) {
        const Data &p = *part.d;
        firstRow.push_back(rows);
        rows += p.rows;
        firstHeld.push_back(data.stored);
        inOrder = inOrder && p.order.isEmpty() && p.rows == p.stored;
        for (qsizetype s = 0; s < p.segments.size(); ++s) {
            data.segments << p.segments.at(s);
            data.segmentStarts.push_back(quint32(bytes + p.segmentStarts[size_t(s)]));
        }
        if (!p.buffer.isEmpty()) {
            data.segments << p.buffer;
            data.segmentStarts.push_back(quint32(bytes + p.bufferStart));
        }
        for (Block b : p.blocks) {
            b.firstRow += data.stored;
            b.byteBase += quint32(bytes);
            b.restBase += quint32(data.rest.size());
            data.blocks << b;
        }
        bytes += p.end();
        if (bytes > qint64(std::numeric_limits<quint32>::max()))
            return std::nullopt;
        data.rest += p.rest;
        data.stored += p.stored;
    }
    if (data.blocks.isEmpty())
        data.blocks << Block();
    data.bufferStart = quint32(bytes);
    if (inOrder) {
        data.order = QList<int>(order.cbegin(), order.cend());
    } else {
        data.order.reserve(qsizetype(order.size()));
        for (const int r : order) {
            const size_t p = size_t(std::upper_bound(firstRow.cbegin(), firstRow.cend(), r) - firstRow.cbegin() - 1);
            const Data &held = *parts[p].d;
            const int local = r - firstRow[p];
            data.order.push_back(firstHeld[p] + (held.order.isEmpty() ? local : held.order.at(local)));
        }
    }
    data.rows = int(order.size());
    return out;
}

} // namespace ulk
