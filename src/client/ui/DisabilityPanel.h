#pragma once
#include <QFrame>
#include <QList>
#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The frame "Postihnutia" of one person: the nine slot boxes in a row (each
// named for assistive tools by the person and its place, "Matka: postihnutie
// 3"), the dominant picker and the associated list, each with its one-digit
// code box lying over the list's text part so that the drop-down button stays
// visible beside it, and the labels. It owns the DisabilityEntry that binds
// these controls. The owner takes the two code boxes into its own field
// handling and calls the entry on a move key or on leaving a box.
namespace ulk {

class DisabilityEntry;
class FieldEdit;

class DisabilityPanel : public QFrame {
    Q_OBJECT
public:
    // Object names of the controls; slots are named slotPrefix + 0..8.
    struct Names {
        QString dominantBox;
        QString associatedBox;
        QString dominantPicker;
        QString associatedList;
        QString slotPrefix;
    };
    // The names the client record gives the controls of a person:
    // "K" textKrz18, textKrz19, cmbPos2, cmbSek0, textPosK; "M" textKrz33,
    // textKrz34, cmbPos1, cmbSek1, textPosM; "O" textKrz48, textKrz49,
    // cmbPos0, cmbSek2, textPosO; "S" textSur4, textSur5, cmbSur1, cmbSek3,
    // textPosS.
    static Names standardNames(const QString &person);

    DisabilityPanel(const QString &person, const Names &names, QWidget *parent = nullptr);

    QString person() const { return m_person; }
    FieldEdit *dominantBox() const { return m_dominantBox; }
    FieldEdit *associatedBox() const { return m_associatedBox; }
    QComboBox *dominantPicker() const { return m_dominantPicker; }
    QComboBox *associatedList() const { return m_associatedList; }
    const QList<QLineEdit *> &slotBoxes() const { return m_slotBoxes; }
    QLabel *dominantLabel() const { return m_dominantLabel; }
    QLabel *associatedLabel() const { return m_associatedLabel; }
    QGroupBox *group() const { return m_group; }
    DisabilityEntry *entry() const { return m_entry; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeCodeBox(QComboBox *list, FieldEdit *box);

    QString m_person;
    QGroupBox *m_group = nullptr;
    FieldEdit *m_dominantBox = nullptr;
    FieldEdit *m_associatedBox = nullptr;
    QComboBox *m_dominantPicker = nullptr;
    QComboBox *m_associatedList = nullptr;
    QList<QLineEdit *> m_slotBoxes;
    QLabel *m_dominantLabel = nullptr;
    QLabel *m_associatedLabel = nullptr;
    DisabilityEntry *m_entry = nullptr;
};

} // namespace ulk
