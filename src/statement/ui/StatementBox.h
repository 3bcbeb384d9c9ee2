#pragma once
#include <QColor>
#include <QLineEdit>

// A number box of the statement windows (sections IV and V). A box that
// gets the focus turns light cyan and has as many characters selected from
// its start as its trimmed text has; it takes back the window background
// colour of the system when it loses the focus. Enter and Down move to the
// next control in tab order as Tab does; the box takes only digits and
// Backspace (and Delete and the cursor keys) and drops anything else
// without a word, pasted text included.
namespace ulk {

class StatementBox : public QLineEdit {
    Q_OBJECT
public:
    // column: 1 to 10 in the section V grid, 0 in section IV; index: the
    // box's index in its array (the grid row in section V).
    StatementBox(int column, int index, QWidget *parent);

    int column() const { return m_column; }
    int index() const { return m_index; }

    // RGB(128, 255, 255), the colour value &HFFFF80.
    static QColor focusColour() { return {128, 255, 255}; }
    // The system's window background colour, which a box without the focus has.
    QColor restColour() const { return m_rest; }
    QColor background() const;

signals:
    // The box got the focus (any reason but a window or a drop-down passing over it).
    void entered(ulk::StatementBox *box);
    // The focus left the box for receiver (already the focus widget), by a
    // move of the user's or the program's; the box still has its focus
    // colour while this is handled.
    void left(ulk::StatementBox *box, QWidget *receiver, Qt::FocusReason reason);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintBackground(const QColor &colour);
    void selectTrimmedLength();

    int m_column;
    int m_index;
    QColor m_rest;
};

} // namespace ulk
