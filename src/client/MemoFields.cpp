#include "client/MemoFields.h"

#include <QStringList>

namespace ulk::MemoFields {

namespace {
const std::array<MemoField, count> kMemo = {{
    {0, "u_dolezite", 6},
    {1, "poznamky", 7},
    {2, "ip_ulkz", 8},
    {3, "u_dieta", 3},
    {4, "u_ziak", 4},
    {5, "u_zhrn", 5},
}};
} // namespace

const std::array<MemoField, count> &all() { return kMemo; }

QString objectName(int index) { return QStringLiteral("rtbDUK%1").arg(index); }

QStringList columns()
{
    QStringList c;
    for (const MemoField &m : kMemo)
        c << QString::fromLatin1(m.column);
    return c;
}

int fieldOnTab(int tab)
{
    for (const MemoField &m : kMemo)
        if (m.tab == tab)
            return m.index;
    return -1;
}

} // namespace ulk::MemoFields
