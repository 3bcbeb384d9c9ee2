#pragma once
#include "client/BasicDataFields.h"
#include "client/ClientCodeLists.h"

#include <QString>
#include <QVariant>
#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QGridLayout;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace ulk {

class CodeList;
class CodePicker;
class DisabilityPanel;
class FieldEdit;
struct ClientRow;

// The two basic-data tabs of the client record: "Základné údaje" (the
// client and the client's disabilities) and "Rodičia" (mother, father, legal
// representative). Builds the 57 fields from the field table in one loop,
// with their labels, pickers and the parents' option buttons, and moves a
// client row into these controls and back.
class BasicDataPages {
public:
    // The persons whose disabilities are entered on these tabs.
    enum Person { Client = 0, Mother = 1, Father = 2 };
    static constexpr int personCount = 3;

    BasicDataPages(QWidget *clientPage, QWidget *parentsPage);
    ~BasicDataPages();
    BasicDataPages(const BasicDataPages &) = delete;
    BasicDataPages &operator=(const BasicDataPages &) = delete;

    FieldEdit *field(int index) const { return m_fields.at(std::size_t(index)); }
    const std::array<FieldEdit *, BasicDataFields::count> &fields() const { return m_fields; }
    CodePicker *picker(int index) const { return m_pickers.at(std::size_t(index)); } // dbcvolby
    QComboBox *positionPicker(int index) const { return m_cmbPos.at(std::size_t(index)); } // cmbPos
    QComboBox *associatedList(Person person) const { return m_cmbSek.at(std::size_t(person)); } // cmbSek
    QRadioButton *option(int index) const { return m_options.at(std::size_t(index)); } // optKrz
    CodeList *codeList(CodeListSource source) const;
    // The picker of a code-list field (2, 7 .. 11, 13, 25, 40, 52), or null.
    CodePicker *pickerOfField(int fieldIndex) const;
    // Whether a code-list field holds a town name rather than a code.
    static bool looksUpByName(int fieldIndex);
    // Every picker of the two tabs (dbcvolby, cmbPos, cmbSek) with its object name.
    QList<QWidget *> allPickers() const;

    // Reads the code lists and fills the pickers, with no row chosen.
    bool loadCodeLists(QString *error);

    // Shows a client row: the bound fields, the parents' option buttons,
    // the representative's relation and the disability strings.
    void showRow(const ClientRow &row);
    // Writes what the controls hold into the row's columns.
    void storeInto(ClientRow &row) const;

    DisabilityPanel *disabilityPanel(Person person) const { return m_disability.at(std::size_t(person)); }

private:
    QGroupBox *frame(FieldFrame f) const;
    void buildFrames(QWidget *clientPage, QWidget *parentsPage);
    void buildFields();
    void buildOptions();
    void buildDisability(Person person);
    void placeField(int index, QWidget *extra);
    void orderTabs();
    void nameControls();
    static const char *disabilityColumn(Person person);

    std::array<FieldEdit *, BasicDataFields::count> m_fields{};
    std::array<CodePicker *, ClientCodeLists::pickerCount> m_pickers{};
    std::array<QComboBox *, 4> m_cmbPos{};
    std::array<QComboBox *, personCount> m_cmbSek{};
    std::array<QRadioButton *, 7> m_options{};
    std::array<QList<QRadioButton *>, 7> m_frameOptions; // by frame: its option buttons
    std::array<QGroupBox *, 7> m_frames{};
    std::array<QGridLayout *, 7> m_grids{};
    std::array<int, 7> m_placed{};
    std::array<std::unique_ptr<CodeList>, ClientCodeLists::sourceCount> m_codeLists;
    std::array<DisabilityPanel *, personCount> m_disability{};
    QVBoxLayout *m_clientLayout = nullptr;
};

} // namespace ulk
