#include "app/ui/SideBar.h"

#include "app/ui/Tile.h"

#include <QLabel>

namespace ulk {

namespace {
constexpr int px(int twips) { return twips / 15; }
} // namespace

SideBar::SideBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame2"));
    setGeometry(px(360), px(360), px(2895), px(7575));
    setFrameShape(QFrame::Box);
    for (QColor &c : m_tileRest)
        c = normalColour();

    struct Spec {
        int number, top, height;
        const char *pictureTip;
    };
    const Spec specs[] = {
        {1, 240, 495, "Zobrazí zoznam klientov"},
        {2, 960, 495, "Zobrazí zoznam zamestnancov"},
        {3, 1680, 975, "Sprístupní editáciu údajov dopĺňajúcich ukazovateľov"},
        {5, 2880, 975, "Sprístupní editáciu údajov odbornej starostlivosti"},
        {6, 4080, 1095, "Nastaví školský rok pre tvorbu výkazov v tvare RR/RR+1 resp. RRRR/RRRR+1"},
        {4, 5520, 495, "Ukončí program"},
    };
    int place = 0;
    for (const Spec &s : specs) {
        // Created from top to bottom, so that Tab goes down the bar.
        m_order[std::size_t(place++)] = s.number;
        auto *t = new Tile(s.number, this);
        t->setGeometry(px(240), px(s.top), px(2415), px(s.height));
        t->setToolTip(QString::fromUtf8(s.pictureTip));
        m_tiles[s.number] = t;
        connect(t, &Tile::hovered, this, [this, n = s.number] { hoverTile(n); });
        connect(t, &Tile::stepRequested, this, [this, n = s.number](int step) { focusNeighbour(n, step); });
    }
    auto tip = [](QLabel *l, const QString &t) { l->setToolTip(t); };
    tip(m_tiles[1]->addLabel(QStringLiteral("Label1"), QStringLiteral("KLIENTI"), {720, 120, 975, 0}, 9.75),
        QStringLiteral("Zobrazí údaje klientov"));
    tip(m_tiles[2]->addLabel(QStringLiteral("Label2"), QStringLiteral("   ZAMESTNANCI"), {240, 120, 1815, 0}, 9.75),
        QStringLiteral("Zobrazí údaje zamestnancov"));
    const QString t3 = QStringLiteral("Sprístupní editáciu údajov dopĺňajúcich ukazovateľov");
    tip(m_tiles[3]->addLabel(QStringLiteral("Label3"), QStringLiteral("DOPĹŇAJÚCE"), {600, 120, 1335, 0}, 9), t3);
    tip(m_tiles[3]->addLabel(QStringLiteral("Label5"), QStringLiteral("UKAZOVATELE"), {600, 480, 1335, 0}, 9), t3);
    const QString t5 = QStringLiteral("Sprístupní editáciu údajov odbornej starostlivosti");
    tip(m_tiles[5]->addLabel(QStringLiteral("Label6"), QStringLiteral("ODBORNÁ"), {720, 120, 1095, 0}, 9), t5);
    tip(m_tiles[5]->addLabel(QStringLiteral("Label7"), QStringLiteral("STAROSTLIVOSŤ"), {480, 480, 1575, 0}, 9), t5);
    m_tiles[6]->addLabel(QStringLiteral("Label8"), QStringLiteral("ŠKOLSKÝ ROK"), {480, 120, 1335, 0}, 9,
                         Qt::AlignCenter);
    m_schoolYear = m_tiles[6]->addLabel(QStringLiteral("lblSkolskyRok"), QString(), {480, 600, 1335, 0}, 9.75,
                                        Qt::AlignCenter);
    {
        QPalette p = m_schoolYear->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 255));
        m_schoolYear->setPalette(p);
    }
    tip(m_tiles[4]->addLabel(QStringLiteral("Label4"), QStringLiteral("KONIEC"), {840, 120, 855, 0}, 9.75),
        QStringLiteral("Ukončí program"));

    // A click on a list tile's picture also swallows the hover that follows it.
    connect(m_tiles[1], &Tile::pictureClicked, this, [this] {
        emit clientsChosen();
        m_skipNextHover = true;
    });
    connect(m_tiles[1], &Tile::labelClicked, this, &SideBar::clientsChosen);
    connect(m_tiles[2], &Tile::pictureClicked, this, [this] {
        emit employeesChosen();
        m_skipNextHover = true;
    });
    connect(m_tiles[2], &Tile::labelClicked, this, &SideBar::employeesChosen);
    // Enter and Space act as a click on the tile's caption.
    connect(m_tiles[1], &Tile::keyActivated, this, &SideBar::clientsChosen);
    connect(m_tiles[2], &Tile::keyActivated, this, &SideBar::employeesChosen);
    for (auto sig : {&Tile::pictureClicked, &Tile::labelClicked, &Tile::keyActivated}) {
        connect(m_tiles[3], sig, this, &SideBar::supplementaryChosen);
        connect(m_tiles[5], sig, this, &SideBar::careChosen);
        connect(m_tiles[4], sig, this, &SideBar::exitChosen);
        connect(m_tiles[6], sig, this, &SideBar::schoolYearChosen);
    }
}

QColor SideBar::tileColour(int tile) const { return m_tiles.at(tile)->colour(); }

QString SideBar::schoolYear() const { return m_schoolYear->text(); }

void SideBar::setSchoolYear(const QString &year)
{
    m_schoolYear->setText(year);
    m_tiles[6]->captionsChanged();
}

void SideBar::focusFirstTile() { m_tiles[m_order.front()]->setFocus(Qt::OtherFocusReason); }

void SideBar::focusNeighbour(int tile, int step)
{
    // The arrow keys go round the bar.
    const int count = int(m_order.size());
    for (int i = 0; i < count; ++i)
        if (m_order[std::size_t(i)] == tile) {
            const int next = m_order[std::size_t((i + step + count) % count)];
            m_tiles[next]->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            return;
        }
}

void SideBar::hoverTile(int k)
{
    if (m_skipNextHover) {
        m_skipNextHover = false;
        return;
    }
    m_tiles[k]->paint(hoverColour());
    const int p = m_hoveredTile;
    if (p >= 1 && p <= 6 && p != k)
        m_tiles[p]->paint(m_tileRest[p]);
    m_hoveredTile = k;
}

void SideBar::restoreChosenColour()
{
    if (m_chosenTile >= 1 && m_chosenTile <= 5)
        m_tiles[m_chosenTile]->paint(m_tileRest[m_chosenTile]);
}

void SideBar::choose(int chosen)
{
    for (int k = 1; k <= 5; ++k)
        m_tileRest[k] = k == chosen ? chosenColour() : normalColour();
    restoreChosenColour();
    m_chosenTile = chosen;
}

void SideBar::markChosenAgain(int mode)
{
    m_tileRest[mode] = chosenColour();
    m_tileRest[mode == 1 ? 2 : 1] = normalColour();
    m_tileRest[3] = normalColour();
    restoreChosenColour();
}

void SideBar::prepare()
{
    for (QColor &c : m_tileRest)
        c = normalColour();
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(157, 157, 206));
    setPalette(p);
    setAutoFillBackground(true);
}

void SideBar::reset()
{
    m_chosenTile = 0;
    m_hoveredTile = 0;
    m_skipNextHover = false;
    // Tiles take back their design colour.
    const QColor design = palette().color(QPalette::ToolTipBase);
    for (int k = 1; k <= 6; ++k)
        m_tiles[k]->paint(design);
}

} // namespace ulk
