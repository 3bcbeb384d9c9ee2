#include "client/ui/SubRecordPage.h"

#include "client/SubRecordListModel.h"
#include "client/ui/DisabilityPanel.h"
#include "common/ui/AccessibleName.h"
#include "common/ui/CodePicker.h"
#include "common/ui/FieldEdit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ulk {

namespace {
constexpr int PickerWidth = 33;
constexpr int PickerDropWidth = 320;
} // namespace

SubRecordPage::SubRecordPage(const SubRecordFamilyDef &family, QWidget *page, SubRecordListModel *model)
    : m_family(family), m_page(page)
{
    auto *outer = new QHBoxLayout(page);
    m_list = new QListView(page);
    m_list->setObjectName(QString::fromLatin1(family.listName));
    m_list->setModel(model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMaximumWidth(220);
    outer->addWidget(m_list);

    m_right = new QVBoxLayout;
    outer->addLayout(m_right, 1);
    QVBoxLayout *right = m_right;
    auto *frame = new QGroupBox(page);
    frame->setObjectName(QStringLiteral("fra") + QString::fromLatin1(family.letters));
    right->addWidget(frame);
    buildBoxes(frame);
    if (m_disability)
        right->addWidget(m_disability);
    if (family.longText) {
        auto *label = new QLabel(QString::fromUtf8(family.longTextLabel), page);
        m_longText = new QPlainTextEdit(page);
        m_longText->setObjectName(QString::fromLatin1(family.longText));
        // Tab leaves the long text for the boxes, as in every other field.
        m_longText->setTabChangesFocus(true);
        label->setBuddy(m_longText);
        nameControl(m_longText, label->text());
        right->addWidget(label);
        right->addWidget(m_longText, 1);
    }
    if (family.kind == SubRecordKind::Facilities)
        buildKindFrame(page);
    buildButtons(page);
    if (m_disability)
        orderTabs();
    if (!family.longText)
        right->addStretch(1);
}

void SubRecordPage::buildBoxes(QWidget *frame)
{
    auto *grid = new QGridLayout(frame);
    if (m_family.kind == SubRecordKind::Siblings) {
        m_disability = new DisabilityPanel(QStringLiteral("S"), DisabilityPanel::standardNames(QStringLiteral("S")),
                                           m_page);
        m_disability->setObjectName(QStringLiteral("fraPostS"));
    }
    int row = 0;
    for (const SubRecordBoxDef &def : m_family.boxes) {
        FieldEdit *box = nullptr;
        if (m_disability && def.check == SubRecordCheck::DominantCode)
            box = m_disability->dominantBox();
        else if (m_disability && def.check == SubRecordCheck::AssociatedCode)
            box = m_disability->associatedBox();
        const bool inGrid = !box;
        if (!box)
            box = new FieldEdit(frame);
        box->setObjectName(SubRecordFamilies::boxName(m_family, def.index));
        box->setIndex(def.index);
        if (def.maxLength > 0)
            box->setMaxLength(def.maxLength);
        if (def.tooltip)
            box->setToolTip(QString::fromUtf8(def.tooltip));
        if (def.digitsOnly)
            box->setAcceptDrops(false);
        box->setEnabled(false);
        if (def.label)
            nameControl(box, QString::fromUtf8(def.label));
        m_boxes << box;
        if (!inGrid)
            continue;
        auto *label = new QLabel(QString::fromUtf8(def.label), frame);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        const QString pickerName = def.picker ? QString::fromLatin1(def.picker) : QString();
        if (pickerName == QLatin1String("cmbSur0")) {
            m_sexPicker = new QComboBox(frame);
            m_sexPicker->setObjectName(pickerName);
            m_sexPicker->addItems({QStringLiteral("M"), QStringLiteral("Z")});
            m_sexPicker->setCurrentIndex(-1);
            m_sexPicker->setFixedWidth(PickerWidth + 12);
            m_sexPicker->setToolTip(QStringLiteral("výber pohlavia"));
            m_sexPicker->setEnabled(false);
            grid->addWidget(m_sexPicker, row, 2);
        } else if (!pickerName.isEmpty()) {
            m_codePicker = new CodePicker(frame);
            m_codePicker->setObjectName(pickerName);
            m_codePicker->setFixedWidth(PickerWidth);
            m_codePicker->view()->setMinimumWidth(PickerDropWidth);
            m_codePicker->setCopyOnLeave(false);
            if (m_family.kind == SubRecordKind::Facilities) {
                m_codePicker->setToolTip(QStringLiteral("výber zariadenia"));
                m_codePicker->setCut(2);
            } else {
                m_codePicker->setToolTip(QStringLiteral("výber z číselníka"));
                // The keys line up in a fixed-pitch font.
                QFont courier(QStringLiteral("Courier New"));
                courier.setStyleHint(QFont::Monospace);
                m_codePicker->setFont(courier);
                m_codePicker->view()->setFont(courier);
            }
            m_codePicker->pairWith(box);
            m_codePicker->setEnabled(false);
            grid->addWidget(m_codePicker, row, 2);
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
    for (int i = 0; i < boxCount(); ++i)
        if (QComboBox *picker = pickerOf(i))
            nameControl(picker, pickerName(m_boxes.at(i)->accessibleName()));
}

void SubRecordPage::buildKindFrame(QWidget *parent)
{
    m_kindFrame = new QGroupBox(QStringLiteral("Zmena údajov"), parent);
    m_kindFrame->setObjectName(QStringLiteral("Frame4"));
    auto *layout = new QVBoxLayout(m_kindFrame);
    m_ulkOption = new QRadioButton(QStringLiteral("Údaje o špeciálno-pedag. starostlivosti"), m_kindFrame);
    m_ulkOption->setObjectName(QStringLiteral("optZarUlk"));
    m_educationOption = new QRadioButton(QStringLiteral("Údaje o výchove a vzdelávaní"), m_kindFrame);
    m_educationOption->setObjectName(QStringLiteral("optZarVv"));
    m_educationOption->setChecked(true);
    layout->addWidget(m_ulkOption);
    layout->addWidget(m_educationOption);
    m_right->addWidget(m_kindFrame);
}

void SubRecordPage::buildButtons(QWidget *parent)
{
    auto *row = new QHBoxLayout;
    for (int b = 0; b < subRecordButtonCount; ++b) {
        const auto which = SubRecordButton(b);
        auto *button = new QPushButton(SubRecordFamilies::buttonCaption(m_family, which), parent);
        button->setObjectName(SubRecordFamilies::buttonName(m_family, which));
        button->setAutoDefault(false);
        button->setDefault(false);
        m_buttons[std::size_t(b)] = button;
        row->addWidget(button);
    }
    row->addStretch(1);
    m_right->addLayout(row);
}

void SubRecordPage::orderTabs()
{
    // Tab goes through the boxes in their order, each followed by its picker
    // (the associated code box by its list), and only then to the buttons.
    QList<QWidget *> order;
    for (int i = 0; i < boxCount(); ++i) {
        order << m_boxes.at(i);
        if (QComboBox *picker = pickerOf(i))
            order << picker;
        else if (m_boxes.at(i) == m_disability->associatedBox())
            order << m_disability->associatedList();
    }
    for (QPushButton *b : m_buttons)
        order << b;
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

int SubRecordPage::indexOf(const QObject *object) const
{
    for (int i = 0; i < boxCount(); ++i)
        if (m_boxes.at(i) == object)
            return i;
    return -1;
}

QComboBox *SubRecordPage::pickerOf(int index) const
{
    if (index < 0 || index >= boxCount())
        return nullptr;
    const char *name = SubRecordFamilies::box(m_family, index).picker;
    if (!name)
        return nullptr;
    const QString picker = QString::fromLatin1(name);
    if (m_sexPicker && m_sexPicker->objectName() == picker)
        return m_sexPicker;
    if (m_codePicker && m_codePicker->objectName() == picker)
        return m_codePicker;
    if (m_disability && m_disability->dominantPicker()->objectName() == picker)
        return m_disability->dominantPicker();
    return nullptr;
}

bool SubRecordPage::isBoxPicker(const QWidget *w) const
{
    if (!w)
        return false;
    for (int i = 0; i < boxCount(); ++i)
        if (pickerOf(i) == w)
            return true;
    return false;
}

} // namespace ulk
