#pragma once
#include <QComboBox>
#include <QString>

// The drop-down picker beside a code-list field: it shows the lines of a
// CodeList and copies the chosen line (or its first characters, "cut") into
// its paired field.
//
// A pick is the row the user chose together with the text its copy put into
// the field. It holds only while the field still holds that text: typing over
// it, emptying the field, a program write of another text, or loading a row
// into the field (FieldEdit::loadText) clears it, and the picker then shows no
// chosen row.
//
// Keys: Enter copies the chosen row and moves the focus to the field; Esc
// moves the focus to the field without copying and raises the picker's Esc
// flag (kept in step with the shared comboEscPressed), so that the field's
// next code-list check leaves its text alone. Choosing a row in the drop-down
// list copies it and moves the focus to the field; leaving the picker copies
// the chosen row (unless switched off with setCopyOnLeave, or after Esc).
namespace ulk {

class CodeList;
class FieldEdit;

class CodePicker : public QComboBox {
    Q_OBJECT
public:
    explicit CodePicker(QWidget *parent = nullptr);

    // Shows the list's lines, with no row chosen and the Esc flag down.
    void setCodeList(CodeList *list);
    CodeList *codeList() const { return m_list; }
    // Re-reads the lines from the code list (after CodeList::load). A pick
    // whose row still shows the same line stays; any other pick is cleared.
    void reloadList();

    void pairWith(FieldEdit *field);
    FieldEdit *field() const { return m_field; }

    // How many leading characters of the chosen line a copy writes into the
    // field: 2 where the line starts with a two-character code, 30 for town
    // names; 0 (the default) the whole line.
    void setCut(int characters) { m_cut = characters; }
    int cut() const { return m_cut; }
    void setCopyOnLeave(bool on) { m_copyOnLeave = on; }

    // Copies the first cut() characters of the chosen row's line into the
    // field and makes that row the pick. Nothing happens (false) while no row
    // is chosen or no field is paired.
    bool copyPick();
    // Writes text into the field as the value of row's pick (the code or the
    // name that the code-list check takes from the row); the pick stays.
    void writePick(int row, const QString &text);

    // The picked row, or -1 when there is no pick or the field no longer
    // holds what the pick put there.
    int pickedRow() const;
    void clearPick();

    bool escPressed() const { return m_escPressed; }
    void setEscPressed(bool pressed); // also sets shared().comboEscPressed

    void showPopup() override;
    void hidePopup() override;

signals:
    void picked(int row); // the user chose a row; its copy is in the field
    void escaped();       // the user left the picker with Esc

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void onActivated(int row);
    void onFieldTextChanged(const QString &text);
    void focusField();

    CodeList *m_list = nullptr;
    FieldEdit *m_field = nullptr;
    int m_cut = 0;
    bool m_copyOnLeave = true;
    bool m_escPressed = false;
    bool m_popupClosed = false; // the drop-down list was just closed
    bool m_writing = false;     // the picker is writing into its field
    int m_pickedRow = -1;
    QString m_pickText;
};

} // namespace ulk
