#pragma once
#include "client/subrecords/SubRecordFamilies.h"
#include "client/subrecords/SubRecordRows.h"

#include <QObject>
#include <memory>

class QPushButton;
class QWidget;

namespace ulk {

class SiblingFields;
class SubRecordChecks;
class SubRecordEditor;
class SubRecordListModel;
class SubRecordPage;
class SubRecordPickers;
class SubRecordSaver;
class SubRecordTabs;

// One sub-record tab: its row set shown in the list and in the edit boxes
// bound to the current row, its two modes and the roads of its six buttons.
// Browse mode: the list is enabled, the boxes are locked, New always and
// Edit and Delete while there is a current row. Edit mode: a row is added
// or edited in the unlocked boxes; Save, Save-and-new and Storno are the
// only ways back, every other tab and the window's buttons wait.
class SubRecordTab : public QObject {
    Q_OBJECT
public:
    SubRecordTab(SubRecordKind kind, QWidget *page, SubRecordTabs &hub);
    ~SubRecordTab() override;

    const SubRecordFamilyDef &family() const { return m_family; }
    SubRecordTabs &hub() const { return m_hub; }
    SubRecordPage &page() const { return *m_page; }
    SubRecordListModel *model() const { return m_model; }
    SubRecordRows &rows() const;
    SubRecordEditor &editor() const { return *m_editor; }
    SubRecordSaver &saver() const { return *m_saver; }
    SiblingFields *sibling() const { return m_sibling; }
    QPushButton *button(SubRecordButton b) const;

    bool isInEditMode() const { return m_editMode; }
    // Counts the edits: each New or Edit starts another one.
    int editSession() const { return m_editSession; }
    // A road of the tab is under way: its own focus changes are no leaves.
    bool inRoad() const { return m_road > 0; }

    // Reads the client's rows (the tab's facility kind for facilities) and
    // shows the first of them.
    void readRows(const QString &clientKey);
    // Reads the rows again after a save or a delete; row: the row to make
    // current (0 the first row of the list).
    void rereadRows(int row);

    void setEditMode();
    void setBrowseMode();
    void unlockFields();
    void lockFields();
    // The current row into the bound boxes (empty boxes at the end).
    void showCurrentRow();

    // The focus into a box, or the long text for -1.
    void focusBox(int index);

    // The button roads.
    void clickNew();
    void clickEdit();
    void clickDelete();
    void clickSave();
    void clickSaveNew();
    void clickCancel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Road;
    // Save and Save+New: writes the edit, then goes back to browsing or
    // starts a new row; a refused edit stays open.
    void saveEdit(bool thenNewRow);
    void addNewRow();
    void onListCurrentChanged(int row);
    void enableBoxes(bool enabled);

    const SubRecordFamilyDef &m_family;
    SubRecordTabs &m_hub;
    SubRecordListModel *m_model;
    std::unique_ptr<SubRecordPage> m_page;
    SubRecordEditor *m_editor = nullptr;
    std::unique_ptr<SubRecordSaver> m_saver;
    std::unique_ptr<SubRecordChecks> m_checks;
    SiblingFields *m_sibling = nullptr;
    SubRecordPickers *m_pickers = nullptr;
    bool m_editMode = false;
    int m_editSession = 0;
    int m_road = 0;
};

} // namespace ulk
