#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>

struct UCollator;

// Binary sort keys of the Slovak collation the lists use (ICU's Slovak rules,
// letter case ignored: the order of the SK collation). Keys compared as bytes
// (QByteArray's operator<) give the collation's order, so a list computes
// each text's key once instead of collating at every comparison. Texts repeat
// in a register (first names, surnames): equal texts share one key.
namespace ulk {

class SlovakSortKey {
public:
    SlovakSortKey();
    ~SlovakSortKey();
    SlovakSortKey(const SlovakSortKey &) = delete;
    SlovakSortKey &operator=(const SlovakSortKey &) = delete;

    // The key of a text; empty only when ICU has no Slovak collation.
    QByteArray of(const QString &text);
    // The same, and a text that is not empty becomes the copy kept with its
    // key: a list's equal texts then share their memory.
    QByteArray ofShared(QString &text);
    // Appends the key of a text to a buffer, without remembering it: for
    // texts that seldom repeat. The bytes appended are those of().
    void appendTo(QByteArray &buffer, const QString &text) const;
    // Forgets the keys of texts seen so far.
    void clear() { m_known.clear(); }

private:
    ::UCollator *m_collator = nullptr;
    QHash<QString, QByteArray> m_known;
};

} // namespace ulk
