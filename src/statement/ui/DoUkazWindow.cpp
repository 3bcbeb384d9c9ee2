#include "statement/ui/DoUkazWindow.h"

#include "common/FailureText.h"
#include "common/Prompter.h"
#include "common/SharedState.h"
#include "data/Database.h"
#include "statement/ui/StatementBox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace ulk {

namespace {

constexpr int px(int twips) { return twips / 15; }

// The five boxes with their row codes and captions; a group caption stands
// left of the first of its two rows.
struct BoxRow {
    const char *group;
    const char *label;
};
const BoxRow kRows[DopUkazRecord::count] = {
    {"Počet miestností ", "spolu"},
    {nullptr, "nevyhovujúce"},
    {"Diagnostické pobyty", "počet detí"},
    {nullptr, "počet hodín"},
    {"Kontrolný súčet (0401 až 0404) ", nullptr},
};

// A box by its row's captions and code, for assistive tools.
QString boxName(int i)
{
    const char *group = kRows[i].group ? kRows[i].group : kRows[i - 1].group;
    QString name = QString::fromUtf8(group).trimmed();
    if (kRows[i].label)
        name += QLatin1Char(' ') + QString::fromUtf8(kRows[i].label);
    return QStringLiteral("%1, riadok %2").arg(name, DopUkazRecord::rowCode(i));
}

constexpr int kBoxTop[DopUkazRecord::count] = {720, 1200, 1680, 2160, 2640};
constexpr int kBoxLeft = 7440;
constexpr int kCodeLeft = 6480;
constexpr int kLabelLeft = 3600;
constexpr int kGroupLeft = 240;
constexpr int kRowHeight = 480;

QLabel *label(QWidget *parent, const QString &name, const QString &text, int left, int top, int width)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(px(left), px(top), px(width), px(315));
    return l;
}

QFrame *rule(QWidget *parent, int left, int top, int width)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setGeometry(px(left), px(top), px(width), 1);
    return line;
}

} // namespace

DoUkazWindow::DoUkazWindow(const QString &programDirectory, QWidget *parent)
    : StatementWindow(parent), m_record(Database::connection())
{
    Q_UNUSED(programDirectory);
    setObjectName(QStringLiteral("frmDoUkaz"));
    setWindowTitle(caption());
    setFixedSize(px(10725), px(6555));
    build();
    load();
}

void DoUkazWindow::build()
{
    m_heading = new QLabel(QStringLiteral("Zápis/oprava údajov"), this);
    m_heading->setObjectName(QStringLiteral("Label3"));
    m_heading->setGeometry(px(360), px(120), px(10000), px(375));
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    m_heading->setFont(headingFont);
    m_heading->setAlignment(Qt::AlignCenter);
    QPalette hp = m_heading->palette();
    hp.setColor(QPalette::Window, background());
    m_heading->setPalette(hp);
    m_heading->setAutoFillBackground(true);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(px(360), px(600), px(10000), px(3360));

    for (int i = 0; i < DopUkazRecord::count; ++i) {
        const BoxRow &row = kRows[i];
        const int top = kBoxTop[i];
        if (row.group)
            label(frame, QStringLiteral("lblSkupina%1").arg(i), QString::fromUtf8(row.group), kGroupLeft, top + 30,
                  kLabelLeft - kGroupLeft);
        if (row.label)
            label(frame, QStringLiteral("lblRiadok%1").arg(i), QString::fromUtf8(row.label), kLabelLeft, top + 30,
                  kCodeLeft - kLabelLeft);
        label(frame, QStringLiteral("lblKod%1").arg(i), DopUkazRecord::rowCode(i), kCodeLeft, top + 30, 855);
        auto *box = new StatementBox(0, i, frame);
        box->setObjectName(QStringLiteral("TextPsych%1").arg(i));
        box->setAccessibleName(boxName(i));
        box->setGeometry(px(kBoxLeft), px(top), px(855), px(315));
        connect(box, &StatementBox::entered, this, [this] { m_refocusIndex = -1; });
        addBox(box);
        m_boxes[std::size_t(i)] = box;
        // The rows are ruled; a group's two rows share its caption.
        const bool groupContinues = i + 1 < DopUkazRecord::count && !kRows[i + 1].group;
        rule(frame, groupContinues ? kLabelLeft : kGroupLeft, top + kRowHeight - 60,
             kBoxLeft + 855 + 240 - (groupContinues ? kLabelLeft : kGroupLeft));
    }

    m_zap = addButton("cmdZap", QStringLiteral("Zápis"), [this] { store(); });
    m_storno = addButton("cmdStorno", QStringLiteral("Storno"), [this] { storno(); });
    m_zap->setGeometry(px(3720), px(4200), px(1215), px(375));
    m_storno->setGeometry(px(5160), px(4200), px(1215), px(375));

    // cmdZap, cmdStorno, the boxes 0 to 4, and round to cmdZap again.
    setTabOrder(m_zap, m_storno);
    setTabOrder(m_storno, m_boxes[0]);
    for (int i = 0; i + 1 < DopUkazRecord::count; ++i)
        setTabOrder(m_boxes[std::size_t(i)], m_boxes[std::size_t(i + 1)]);
    setTabOrder(m_boxes[4], m_zap);
}

void DoUkazWindow::load()
{
    QString error;
    if (!m_record.load(&error)) {
        tell(failureMessage(QStringLiteral("Údaje oddielu IV nie je možné načítať."), error),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        refuse();
        return;
    }
    // An empty table gives a new record; otherwise the first row is edited.
    for (int i = 0; i < DopUkazRecord::count; ++i)
        m_boxes[std::size_t(i)]->setText(m_record.values()[std::size_t(i)]);
}

void DoUkazWindow::showEvent(QShowEvent *event)
{
    StatementWindow::showEvent(event);
    m_boxes[0]->setFocus(Qt::OtherFocusReason);
}

DopUkazRecord::Values DoUkazWindow::typedValues() const
{
    DopUkazRecord::Values v;
    for (int i = 0; i < DopUkazRecord::count; ++i)
        v[std::size_t(i)] = m_boxes[std::size_t(i)]->text();
    return v;
}

void DoUkazWindow::validateBox(StatementBox *box, QWidget *receiver)
{
    // Storno does not validate the box that is left.
    if (receiver == m_storno)
        return;
    m_refocusIndex = -1;
    if (box->index() == 4 && !DopUkazRecord::checkSumMatches(typedValues()) && confirm(checkSumMessage()))
        m_refocusIndex = 0;
}

StatementBox *DoUkazWindow::refocusTarget(StatementBox *)
{
    return m_refocusIndex >= 0 ? m_boxes[std::size_t(m_refocusIndex)] : nullptr;
}

void DoUkazWindow::store()
{
    QString error;
    if (!m_record.save(typedValues(), &error)) {
        // The window stays open: nothing typed is lost.
        tell(failureMessage(
                 QStringLiteral("Údaje oddielu IV sa nepodarilo zapísať, tabuľka dop_ukaz zostala bez zmeny."), error),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        return;
    }
    finish(QDialog::Accepted);
}

void DoUkazWindow::storno()
{
    if (finished())
        return;
    shared().recordMode = 0;
    finish(QDialog::Rejected);
}

void DoUkazWindow::reject() { storno(); }

} // namespace ulk
