#pragma once
#include <QColor>
#include <QFrame>
#include <array>

class QLabel;

namespace ulk {

class Tile;

// The main window's side bar: six tiles that light up under the mouse, keep
// the colour of the list chosen, and show the school year of the statements.
class SideBar : public QFrame {
    Q_OBJECT
public:
    explicit SideBar(QWidget *parent);

    QColor tileColour(int tile) const;
    int chosenTile() const { return m_chosenTile; }
    bool skipNextHover() const { return m_skipNextHover; }

    // The list tile `chosen` (1 clients, 2 employees) keeps the chosen colour.
    void choose(int chosen);
    // After a record window: the list tile `mode` shows the chosen colour again.
    void markChosenAgain(int mode);
    // Paints the chosen tile back in its resting colour.
    void restoreChosenColour();
    // At start: every tile rests in the normal colour, the bar gets its own.
    void prepare();
    // Back to the design state: no tile chosen, every tile in the design colour.
    void reset();

    // The keyboard starts at the first tile, "KLIENTI".
    void focusFirstTile();

    QString schoolYear() const;
    void setSchoolYear(const QString &year);

    static QColor normalColour() { return {255, 255, 217}; }
    static QColor hoverColour() { return {255, 255, 168}; }
    static QColor chosenColour() { return {185, 255, 185}; }

signals:
    void clientsChosen();
    void employeesChosen();
    void supplementaryChosen();
    void careChosen();
    void schoolYearChosen();
    void exitChosen();

private:
    void hoverTile(int k);
    void focusNeighbour(int tile, int step);

    int m_hoveredTile = 0;
    int m_chosenTile = 0;
    bool m_skipNextHover = false;
    std::array<QColor, 7> m_tileRest; // index 1..6
    std::array<Tile *, 7> m_tiles{};
    std::array<int, 6> m_order{}; // tile numbers from top to bottom
    QLabel *m_schoolYear = nullptr;
};

} // namespace ulk
