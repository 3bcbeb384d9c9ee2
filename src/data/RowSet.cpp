#include "data/RowSet.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringEncoder>
#include <cstring>
#include <limits>
#include <optional>

namespace ulk {

namespace {

// What a cell holds; texts, numbers and bytes lie in the buffer, any other
// value in the list of the rest.
enum Kind : quint32 { Invalid, Text, Integer, Real, Bytes, Other };

constexpr quint32 kKindBits = 3;
constexpr qsizetype kMaxSize = (qsizetype(1) << (32 - kKindBits)) - 1;

struct Cell {
    quint32 at = 0;   // offset in the buffer, or index in the rest
    quint32 info = 0; // size << kKindBits | kind

    Kind kind() const { return Kind(info & ((1u << kKindBits) - 1)); }
    qsizetype size() const { return qsizetype(info >> kKindBits); }
};

} // namespace

struct RowSet::Data : QSharedData {
    int rows = 0;
    std::vector<Cell> cells; // row after row, one cell a column
    QByteArray buffer;
    QList<QVariant> rest;
    QStringEncoder utf8{QStringEncoder::Utf8};

    Data() = default;
    Data(const Data &o) : QSharedData(o), rows(o.rows), cells(o.cells), buffer(o.buffer), rest(o.rest) {}

    // Room for n more bytes in the buffer, or nullptr when the buffer would
    // outgrow what a cell can point at.
    char *reserve(qsizetype n)
    {
        if (n > kMaxSize || buffer.size() + n > qsizetype(std::numeric_limits<quint32>::max()))
            return nullptr;
        // A buffer shared with the rows this set was reordered from is
        // copied first: the bytes are written past its end.
        buffer.detach();
        if (buffer.capacity() < buffer.size() + n)
            buffer.reserve(std::max(buffer.size() + n, buffer.capacity() * 2));
        return buffer.data() + buffer.size();
    }

    // n bytes copied into the buffer, or nothing when they do not fit.
    std::optional<Cell> bytes(Kind kind, const char *from, qsizetype n)
    {
        char *to = reserve(n);
        if (!to)
            return std::nullopt;
        if (n > 0)
            std::memcpy(to, from, size_t(n));
        const Cell c{quint32(buffer.size()), quint32(n) << kKindBits | kind};
        buffer.resize(buffer.size() + n);
        return c;
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
                c = Cell{quint32(buffer.size()), quint32(n) << kKindBits | Text};
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
        if (c)
            return *c;
        rest.append(v);
        return Cell{quint32(rest.size() - 1), Other};
    }

    QVariant load(const Cell &c) const
    {
        const char *at = buffer.constData() + c.at;
        switch (c.kind()) {
        case Invalid:
            return QVariant();
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
        case Other:
            break;
        }
        return rest.at(c.at);
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
    return d->load(d->cells[size_t(row) * size_t(m_columns.size()) + size_t(column)]);
}

QVariant RowSet::value(int row, const QString &column) const { return value(row, columnIndex(column)); }

void RowSet::append(const QVariantList &row)
{
    Data &data = *d;
    // A row longer than the columns keeps only what the columns name.
    for (int c = 0; c < m_columns.size(); ++c)
        data.cells.push_back(c < row.size() ? data.store(row.at(c)) : Cell{0, Invalid});
    ++data.rows;
}

void RowSet::appendRaw(const RawValue *values)
{
    Data &data = *d;
    for (int c = 0; c < m_columns.size(); ++c) {
        const RawValue &v = values[c];
        std::optional<Cell> cell;
        switch (v.kind) {
        case RawValue::Null:
            cell = Cell{0, Invalid};
            break;
        case RawValue::Integer:
            cell = data.bytes(Integer, reinterpret_cast<const char *>(&v.integer), sizeof v.integer);
            break;
        case RawValue::Real:
            cell = data.bytes(Real, reinterpret_cast<const char *>(&v.real), sizeof v.real);
            break;
        case RawValue::Text:
            cell = data.bytes(Text, v.data, v.size);
            break;
        case RawValue::Bytes:
            cell = data.bytes(Bytes, v.data, v.size);
            break;
        }
        if (!cell) {
            // Past what a cell can point at: kept as a value of its own.
            data.rest.append(v.kind == RawValue::Text ? QVariant(QString::fromUtf8(v.data, v.size))
                                                      : QVariant(QByteArray(v.data, v.size)));
            cell = Cell{quint32(data.rest.size() - 1), Other};
        }
        data.cells.push_back(*cell);
    }
    ++data.rows;
}

RowSet RowSet::reordered(const std::vector<int> &order) const
{
    RowSet out(m_columns);
    Data &data = *out.d;
    const size_t width = size_t(m_columns.size());
    data.buffer = d->buffer;
    data.rest = d->rest;
    data.cells.reserve(order.size() * width);
    for (int r : order) {
        const auto from = d->cells.cbegin() + ptrdiff_t(size_t(r) * width);
        data.cells.insert(data.cells.end(), from, from + ptrdiff_t(width));
    }
    data.rows = int(order.size());
    return out;
}

} // namespace ulk
