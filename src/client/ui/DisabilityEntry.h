#pragma once
#include "client/DisabilityCodes.h"
#include "common/CheckResult.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

class QComboBox;
class QLineEdit;

// The disability codes of one person of the client record: the client "K",
// the mother "M", the father "O" or the sibling "S". It binds the person's
// controls and keeps them in step with the person's DisabilityCodes:
// - the dominant code box and the associated code box (one digit each,
//   emptied after every entry; the owner's field handling calls
//   enterDominantCode / enterAssociatedCode on a move key or on leaving);
// - the dominant picker (ten items, index = code, never shortened);
// - the associated list (the categories still free for the person);
// - nine read-only slot boxes that show the person's codes.
// With a letter other than the four, every operation does nothing.
namespace ulk {

class FieldEdit;

struct DisabilityControls {
    FieldEdit *dominantBox = nullptr;
    FieldEdit *associatedBox = nullptr;
    QComboBox *dominantPicker = nullptr;
    QComboBox *associatedList = nullptr;
    QList<QLineEdit *> slotBoxes; // nine, slot 0 the dominant code
};

class DisabilityEntry : public QObject {
    Q_OBJECT
public:
    DisabilityEntry(const QString &person, const DisabilityControls &controls, QObject *parent = nullptr);

    static bool isPersonLetter(const QString &person);

    QString person() const { return m_person; }
    const DisabilityControls &controls() const { return m_controls; }
    const DisabilityCodes &codes() const { return m_codes; }

    // A stored string (Null for a missing value) into the slots and the list.
    // The code boxes, the picker and the enabled state are not touched.
    void loadDisabilityCodes(const QVariant &stored);
    // The person gets this dominant code (0: none) and no associated codes;
    // the dominant box shows the code, the associated box is emptied.
    void setDominantDisability(int code);
    // The associated-list item at index leaves the list; item 0 never does.
    void removeDisabilityFromList(int index);
    // The associated-list item whose first character is code leaves the list;
    // code is emptied.
    void removeDisabilityByCode(QString &code);
    // The associated list holds the ten categories again.
    void fillDisabilityList();
    // The box's text goes into the first free slot among 1 to 8.
    void addDisabilityCode(FieldEdit *box);
    // Slots 1 to 8 become a single blank.
    void blankDisabilitySlots();
    // The string to store: the nine slot texts joined without a separator.
    QString codeString() const { return m_codes.joined(); }

    // A category chosen from the associated list (its index in the list).
    void chooseAssociated(int index);
    // An item chosen from the dominant picker: its index is the code.
    void chooseDominant(int index);

    // The dominant code box confirmed by a move key or left. A digit other
    // than 0 becomes the dominant code; the box is emptied and the
    // associated controls follow the new dominant code. An empty box or "0"
    // changes nothing.
    CheckResult enterDominantCode();
    // The associated code box confirmed by a move key or left. A code that
    // repeats one of the person's codes is refused by checkDisability (Retry:
    // the caller keeps the focus); "0" discards the associated codes; another
    // digit is added. The box is emptied in every case.
    CheckResult enterAssociatedCode();

    // The associated code box and list, enabled only while the person has a
    // dominant code.
    void setAssociatedEnabled(bool enabled);
    // The associated controls follow the dominant code in slot 0.
    void updateAssociatedEnabled();
    // When a row is shown: the associated controls follow the stored string
    // (enabled when it reads as a number of 1 or more).
    void showDisabilityState(const QVariant &stored);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool active() const { return m_active; }
    void resetAssociated();
    void showSlots();
    void showList();

    QString m_person;
    DisabilityControls m_controls;
    DisabilityCodes m_codes;
    bool m_active = false;
};

} // namespace ulk
