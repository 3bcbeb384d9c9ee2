#pragma once
#include <QObject>

class QEvent;

namespace ulk {

class BasicDataEditor;
class BasicDataPages;

// What the pickers of the two basic-data tabs do beyond copying their choice
// into their fields (CodePicker and the disability entries do that):
// - the sex picker cmbPos3 writes the letter chosen into field 5 and moves
//   the focus there; Esc in it goes back to field 5 (and does not cancel
//   the record);
// - the health-insurer picker dbcvolby8 copies nothing when it is left and
//   sends the focus to its field 7 wherever the user went.
class ClientPickers : public QObject {
    Q_OBJECT
public:
    ClientPickers(BasicDataPages &pages, BasicDataEditor &editor, QObject *parent = nullptr);

    static constexpr int sexField = 5;
    static constexpr int sexPicker = 3;      // cmbPos3
    static constexpr int insurerField = 7;
    static constexpr int insurerPicker = 8;  // dbcvolby8

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chooseSex(int index);

    BasicDataPages &m_pages;
    BasicDataEditor &m_editor;
};

} // namespace ulk
