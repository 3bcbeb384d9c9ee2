#include "data/SlovakSortKey.h"

#include <unicode/ucol.h>

namespace ulk {

SlovakSortKey::SlovakSortKey()
{
    UErrorCode status = U_ZERO_ERROR;
    UCollator *c = ucol_open("sk_SK", &status);
    if (U_FAILURE(status))
        return;
    // Secondary strength: accents count, letter case does not.
    ucol_setStrength(c, UCOL_SECONDARY);
    m_collator = c;
}

SlovakSortKey::~SlovakSortKey()
{
    if (m_collator)
        ucol_close(m_collator);
}

QByteArray SlovakSortKey::of(const QString &text)
{
    const auto known = m_known.constFind(text);
    if (known != m_known.constEnd())
        return *known;
    QByteArray key;
    if (m_collator) {
        UCollator *c = m_collator;
        // constData(), not utf16(): the latter would turn a null text into an empty one.
        const auto *chars = reinterpret_cast<const UChar *>(text.constData());
        key.resize(16 + text.size() * 3);
        int n = ucol_getSortKey(c, chars, int(text.size()), reinterpret_cast<uint8_t *>(key.data()), int(key.size()));
        if (n > key.size()) {
            key.resize(n);
            n = ucol_getSortKey(c, chars, int(text.size()), reinterpret_cast<uint8_t *>(key.data()), int(key.size()));
        }
        key.truncate(n);
    }
    m_known.insert(text, key);
    return key;
}

void SlovakSortKey::appendTo(QByteArray &buffer, const QString &text) const
{
    if (!m_collator)
        return;
    const auto *chars = reinterpret_cast<const UChar *>(text.constData());
    const qsizetype at = buffer.size();
    qsizetype room = 16 + text.size() * 3;
    for (;;) {
        buffer.resize(at + room);
        const int n = ucol_getSortKey(m_collator, chars, int(text.size()), reinterpret_cast<uint8_t *>(buffer.data() + at),
                                      int(room));
        if (n <= room) {
            buffer.resize(at + n);
            return;
        }
        room = n;
    }
}

QByteArray SlovakSortKey::ofShared(QString &text)
{
    if (text.isEmpty())
        return of(text);
    auto known = m_known.constFind(text);
    if (known == m_known.constEnd()) {
        of(text);
        known = m_known.constFind(text);
    }
    text = known.key();
    return known.value();
}

} // namespace ulk
