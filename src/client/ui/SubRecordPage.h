#pragma once
#include "client/subrecords/SubRecordFamilies.h"

#include <QList>
#include <array>

class QComboBox;
class QObject;
class QGroupBox;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace ulk {

class CodePicker;
class DisabilityPanel;
class FieldEdit;
class SubRecordListModel;

// The controls of one sub-record tab, built on its page from the family
// table: the list, the edit boxes with their labels, the long text box, the
// pickers, the six buttons, and on the facilities tab the frame "Zmena
// údajov" with the two kind options. The siblings' disability boxes 4 and 5
// are those of the sibling's disability panel.
class SubRecordPage {
public:
    SubRecordPage(const SubRecordFamilyDef &family, QWidget *page, SubRecordListModel *model);

    const SubRecordFamilyDef &family() const { return m_family; }
    QWidget *widget() const { return m_page; }
    QListView *list() const { return m_list; }
    int boxCount() const { return int(m_boxes.size()); }
    FieldEdit *box(int index) const { return index >= 0 && index < boxCount() ? m_boxes.at(index) : nullptr; }
    // Index of a box, or -1.
    int indexOf(const QObject *object) const;
    QPlainTextEdit *longText() const { return m_longText; }
    QPushButton *button(SubRecordButton b) const { return m_buttons.at(std::size_t(b)); }
    // The code-list picker of the tab (dbcZar, DBCPza, DBCZsc, DBCZaz), or nullptr.
    CodePicker *codePicker() const { return m_codePicker; }
    // The own picker of a box (by the family table), or nullptr.
    QComboBox *pickerOf(int index) const;
    // Whether a widget is one of the pickers that the family's boxes own.
    bool isBoxPicker(const QWidget *w) const;

    // Siblings: the sex picker cmbSur0 and the disability panel of "S".
    QComboBox *sexPicker() const { return m_sexPicker; }
    DisabilityPanel *disability() const { return m_disability; }

    // Facilities: Frame4 "Zmena údajov" with optZarUlk and optZarVv.
    QGroupBox *kindFrame() const { return m_kindFrame; }
    QRadioButton *ulkOption() const { return m_ulkOption; }
    QRadioButton *educationOption() const { return m_educationOption; }

private:
    void buildBoxes(QWidget *frame);
    void buildButtons(QWidget *parent);
    void orderTabs();
    void buildKindFrame(QWidget *parent);

    const SubRecordFamilyDef &m_family;
    QWidget *m_page;
    QVBoxLayout *m_right = nullptr;
    QListView *m_list = nullptr;
    QList<FieldEdit *> m_boxes;
    QPlainTextEdit *m_longText = nullptr;
    std::array<QPushButton *, subRecordButtonCount> m_buttons{};
    CodePicker *m_codePicker = nullptr;
    QComboBox *m_sexPicker = nullptr;
    DisabilityPanel *m_disability = nullptr;
    QGroupBox *m_kindFrame = nullptr;
    QRadioButton *m_ulkOption = nullptr;
    QRadioButton *m_educationOption = nullptr;
};

} // namespace ulk
