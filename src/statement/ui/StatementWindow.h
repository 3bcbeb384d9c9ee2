#pragma once
#include <QDialog>
#include <QList>
#include <QPointer>
#include <functional>

class QPushButton;

// What the two statement windows typed in by hand (sections IV and V) share:
// their number boxes, the checks that run when a box is left, and the focus
// that a check sends back into a box.
//
// A box that is left runs the window's checks for it (validateBox); a
// mismatch asks whether to fix it, and a Yes names a box to go back to
// (refocusTarget). The focus first arrives where the user sent it and then
// moves on to that box. A click on a button that left a box this way is
// taken back when the user chose to fix: the button does nothing and the
// focus goes to the box. After a No, the click goes on as clicked.
namespace ulk {

class StatementBox;

class StatementWindow : public QDialog {
    Q_OBJECT
public:
    static QColor background() { return {206, 206, 232}; }
    static QColor buttonColour() { return {157, 157, 206}; }

    // Shows the window modally, unless its data could not be opened (that
    // has been told already): then it returns Rejected at once.
    int exec() override;
    bool refused() const { return m_refused; }

protected:
    explicit StatementWindow(QWidget *parent);

    void addBox(StatementBox *box);
    QPushButton *addButton(const char *name, const QString &caption, std::function<void()> action);

    // The checks of a box being left for receiver.
    virtual void validateBox(StatementBox *box, QWidget *receiver) = 0;
    // The box to which the focus goes once the box has been left, or null.
    virtual StatementBox *refocusTarget(StatementBox *box) = 0;

    // confirmFix, counted: true when the user chose to fix.
    bool confirm(const QString &message);

    // Ends the window with a result; nothing reacts to focus changes any more.
    void finish(int result);
    bool finished() const { return m_finished; }
    // The window's data could not be opened: exec() will not show it.
    void refuse() { m_refused = true; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void boxLeft(StatementBox *box, QWidget *receiver, Qt::FocusReason reason);
    void buttonClicked(QPushButton *button);
    void returnFocus(StatementBox *target, QPushButton *pressed);
    QPushButton *buttonOf(QWidget *w) const;

    struct Button {
        QPushButton *button;
        std::function<void()> action;
    };
    QList<Button> m_buttons;
    bool m_finished = false;
    bool m_refused = false;
    bool m_returning = false;
    int m_questions = 0;
    quint64 m_clicks = 0;
    QPointer<QPushButton> m_dropClick;
};

} // namespace ulk
