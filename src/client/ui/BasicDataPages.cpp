#include "client/ui/BasicDataPages.h"

#include "client/ClientRecord.h"
#include "client/ui/DisabilityEntry.h"
#include "client/ui/DisabilityPanel.h"
#include "common/ui/AccessibleName.h"
#include "common/ui/CodePicker.h"
#include "common/ui/FieldEdit.h"
#include "data/CodeList.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ulk {

namespace F = BasicDataFields;

namespace {

constexpr int frameCount = 7;

int frameIndex(FieldFrame f) { return int(f); }

// How many label-and-field columns a frame lays its fields out in.
int columnsOf(FieldFrame f) { return f == FieldFrame::Client ? 2 : 1; }

// The first grid row of a frame's fields (row 0 of the parents' and the
// representative's frames holds their option buttons).
int firstRowOf(FieldFrame f)
{
    return (f == FieldFrame::Mother || f == FieldFrame::Father || f == FieldFrame::Representative) ? 1 : 0;
}

// The person's letter, dominant picker (cmbPos), code boxes and frame.
struct PersonControls {
    const char *letter;
    int dominantPicker;
    int dominantField;
    int associatedField;
    FieldFrame frame;
};
const PersonControls kPersons[BasicDataPages::personCount] = {
    {"K", 2, 18, 19, FieldFrame::ClientDisability},
    {"M", 1, 33, 34, FieldFrame::MotherDisability},
    {"O", 0, 48, 49, FieldFrame::FatherDisability},
};

bool isDisabilityFrame(int f)
{
    const auto frame = FieldFrame(f);
    return frame == FieldFrame::ClientDisability || frame == FieldFrame::MotherDisability
        || frame == FieldFrame::FatherDisability;
}

QWidget *pageColumn(QWidget *page)
{
    auto *w = new QWidget(page);
    auto *l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    return w;
}

void setDropWidth(QComboBox *box, int width) { box->view()->setMinimumWidth(width); }

} // namespace

BasicDataPages::BasicDataPages(QWidget *clientPage, QWidget *parentsPage)
{
    for (int s = 0; s < ClientCodeLists::sourceCount; ++s) {
        const auto source = CodeListSource(s);
        m_codeLists[std::size_t(s)] =
            std::make_unique<CodeList>(ClientCodeLists::table(source), QStringLiteral("kod"), QStringLiteral("nazov"));
    }
    buildFrames(clientPage, parentsPage);
    for (int p = 0; p < personCount; ++p)
        buildDisability(Person(p));
    buildFields();
    buildOptions();
    orderTabs();
    nameControls();
}

void BasicDataPages::nameControls()
{
    // Each field by its label and person, each picker after its field.
    const QList<QWidget *> pickers = allPickers();
    for (const BasicDataField &def : F::all()) {
        const QString name = F::accessibleName(def.index);
        nameControl(field(def.index), name);
        for (QWidget *w : pickers)
            if (w->objectName() == F::pickerOf(def.index))
                nameControl(w, ulk::pickerName(name));
    }
}

BasicDataPages::~BasicDataPages() = default;

QGroupBox *BasicDataPages::frame(FieldFrame f) const { return m_frames.at(std::size_t(frameIndex(f))); }

CodeList *BasicDataPages::codeList(CodeListSource source) const { return m_codeLists.at(std::size_t(source)).get(); }

CodePicker *BasicDataPages::pickerOfField(int fieldIndex) const
{
    for (const ClientPickerDef &p : ClientCodeLists::pickers())
        if (p.field == fieldIndex)
            return picker(p.index);
    return nullptr;
}

bool BasicDataPages::looksUpByName(int fieldIndex)
{
    for (const ClientPickerDef &p : ClientCodeLists::pickers())
        if (p.field == fieldIndex)
            return p.byName;
    return false;
}

QList<QWidget *> BasicDataPages::allPickers() const
{
    QList<QWidget *> all;
    for (CodePicker *p : m_pickers)
        all << p;
    for (QComboBox *c : m_cmbPos)
        all << c;
    for (QComboBox *c : m_cmbSek)
        all << c;
    return all;
}

void BasicDataPages::buildFrames(QWidget *clientPage, QWidget *parentsPage)
{
    const char *const names[frameCount] = {"fraKlient", "fraPostK", "fraMatka", "fraPostM",
                                            "fraOtec",   "fraPostO", "fraZastupca"};
    for (int f = 0; f < frameCount; ++f) {
        // The disability frames come with their panels.
        if (isDisabilityFrame(f))
            continue;
        auto *box = new QGroupBox(F::frameCaption(FieldFrame(f)));
        box->setObjectName(QString::fromLatin1(names[f]));
        auto *grid = new QGridLayout(box);
        grid->setContentsMargins(6, 4, 6, 4);
        grid->setVerticalSpacing(2);
        m_frames[std::size_t(f)] = box;
        m_grids[std::size_t(f)] = grid;
        m_placed[std::size_t(f)] = 0;
    }

    m_clientLayout = new QVBoxLayout(clientPage);
    m_clientLayout->addWidget(frame(FieldFrame::Client));
    m_clientLayout->addStretch(1);

    auto *parentsLayout = new QHBoxLayout(parentsPage);
    for (FieldFrame f : {FieldFrame::Mother, FieldFrame::Father, FieldFrame::Representative}) {
        QWidget *column = pageColumn(parentsPage);
        column->layout()->addWidget(frame(f));
        static_cast<QVBoxLayout *>(column->layout())->addStretch(1);
        parentsLayout->addWidget(column, 1);
    }
}

void BasicDataPages::buildDisability(Person person)
{
    const PersonControls &c = kPersons[person];
    const QString letter = QString::fromLatin1(c.letter);
    auto *panel = new DisabilityPanel(letter, DisabilityPanel::standardNames(letter));
    m_disability[std::size_t(person)] = panel;
    m_frames[std::size_t(frameIndex(c.frame))] = panel->group();
    m_fields[std::size_t(c.dominantField)] = panel->dominantBox();
    m_fields[std::size_t(c.associatedField)] = panel->associatedBox();
    m_cmbPos[std::size_t(c.dominantPicker)] = panel->dominantPicker();
    m_cmbSek[std::size_t(person)] = panel->associatedList();
    if (person == Client) {
        // Under the client's frame on the first tab.
        m_clientLayout->insertWidget(1, panel);
    } else {
        // The mother's and the father's disabilities stand in their frames.
        const FieldFrame parent = person == Mother ? FieldFrame::Mother : FieldFrame::Father;
        m_grids[std::size_t(frameIndex(parent))]->addWidget(panel, 100, 0, 1, 3);
    }
}

void BasicDataPages::buildFields()
{
    for (const BasicDataField &def : F::all()) {
        FieldEdit *field = m_fields[std::size_t(def.index)];
        QWidget *extra = nullptr;
        if (!field) {
            field = new FieldEdit(frame(def.frame));
            m_fields[std::size_t(def.index)] = field;
            const QString pickerName = F::pickerOf(def.index);
            if (pickerName.startsWith(QLatin1String("dbcvolby"))) {
                const int p = pickerName.mid(8).toInt();
                const ClientPickerDef &ps = ClientCodeLists::pickers()[std::size_t(p)];
                auto *picker = new CodePicker(frame(def.frame));
                picker->setObjectName(pickerName);
                picker->setCut(ps.cut);
                picker->setFixedWidth(33);
                setDropWidth(picker, 320);
                if (ps.tooltip)
                    picker->setToolTip(QString::fromUtf8(ps.tooltip));
                picker->setCodeList(codeList(ps.source));
                picker->pairWith(field);
                m_pickers[std::size_t(p)] = picker;
                extra = picker;
            } else if (pickerName == QLatin1String("cmbPos3")) {
                auto *sex = new QComboBox(frame(def.frame));
                sex->setObjectName(pickerName);
                sex->addItems({QStringLiteral("M"), QStringLiteral("Z")});
                sex->setCurrentIndex(-1);
                sex->setFixedWidth(33);
                sex->setToolTip(QStringLiteral("výber z číselnika"));
                m_cmbPos[3] = sex;
                extra = sex;
            }
            placeField(def.index, extra);
        }
        field->setObjectName(F::objectName(def.index));
        field->setIndex(def.index);
        if (def.maxLength > 0)
            field->setMaxLength(def.maxLength);
        field->setToolTip(F::tooltip(def.index));
        if (def.digitsOnly)
            field->setAcceptDrops(false);
    }
}

void BasicDataPages::placeField(int index, QWidget *extra)
{
    const BasicDataField &def = F::at(index);
    const int f = frameIndex(def.frame);
    const int k = m_placed[std::size_t(f)]++;
    const int columns = columnsOf(def.frame);
    const int row = firstRowOf(def.frame) + k / columns;
    const int col = 3 * (k % columns);
    QGridLayout *grid = m_grids[std::size_t(f)];
    auto *label = new QLabel(F::label(index), frame(def.frame));
    label->setObjectName(QStringLiteral("lblKrz%1").arg(index));
    label->setWordWrap(true);
    label->setMaximumWidth(150);
    FieldEdit *field = m_fields[std::size_t(index)];
    label->setBuddy(field);
    grid->addWidget(label, row, col);
    grid->addWidget(field, row, col + 1);
    if (extra)
        grid->addWidget(extra, row, col + 2);
}

void BasicDataPages::buildOptions()
{
    struct Group {
        FieldFrame frame;
        int first;
        QStringList captions;
    };
    const Group groups[] = {
        {FieldFrame::Mother, 0, {QStringLiteral("vlastná"), QStringLiteral("nevlastná")}},
        {FieldFrame::Father, 2, {QStringLiteral("vlastný"), QStringLiteral("nevlastný")}},
        {FieldFrame::Representative, 4, {QStringLiteral("matka"), QStringLiteral("otec"), QStringLiteral("iný")}},
    };
    for (const Group &g : groups) {
        // Each group is a container of its own, so that its buttons exclude each other.
        auto *holder = new QWidget(frame(g.frame));
        auto *row = new QHBoxLayout(holder);
        row->setContentsMargins(0, 0, 0, 0);
        for (int i = 0; i < g.captions.size(); ++i) {
            auto *b = new QRadioButton(g.captions[i], holder);
            b->setObjectName(QStringLiteral("optKrz%1").arg(g.first + i));
            row->addWidget(b);
            m_options[std::size_t(g.first + i)] = b;
            m_frameOptions[std::size_t(frameIndex(g.frame))] << b;
        }
        row->addStretch(1);
        m_grids[std::size_t(frameIndex(g.frame))]->addWidget(holder, 0, 0, 1, 3);
    }
}

void BasicDataPages::orderTabs()
{
    // Tab follows each page from top to bottom, left to right: a frame's
    // option buttons above its fields, each field followed by the picker
    // beside it, the persons' disabilities under their fields. The fields'
    // indices run in that order on both pages.
    const QList<QWidget *> pickers = allPickers();
    QList<QWidget *> order[2];
    std::array<bool, frameCount> entered{};
    for (const BasicDataField &def : F::all()) {
        QList<QWidget *> &page = order[def.tab];
        const int f = frameIndex(def.frame);
        if (!entered[std::size_t(f)]) {
            entered[std::size_t(f)] = true;
            for (QRadioButton *b : m_frameOptions[std::size_t(f)])
                page << b;
        }
        page << field(def.index);
        const QString picker = F::pickerOf(def.index);
        for (QWidget *w : pickers)
            if (!picker.isEmpty() && w->objectName() == picker)
                page << w;
    }
    for (const QList<QWidget *> &page : order)
        for (int i = 1; i < page.size(); ++i)
            QWidget::setTabOrder(page.at(i - 1), page.at(i));
}

bool BasicDataPages::loadCodeLists(QString *error)
{
    for (int s = 0; s < ClientCodeLists::sourceCount; ++s) {
        if (!m_codeLists[std::size_t(s)]->load(ClientCodeLists::selectSql(CodeListSource(s)), {}, error))
            return false;
    }
    for (CodePicker *p : m_pickers)
        p->setCodeList(p->codeList());
    return true;
}

const char *BasicDataPages::disabilityColumn(Person person)
{
    switch (person) {
    case Client: return "postih";
    case Mother: return "matpos";
    case Father: return "otepos";
    }
    return "postih";
}

void BasicDataPages::showRow(const ClientRow &row)
{
    for (const BasicDataField &def : F::all()) {
        if (def.column)
            field(def.index)->loadText(F::textOf(def.index, row.values.value(QString::fromLatin1(def.column))));
        else
            field(def.index)->loadText(QString());
    }

    // Whether the parents are the client's own; a missing value shows "not own".
    const bool ownMother = row.values.value(QStringLiteral("matvla")).toInt() != 0;
    const bool ownFather = row.values.value(QStringLiteral("otevla")).toInt() != 0;
    option(ownMother ? 0 : 1)->setChecked(true);
    option(ownFather ? 2 : 3)->setChecked(true);

    // The representative's buttons always follow the row, so that nothing of
    // a client shown before remains.
    const QString relation = row.values.value(QStringLiteral("kon_pomer")).toString();
    int chosen = -1;
    if (relation == QLatin1String("matka"))
        chosen = 4;
    else if (relation == QLatin1String("otec"))
        chosen = 5;
    else if (!relation.trimmed().isEmpty())
        chosen = 6;
    for (int i = 4; i <= 6; ++i) {
        QRadioButton *b = option(i);
        b->setAutoExclusive(false);
        b->setChecked(i == chosen);
        b->setAutoExclusive(true);
    }

    for (int p = 0; p < personCount; ++p) {
        DisabilityEntry *entry = m_disability[std::size_t(p)]->entry();
        const QVariant stored = row.values.value(QString::fromLatin1(disabilityColumn(Person(p))));
        entry->showDisabilityState(stored);
        entry->loadDisabilityCodes(stored);
    }
}

void BasicDataPages::storeInto(ClientRow &row) const
{
    for (const BasicDataField &def : F::all())
        if (def.column)
            row.values.insert(QString::fromLatin1(def.column), F::valueOf(def.index, field(def.index)->text()));
    row.values.insert(QStringLiteral("matvla"), option(0)->isChecked() ? 1 : 0);
    row.values.insert(QStringLiteral("otevla"), option(2)->isChecked() ? 1 : 0);
    for (int p = 0; p < personCount; ++p)
        row.values.insert(QString::fromLatin1(disabilityColumn(Person(p))),
                          m_disability[std::size_t(p)]->entry()->codeString());
}

} // namespace ulk
