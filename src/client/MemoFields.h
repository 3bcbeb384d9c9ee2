#pragma once
#include <QString>
#include <array>

// The six long texts of a client (k_memo), each on a tab of its own in a
// multi-line field rtbDUK<index>.
namespace ulk {

struct MemoField {
    int index;          // rtbDUK index
    const char *column; // column of k_memo
    int tab;            // tab of the client record window
};

namespace MemoFields {

constexpr int count = 6;

const std::array<MemoField, count> &all();
QString objectName(int index); // "rtbDUK<i>"
QStringList columns();         // in index order
// The memo field shown on a tab, or -1.
int fieldOnTab(int tab);

} // namespace MemoFields
} // namespace ulk
