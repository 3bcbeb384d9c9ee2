#include "statement/ui/OdbStarWindow.h"

#include "common/FailureText.h"
#include "common/Prompter.h"
#include "common/ui/ScreenFit.h"
#include "data/Database.h"
#include "statement/OdbStarChecks.h"
#include "statement/ui/StatementBox.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace ulk {

namespace {

constexpr int px(int twips) { return twips / 15; }

// The grid, in twips inside the frame.
constexpr int kGridLeft = 4680;
constexpr int kColumnPitch = 840;
constexpr int kGridTop = 1600;
constexpr int kRowPitch = 320; // 28 rows within a 768 pixels high screen
constexpr int kBoxWidth = 615;
constexpr int kBoxHeight = 285;

constexpr int columnLeft(int column) { return kGridLeft + kColumnPitch * (column - 1); }
constexpr int rowTop(int row) { return kGridTop + kRowPitch * row; }

QLabel *label(QWidget *parent, const QString &name, const QString &text, int left, int top, int width,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(px(left), px(top), px(width), px(240));
    l->setAlignment(alignment);
    return l;
}

void rule(QWidget *parent, Qt::Orientation orientation, int left, int top, int length)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(orientation == Qt::Horizontal ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Plain);
    if (orientation == Qt::Horizontal)
        line->setGeometry(px(left), px(top), px(length), 1);
    else
        line->setGeometry(px(left), px(top), 1, px(length));
}

} // namespace

OdbStarWindow::OdbStarWindow(const QString &programDirectory, QWidget *parent)
    : StatementWindow(parent), m_store(Database::connection())
{
    Q_UNUSED(programDirectory);
    setObjectName(QStringLiteral("frmOdbStar"));
    setWindowTitle(QStringLiteral("Form1"));
    // Wide enough for the grid and its buttons, tall enough for all 28 rows.
    setFixedSize(px(14700), px(10800));
    m_refocusRow.fill(-1);
    build();
    ScreenFit::fitFixed(this);
    load();
}

StatementBox *OdbStarWindow::box(int column, int row) const
{
    return m_txt[std::size_t(column - 1)][std::size_t(row)];
}

void OdbStarWindow::build()
{
    auto *frame = new QGroupBox(frameCaption(), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(px(360), 0, px(12975), px(10700));
    // A narrow type of 8 points, so that the longest line names fit.
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPointSizeF(8);
    frame->setFont(small);
    buildHeadings(frame);

    const int gridRight = columnLeft(OdbStarRowTable::columns) + kBoxWidth + 120;
    for (int i = 0; i < OdbStarRowTable::rows; ++i) {
        const int top = rowTop(i);
        const bool head = OdbStarRowTable::isHeadLine(i);
        label(frame, QStringLiteral("lblNazov%1").arg(i), OdbStarRowTable::windowLabel(i), head ? 120 : 840, top + 20,
              4080 - (head ? 120 : 840) - 60);
        label(frame, QStringLiteral("lblKod%1").arg(i), OdbStarRowTable::code(i), 4080, top + 20, 555);
        rule(frame, Qt::Horizontal, 120, top + kRowPitch - 40, gridRight - 120);
        for (int n = 1; n <= OdbStarRowTable::columns; ++n) {
            auto *b = new StatementBox(n, i, frame);
            b->setObjectName(QStringLiteral("txt%1_%2").arg(n).arg(i));
            b->setAccessibleName(QStringLiteral("Riadok %1, stĺpec %2").arg(OdbStarRowTable::code(i)).arg(n));
            b->setAccessibleDescription(OdbStarRowTable::windowLabel(i));
            b->setGeometry(px(columnLeft(n)), px(top), px(kBoxWidth), px(kBoxHeight));
            addBox(b);
            m_txt[std::size_t(n - 1)][std::size_t(i)] = b;
        }
    }
    // The ambulant and the field columns, and the codes, are ruled off.
    for (int left : {4020, columnLeft(1) - 112, columnLeft(6) - 112, gridRight})
        rule(frame, Qt::Vertical, left, 240, rowTop(OdbStarRowTable::rows) - 240);

    m_ok = addButton("cmdOk", QStringLiteral("Zápis"), [this] { save(); });
    m_cancel = addButton("cmdZrusit", QStringLiteral("Storno"), [this] { finish(QDialog::Rejected); });
    m_ok->setGeometry(px(13440), px(9240), px(1215), px(375));
    m_cancel->setGeometry(px(13440), px(9720), px(1215), px(375));

    // Row by row, column 1 to 10 within a row, then "Zápis" and "Storno".
    QWidget *previous = nullptr;
    for (int i = 0; i < OdbStarRowTable::rows; ++i)
        for (int n = 1; n <= OdbStarRowTable::columns; ++n) {
            if (previous)
                setTabOrder(previous, box(n, i));
            previous = box(n, i);
        }
    setTabOrder(previous, m_ok);
    setTabOrder(m_ok, m_cancel);
}

void OdbStarWindow::buildHeadings(QWidget *frame)
{
    const Qt::Alignment centre = Qt::AlignCenter;
    auto over = [](int first, int last) { return std::pair{columnLeft(first), columnLeft(last) + kBoxWidth - columnLeft(first)}; };
    for (int group = 0; group < 2; ++group) {
        const int base = group * 5; // column 1 or 6 is the group's total
        const auto [allLeft, allWidth] = over(base + 1, base + 5);
        label(frame, QStringLiteral("lblSkupina%1").arg(group),
              group == 0 ? QStringLiteral("Počet aktivít ambulantných") : QStringLiteral("Počet aktivít terénnych (mobilných)"),
              allLeft, 240, allWidth, centre);
        const auto [indLeft, indWidth] = over(base + 2, base + 3);
        label(frame, QStringLiteral("lblIndividualne%1").arg(group), QStringLiteral("individuálne"), indLeft, 600,
              indWidth, centre);
        const auto [grpLeft, grpWidth] = over(base + 4, base + 5);
        label(frame, QStringLiteral("lblSkupinove%1").arg(group), QStringLiteral("skupinové"), grpLeft, 600, grpWidth,
              centre);
        label(frame, QStringLiteral("lblSpolu%1").arg(group), QStringLiteral("spolu"), columnLeft(base + 1) - 60, 840,
              kBoxWidth + 120, centre);
        for (int n = base + 2; n <= base + 5; ++n)
            label(frame, QStringLiteral("lblDruh%1").arg(n),
                  (n - base) % 2 == 0 ? QStringLiteral("jednoraz.") : QStringLiteral("opakuj."), columnLeft(n) - 100, 960,
                  kBoxWidth + 200, centre);
    }
    for (int n = 1; n <= OdbStarRowTable::columns; ++n)
        label(frame, QStringLiteral("lblStlpec%1").arg(n), QString::number(n), columnLeft(n), 1320, kBoxWidth, centre);
    rule(frame, Qt::Horizontal, 120, kGridTop - 60, columnLeft(OdbStarRowTable::columns) + kBoxWidth);
}

void OdbStarWindow::load()
{
    QString error;
    const QString errorTitle = QStringLiteral("Chybová správa");
    if (!m_store.load(&error)) {
        tell(failureMessage(QStringLiteral("Údaje oddielu V nie je možné načítať."), error), errorTitle,
             PromptIcon::Exclamation);
        refuse();
        return;
    }
    switch (m_store.state()) {
    case OdbStarStore::State::Unusable:
        // Nothing is matched or written: the table stays for whoever repairs it.
        tell(QStringLiteral("Tabuľka odbstar obsahuje %1 riadkov, oddiel V ich má 28 v poradí riadkov výkazu. "
                            "Údaje nie je možné upravovať, v tabuľke zostali bez zmeny.")
                 .arg(m_store.rowCount()),
             errorTitle, PromptIcon::Exclamation);
        refuse();
        return;
    case OdbStarStore::State::Partial:
        tell(QStringLiteral("Tabuľka odbstar obsahuje len prvých %1 z 28 riadkov oddielu V; chýbajúce riadky sa "
                            "doplnia pri zápise.")
                 .arg(m_store.rowCount()),
             QStringLiteral("Upozornenie"), PromptIcon::Exclamation);
        break;
    case OdbStarStore::State::Empty:
    case OdbStarStore::State::Filled:
        break;
    }
    if (m_store.missingCounts() > 0)
        tell(QStringLiteral("Niektoré počty v tabuľke odbstar chýbajú (spolu %1); zobrazujú sa ako 0 a pri zápise "
                            "sa uložia ako prázdne.")
                 .arg(m_store.missingCounts()),
             QStringLiteral("Upozornenie"), PromptIcon::Exclamation);
    m_tableFilled = m_store.state() != OdbStarStore::State::Empty;
    const OdbStarGrid &texts = m_store.texts();
    for (int i = 0; i < OdbStarRowTable::rows; ++i)
        for (int n = 1; n <= OdbStarRowTable::columns; ++n)
            box(n, i)->setText(texts[std::size_t(i)][std::size_t(n - 1)]);
}

void OdbStarWindow::showEvent(QShowEvent *event)
{
    StatementWindow::showEvent(event);
    box(1, 0)->setFocus(Qt::OtherFocusReason);
}

void OdbStarWindow::keyPressEvent(QKeyEvent *event)
{
    // The window has no cancel button: Esc does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    StatementWindow::keyPressEvent(event);
}

OdbStarGrid OdbStarWindow::grid() const
{
    OdbStarGrid g;
    for (int i = 0; i < OdbStarRowTable::rows; ++i)
        for (int n = 1; n <= OdbStarRowTable::columns; ++n)
            g[std::size_t(i)][std::size_t(n - 1)] = box(n, i)->text();
    return g;
}

void OdbStarWindow::validateBox(StatementBox *left, QWidget *)
{
    const int n = left->column();
    m_refocusRow[std::size_t(n)] = -1;
    if (n == 5 || n == 10)
        m_refocusRow[std::size_t(n - 4)] = -1;
    for (const OdbStarChecks::Mismatch &m : OdbStarChecks::mismatches(grid(), n, left->index())) {
        if (!confirm(m.message))
            continue;
        m_refocusRow[std::size_t(m.column)] = m.row;
        if (m.endsValidation)
            break;
    }
}

StatementBox *OdbStarWindow::refocusTarget(StatementBox *left)
{
    const int n = left->column();
    StatementBox *target = nullptr;
    if (refocusRow(n) >= 0)
        target = box(n, refocusRow(n));
    if ((n == 5 || n == 10) && refocusRow(n - 4) >= 0)
        target = box(n - 4, refocusRow(n - 4));
    return target;
}

void OdbStarWindow::save()
{
    QString error;
    if (!m_store.save(grid(), &error)) {
        // Nothing was written; the window stays open with the grid as typed.
        tell(failureMessage(QStringLiteral("Údaje oddielu V sa nepodarilo zapísať, tabuľka odbstar zostala bez zmeny."),
                            error),
             QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
        return;
    }
    finish(QDialog::Accepted);
}

void OdbStarWindow::reject() { finish(QDialog::Rejected); }

} // namespace ulk
