#pragma once
#include "statement/DopUkazRecord.h"
#include "statement/ui/StatementWindow.h"

#include <array>

class QLabel;
class QPushButton;

// frmDoUkaz: section IV of the statement, the supplementary indicators. The
// user types the five counts of the one dop_ukaz row; leaving box 4 (the
// check sum of row 0416) tests it against the sum of the four others.
namespace ulk {

class DoUkazWindow : public StatementWindow {
    Q_OBJECT
public:
    explicit DoUkazWindow(const QString &programDirectory, QWidget *parent = nullptr);

    static QString caption() { return QStringLiteral("IV. Doplňujúce ukazovatele"); }
    static QString checkSumMessage() { return QStringLiteral("Nesedí kontrolný súčet !"); }

    int refocusIndex() const { return m_refocusIndex; }

public slots:
    // Esc and the close box act as "Storno".
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void validateBox(StatementBox *box, QWidget *receiver) override;
    StatementBox *refocusTarget(StatementBox *box) override;

private:
    void build();
    void load();
    void store();
    void storno();
    DopUkazRecord::Values typedValues() const;

    DopUkazRecord m_record;
    int m_refocusIndex = -1;
    std::array<StatementBox *, DopUkazRecord::count> m_boxes{};
    QLabel *m_heading = nullptr;
    QPushButton *m_zap = nullptr;
    QPushButton *m_storno = nullptr;
};

} // namespace ulk
