#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>

// One person's disability code string while it is edited: nine one-character
// slots (slot 0 the dominant disability, slots 1 to 8 the associated ones in
// the order entered) and the person's list of associated categories that are
// still free to choose.
//
// A slot is empty (""), holds one digit, or holds a single blank after a
// reset. The stored string is the nine slots joined without a separator, so
// it is at most nine characters long and may end in blanks.
namespace ulk {

class DisabilityCodes {
public:
    static constexpr int SlotCount = 9;
    static constexpr int CategoryCount = 10;

    // The associated-list item of a category: "3 ¦ sluchové" (broken bar U+00A6).
    static QString listItem(int digit);
    // The ten associated-list items "0 ¦ ŽIADNE POSTIHNUTIE" .. "9 ¦ iné".
    static QStringList listItems();
    // The ten items of a dominant picker: "    ŽIADNE POSTIHNUTIE", then
    // "1 ¦ syndróm autizmu" .. "9 ¦ iné"; an item's index is its code.
    static QStringList dominantItems();

    // The number at the start of a text, as the stored strings and code boxes
    // are read: blanks are skipped, reading stops at the first character that
    // is not a digit; no digits give 0.
    static qint64 numericValue(const QString &text);
    // A free associated slot: its numeric value is 0 ("", " " or "0").
    static bool isFree(const QString &text) { return numericValue(text) == 0; }

    DisabilityCodes();

    // Shows a stored string: slots emptied, list refilled, then the string's
    // characters (trimmed, Null read as empty, at most the first nine) go
    // into slots 0, 1, ... and each leaves the list.
    void load(const QVariant &stored);

    // The dominant code 0..9 (0: no dominant disability). Every slot becomes
    // a blank, slot 0 the digit (empty for 0), the list is refilled without
    // the dominant category: the associated codes are discarded.
    void setDominant(int code);

    // Removes the list item at index; item 0 ("0 ¦ ŽIADNE POSTIHNUTIE") and
    // indices outside the list never leave it. Returns whether it removed one.
    bool removeFromList(int index);
    // Removes the first list item whose first character is code; code is
    // emptied whatever happened. Returns the index removed, or -1.
    int removeByCode(QString &code);
    // The list holds the ten categories again, in digit order.
    void fillList();
    // The first free slot among 1..8 receives text; with no free slot nothing
    // is written. Returns the slot written, or -1.
    int addCode(const QString &text);
    // Slots 1..8 become a single blank.
    void blankSlots();
    // Slots 0..8 become empty.
    void clearSlots();

    // Discards the associated codes and keeps the dominant one: slots 1..8
    // blank, the list full again but for the dominant category.
    void resetAssociated();
    // A category chosen from the associated list at index: "0" resets,
    // another category leaves the list and goes into the first free slot.
    // Returns the code chosen (its digit), or an empty text when the index
    // names no item.
    QString chooseFromList(int index);
    // An associated code typed by the user and accepted by the check: a
    // first character "0" resets, anything else is added and leaves the list.
    void enterAssociated(const QString &code);

    QString slotText(int i) const { return m_slots.value(i); }
    const QStringList &slotTexts() const { return m_slots; }
    const QStringList &list() const { return m_list; }
    // The numeric value of slot 0: the dominant code, 0 when there is none.
    int dominantCode() const { return int(numericValue(m_slots.at(0))); }
    bool hasDominant() const { return dominantCode() != 0; }
    // The string that is stored: the nine slots joined without a separator.
    QString joined() const { return m_slots.join(QString()); }

private:
    QStringList m_slots;
    QStringList m_list;
};

} // namespace ulk
