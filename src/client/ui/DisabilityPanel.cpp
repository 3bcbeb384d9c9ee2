#include "client/ui/DisabilityPanel.h"

#include "client/ui/DisabilityEntry.h"
#include "common/ui/AccessibleName.h"
#include "common/ui/FieldEdit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace ulk {

namespace {
constexpr int ListWidth = 64;       // narrow: the code box shows one digit
constexpr int DroppedWidth = 240;   // the opened list shows the whole texts
constexpr int SlotWidth = 24;
constexpr int DominantSlotGap = 10; // slot 0 stands a little apart

struct PersonRow {
    const char *person;
    const char *dominantBox;
    const char *associatedBox;
    const char *dominantPicker;
    const char *associatedList;
    const char *slotPrefix;
    const char *dominantLabel;
    const char *associatedLabel;
    const char *pickerTip;
    const char *personWord; // names the slots for assistive tools
};

const PersonRow Persons[] = {
    {"K", "textKrz18", "textKrz19", "cmbPos2", "cmbSek0", "textPosK", "Výber domin. postihnutia",
     "Výber pridruž. postihnutia", "výber z číselnika", "Klient"},
    {"M", "textKrz33", "textKrz34", "cmbPos1", "cmbSek1", "textPosM", "Výber dominantného postihnutia",
     "Výber pridruženého postihnutia", "výber z postihnutí", "Matka"},
    {"O", "textKrz48", "textKrz49", "cmbPos0", "cmbSek2", "textPosO", "Výber dominantného postihnutia",
     "Výber pridruženého postihnutia", "výber z postihnutí", "Otec"},
    {"S", "textSur4", "textSur5", "cmbSur1", "cmbSek3", "textPosS", "Výber dominantného postihnutia",
     "Výber pridruženého postihnutia", "výber z postihnutí", "Súrodenec"},
};

const PersonRow &rowOf(const QString &person)
{
    for (const PersonRow &row : Persons)
        if (person == QLatin1String(row.person))
            return row;
    return Persons[1]; // labels of the parents for any other letter
}

QComboBox *makeList(QWidget *parent, const QString &name)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setFixedWidth(ListWidth);
    list->view()->setMinimumWidth(DroppedWidth);
    return list;
}

// A sibling of its list, not its child: a list's accessible interface shows
// only its drop-down list, and a screen reader reaches no child of it.
FieldEdit *makeCodeBox(QComboBox *list, const QString &name)
{
    auto *box = new FieldEdit(list->parentWidget());
    box->setObjectName(name);
    box->setMaxLength(1);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]?")), box));
    return box;
}
} // namespace

DisabilityPanel::Names DisabilityPanel::standardNames(const QString &person)
{
    const PersonRow &row = rowOf(person);
    if (person != QLatin1String(row.person))
        return {};
    return {QString::fromUtf8(row.dominantBox), QString::fromUtf8(row.associatedBox),
            QString::fromUtf8(row.dominantPicker), QString::fromUtf8(row.associatedList),
            QString::fromUtf8(row.slotPrefix)};
}

DisabilityPanel::DisabilityPanel(const QString &person, const Names &names, QWidget *parent)
    : QFrame(parent)
    , m_person(person)
{
    const PersonRow &row = rowOf(person);
    setFrameShape(QFrame::NoFrame);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_group = new QGroupBox(QStringLiteral("Postihnutia"), this);
    outer->addWidget(m_group);

    // The nine slot boxes: display only, no focus, slot 0 set apart.
    auto *slotRow = new QHBoxLayout;
    slotRow->setSpacing(2);
    for (int i = 0; i < 9; ++i) {
        auto *slot = new QLineEdit(m_group);
        slot->setObjectName(names.slotPrefix + QString::number(i));
        slot->setReadOnly(true);
        slot->setFocusPolicy(Qt::NoFocus);
        slot->setFixedWidth(SlotWidth);
        slot->setAlignment(Qt::AlignCenter);
        slot->setAccessibleName(
            QStringLiteral("%1: postihnutie %2").arg(QString::fromUtf8(row.personWord)).arg(i + 1));
        slotRow->addWidget(slot);
        if (i == 0)
            slotRow->addSpacing(DominantSlotGap);
        m_slotBoxes << slot;
    }
    slotRow->addStretch();

    m_dominantPicker = makeList(m_group, names.dominantPicker);
    m_dominantPicker->setToolTip(QString::fromUtf8(row.pickerTip));
    m_associatedList = makeList(m_group, names.associatedList);
    m_dominantBox = makeCodeBox(m_dominantPicker, names.dominantBox);
    m_associatedBox = makeCodeBox(m_associatedList, names.associatedBox);
    m_dominantPicker->installEventFilter(this);
    m_associatedList->installEventFilter(this);

    m_dominantLabel = new QLabel(QString::fromUtf8(row.dominantLabel), m_group);
    m_dominantLabel->setBuddy(m_dominantBox);
    m_associatedLabel = new QLabel(QString::fromUtf8(row.associatedLabel), m_group);
    m_associatedLabel->setBuddy(m_associatedBox);
    nameControl(m_dominantBox, m_dominantLabel->text());
    nameControl(m_associatedBox, m_associatedLabel->text());
    nameControl(m_dominantPicker, pickerName(m_dominantBox->accessibleName()));
    nameControl(m_associatedList, pickerName(m_associatedBox->accessibleName()));

    auto *grid = new QGridLayout(m_group);
    grid->addLayout(slotRow, 0, 0, 1, 3);
    grid->addWidget(m_dominantLabel, 1, 0);
    grid->addWidget(m_dominantPicker, 1, 1);
    grid->addWidget(m_associatedLabel, 2, 0);
    grid->addWidget(m_associatedList, 2, 1);
    grid->setColumnStretch(2, 1);

    DisabilityControls controls;
    controls.dominantBox = m_dominantBox;
    controls.associatedBox = m_associatedBox;
    controls.dominantPicker = m_dominantPicker;
    controls.associatedList = m_associatedList;
    controls.slotBoxes = m_slotBoxes;
    m_entry = new DisabilityEntry(person, controls, this);
    // Until the person has a dominant code there is nothing to associate.
    m_entry->setAssociatedEnabled(false);

    placeCodeBox(m_dominantPicker, m_dominantBox);
    placeCodeBox(m_associatedList, m_associatedBox);
}

void DisabilityPanel::placeCodeBox(QComboBox *list, FieldEdit *box)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = false;
    option.frame = true;
    option.subControls = QStyle::SC_All;
    const QRect field =
        list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    box->setGeometry(field.translated(list->pos()));
    box->raise();
}

bool DisabilityPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::StyleChange) {
        if (watched == m_dominantPicker)
            placeCodeBox(m_dominantPicker, m_dominantBox);
        else if (watched == m_associatedList)
            placeCodeBox(m_associatedList, m_associatedBox);
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace ulk
