#pragma once
#include "statement/OdbStarRowTable.h"
#include "statement/OdbStarStore.h"
#include "statement/ui/StatementWindow.h"

#include <array>

class QPushButton;

// frmOdbStar: section V of the statement, professional care. A grid of 28
// rows by 10 columns, the box arrays txt1 to txt10 (indexed by grid row),
// kept in the table odbstar. Leaving a box tests the cross sums that it
// completes (OdbStarChecks); "Zápis" saves the grid as typed.
namespace ulk {

class OdbStarWindow : public StatementWindow {
    Q_OBJECT
public:
    explicit OdbStarWindow(const QString &programDirectory, QWidget *parent = nullptr);

    static QString frameCaption() { return QStringLiteral("V. Klienti, ktorým bola poskytnutá odborná starostlivosť"); }

    // txtN(row): column 1 to 10, row 0 to 27.
    StatementBox *box(int column, int row) const;
    // The row the focus goes back to in a column after a check, or -1.
    int refocusRow(int column) const { return m_refocusRow[std::size_t(column)]; }
    bool tableFilled() const { return m_tableFilled; }

public slots:
    // The close box: nothing is written.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void validateBox(StatementBox *box, QWidget *receiver) override;
    StatementBox *refocusTarget(StatementBox *box) override;

private:
    void build();
    void buildHeadings(QWidget *frame);
    void load();
    void save();
    OdbStarGrid grid() const;

    OdbStarStore m_store;
    bool m_tableFilled = false;
    std::array<int, OdbStarRowTable::columns + 1> m_refocusRow{}; // by column 1..10
    std::array<std::array<StatementBox *, OdbStarRowTable::rows>, OdbStarRowTable::columns> m_txt{};
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace ulk
