#include "client/ui/SubRecordTab.h"

#include "client/DisabilityCodes.h"
#include "client/SubRecordListModel.h"
#include "client/subrecords/SubRecordRules.h"
#include "client/ui/SiblingFields.h"
#include "client/ui/SubRecordChecks.h"
#include "client/ui/SubRecordEditor.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordPickers.h"
#include "client/ui/SubRecordSaver.h"
#include "client/ui/SubRecordTabs.h"
#include "client/ui/DisabilityPanel.h"
#include "common/ui/EnterPressesButton.h"
#include "common/Prompter.h"
#include "common/ui/CodePicker.h"
#include "common/ui/FieldEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ulk {

// While a road runs, the focus changes it makes are not the user's leaves.
struct SubRecordTab::Road {
    explicit Road(SubRecordTab &tab) : t(tab) { ++t.m_road; }
    ~Road() { --t.m_road; }
    SubRecordTab &t;
};

SubRecordTab::SubRecordTab(SubRecordKind kind, QWidget *page, SubRecordTabs &hub)
    : m_family(SubRecordFamilies::of(kind)), m_hub(hub)
{
    m_model = new SubRecordListModel(kind, this);
    m_page = std::make_unique<SubRecordPage>(m_family, page, m_model);
    m_saver = std::make_unique<SubRecordSaver>(*this);
    m_checks = std::make_unique<SubRecordChecks>(*this);
    if (kind == SubRecordKind::Siblings)
        m_sibling = new SiblingFields(*this);
    m_editor = new SubRecordEditor(*this);
    m_editor->setCheckHook([this](int index, bool onKeyDown) { return m_checks->check(index, onKeyDown); });
    if (m_page->codePicker())
        m_pickers = new SubRecordPickers(*this);

    const std::pair<SubRecordButton, void (SubRecordTab::*)()> roads[] = {
        {SubRecordButton::New, &SubRecordTab::clickNew},         {SubRecordButton::Edit, &SubRecordTab::clickEdit},
        {SubRecordButton::Delete, &SubRecordTab::clickDelete},   {SubRecordButton::Save, &SubRecordTab::clickSave},
        {SubRecordButton::SaveNew, &SubRecordTab::clickSaveNew}, {SubRecordButton::Cancel, &SubRecordTab::clickCancel},
    };
    for (const auto &[which, road] : roads) {
        QPushButton *b = button(which);
        connect(b, &QPushButton::clicked, this, road);
        b->installEventFilter(this);
    }
    for (SubRecordButton which : {SubRecordButton::Edit, SubRecordButton::Delete, SubRecordButton::Save,
                                  SubRecordButton::SaveNew, SubRecordButton::Cancel})
        button(which)->setEnabled(false);
    if (m_page->longText())
        m_page->longText()->setEnabled(false);
    connect(m_page->list()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onListCurrentChanged(current.isValid() ? current.row() : -1); });
    if (kind == SubRecordKind::Facilities) {
        connect(m_page->ulkOption(), &QRadioButton::clicked, this,
                [this] { m_hub.chooseFacilityKind(QStringLiteral("ULK")); });
        connect(m_page->educationOption(), &QRadioButton::clicked, this,
                [this] { m_hub.chooseFacilityKind(QStringLiteral("VYCH")); });
    }
}

SubRecordTab::~SubRecordTab() = default;

SubRecordRows &SubRecordTab::rows() const { return m_model->rows(); }

QPushButton *SubRecordTab::button(SubRecordButton b) const { return m_page->button(b); }

bool SubRecordTab::eventFilter(QObject *watched, QEvent *event)
{
    // Enter presses the tab's button that has the focus (PgDn in a box leads to Save).
    if (enterPressesButton(watched, event))
        return true;
    return QObject::eventFilter(watched, event);
}

// ------------------------------------------------------------------ rows

void SubRecordTab::readRows(const QString &clientKey)
{
    Road road(*this);
    m_model->setFacilityKind(m_hub.facilityKind());
    QString error;
    if (!m_model->reload(clientKey, &error))
        tell(SubRecordRules::readFailedMessage(error), QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
    showCurrentRow();
}

void SubRecordTab::rereadRows(int row)
{
    Road road(*this);
    QString error;
    if (!m_model->reread(&error))
        tell(SubRecordRules::readFailedMessage(error), QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
    // The row at that place, or the last one when the list has become shorter.
    if (!rows().isEmpty())
        rows().setCurrent(qMin(row, rows().size() - 1));
    showCurrentRow();
}

void SubRecordTab::showCurrentRow()
{
    Road road(*this);
    const SubRecordRows &r = rows();
    const int row = r.current();
    for (const SubRecordBoxDef &def : m_family.boxes) {
        const QVariant v = def.column && row >= 0 ? r.value(row, QString::fromLatin1(def.column)) : QVariant();
        m_page->box(def.index)->loadText(SubRecordRules::shownText(def.value, v));
    }
    if (QPlainTextEdit *text = m_page->longText())
        text->setPlainText(row >= 0 ? r.value(row, QString::fromLatin1(m_family.longTextColumn)).toString()
                                    : QString());
    if (m_sibling) {
        if (row >= 0)
            m_sibling->showRow(r.value(row, QStringLiteral("postih")), r.state() == SubRecordRows::State::Editing);
        else
            m_sibling->showNewRow();
    }
}

void SubRecordTab::addNewRow()
{
    Road road(*this);
    rows().setState(SubRecordRows::State::Adding);
    for (int i = 0; i < m_page->boxCount(); ++i)
        m_page->box(i)->loadText(QString());
    if (QPlainTextEdit *text = m_page->longText())
        text->clear();
    if (m_sibling)
        m_sibling->showNewRow();
}

void SubRecordTab::onListCurrentChanged(int row)
{
    // A click (or a key) in the enabled list makes its entry's row current.
    if (inRoad() || m_editMode || !m_page->list()->isEnabled() || rows().atEnd() || row < 0)
        return;
    if (row == rows().current())
        return;
    rows().setCurrent(row);
    showCurrentRow();
}

void SubRecordTab::focusBox(int index)
{
    QWidget *target = index == -1 ? static_cast<QWidget *>(m_page->longText()) : m_page->box(index);
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

// ----------------------------------------------------------------- modes

void SubRecordTab::setEditMode()
{
    Road road(*this);
    for (SubRecordButton b : {SubRecordButton::Save, SubRecordButton::SaveNew, SubRecordButton::Cancel})
        button(b)->setEnabled(true);
    for (SubRecordButton b : {SubRecordButton::New, SubRecordButton::Edit, SubRecordButton::Delete})
        button(b)->setEnabled(false);
    m_page->list()->setEnabled(false);
    if (!m_editMode) {
        ++m_editSession;
        m_editor->clearRefusedLeave();
    }
    m_editMode = true;
    m_hub.enterEditMode(this);
    if (QGroupBox *kinds = m_page->kindFrame())
        kinds->setEnabled(false);
}

void SubRecordTab::setBrowseMode()
{
    Road road(*this);
    for (SubRecordButton b : {SubRecordButton::Save, SubRecordButton::SaveNew, SubRecordButton::Cancel})
        button(b)->setEnabled(false);
    const bool rowThere = !rows().atEnd();
    button(SubRecordButton::New)->setEnabled(true);
    button(SubRecordButton::Edit)->setEnabled(rowThere);
    button(SubRecordButton::Delete)->setEnabled(rowThere);
    m_editMode = false;
    m_hub.enterBrowseMode(this);
    m_page->list()->setEnabled(true);
    if (QGroupBox *kinds = m_page->kindFrame())
        kinds->setEnabled(true);
}

void SubRecordTab::enableBoxes(bool enabled)
{
    for (int i = 0; i < m_page->boxCount(); ++i) {
        // The associated code box opens only with a dominant disability.
        if (enabled && m_sibling && SubRecordFamilies::box(m_family, i).check == SubRecordCheck::AssociatedCode)
            continue;
        m_page->box(i)->setEnabled(enabled);
    }
    if (QPlainTextEdit *text = m_page->longText())
        text->setEnabled(enabled);
    if (CodePicker *picker = m_page->codePicker())
        picker->setEnabled(enabled);
    if (m_sibling) {
        m_page->sexPicker()->setEnabled(enabled);
        m_page->disability()->dominantPicker()->setEnabled(enabled);
        if (!enabled)
            m_sibling->setAssociatedEnabled(false);
    }
}

void SubRecordTab::unlockFields()
{
    Road road(*this);
    enableBoxes(true);
    if (m_sibling && rows().state() == SubRecordRows::State::Editing && !rows().atEnd()) {
        const QVariant postih = rows().value(rows().current(), QStringLiteral("postih"));
        if (DisabilityCodes::numericValue(postih.isNull() ? QString() : postih.toString()) != 0)
            m_sibling->setAssociatedEnabled(true);
    }
    focusBox(m_family.unlockFocus);
}

void SubRecordTab::lockFields()
{
    Road road(*this);
    enableBoxes(false);
    if (rows().atEnd()) {
        button(SubRecordButton::New)->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The list stands on the current row.
    QListView *list = m_page->list();
    const QModelIndex current = m_model->index(rows().current(), 0);
    list->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    list->scrollTo(current);
    list->setFocus(Qt::OtherFocusReason);
}

// ----------------------------------------------------------------- roads

void SubRecordTab::clickNew()
{
    if (m_editMode)
        return;
    Road road(*this);
    unlockFields();
    setEditMode();
    addNewRow();
}

void SubRecordTab::clickEdit()
{
    if (m_editMode || rows().atEnd())
        return;
    Road road(*this);
    if (m_sibling) {
        // The row is edited first, so that unlocking sees the sibling's codes.
        rows().setState(SubRecordRows::State::Editing);
        unlockFields();
        setEditMode();
        return;
    }
    unlockFields();
    setEditMode();
    if (m_family.employeeBox >= 0)
        m_hub.setSelectedEmployeeId(SubRecordRules::noEmployee());
    rows().setState(SubRecordRows::State::Editing);
}

void SubRecordTab::clickCancel()
{
    if (!m_editMode)
        return;
    Road road(*this);
    rows().setState(SubRecordRows::State::Idle);
    if (m_sibling)
        rereadRows(0);
    else
        showCurrentRow();
    setBrowseMode();
    lockFields();
}

void SubRecordTab::clickDelete()
{
    if (m_editMode)
        return;
    m_saver->remove();
    Road road(*this);
    setBrowseMode();
    lockFields();
}

void SubRecordTab::clickSave() { saveEdit(false); }

void SubRecordTab::clickSaveNew() { saveEdit(true); }

void SubRecordTab::saveEdit(bool thenNewRow)
{
    if (!m_editMode || m_editor->takeRefusedLeave())
        return;
    const SubRecordSaver::Outcome outcome = m_saver->save();
    Road road(*this);
    if (!outcome.written) {
        if (outcome.focusBox != SubRecordSaver::noFocus)
            focusBox(outcome.focusBox);
        return;
    }
    if (!thenNewRow) {
        setBrowseMode();
        lockFields();
        return;
    }
    addNewRow();
    if (m_sibling)
        m_sibling->setAssociatedEnabled(false);
    focusBox(m_family.saveNewFocus);
}

} // namespace ulk
