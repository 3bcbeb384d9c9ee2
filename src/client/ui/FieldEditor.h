#pragma once
#include "common/CheckResult.h"

#include <QObject>
#include <functional>

class QFocusEvent;
class QKeyEvent;
class QWidget;

namespace ulk {

class FieldEdit;

// What the keyboard protocols of the basic-data fields (BasicDataEditor) and
// of a sub-record tab's boxes (SubRecordEditor) have in common: the events of
// a watched box handed to the protocol's handlers, the move keys, the check
// hook, and the refusal of anything but digits in a number box.
class FieldEditor : public QObject {
    Q_OBJECT
public:
    using CheckHook = std::function<CheckResult(int index, bool onKeyDown)>;

    void setCheckHook(CheckHook hook) { m_check = std::move(hook); }

    static QString digitsOnlyMessage() { return QStringLiteral("Zadávaj len číselné hodnoty !"); }

protected:
    explicit FieldEditor(QObject *parent) : QObject(parent) {}

    bool eventFilter(QObject *watched, QEvent *event) override;

    // Index of a watched box, or -1.
    virtual int boxIndex(const QObject *object) const = 0;
    virtual void gotFocus(int i, QFocusEvent *event) = 0;
    // A move key: Enter, Down, Up, PgUp or PgDn.
    virtual bool keyDown(int i, QKeyEvent *event) = 0;
    // Any other key.
    virtual bool keyPress(int i, QKeyEvent *event) = 0;
    virtual void lostFocus(int i, QFocusEvent *event) = 0;
    // Any other event of a watched box.
    virtual bool otherEvent(int, QEvent *) { return false; }

    // A focus change that no control of the window caused: a message box or
    // a drop-down list opening or closing over the box.
    static bool isPassing(Qt::FocusReason reason);
    static bool onlyDigits(const QString &text);
    // A key that types something other than a digit into a number box.
    static bool typesNonDigit(const QKeyEvent *event);
    // Tells the user that the box takes digits only, and keeps the focus in it.
    static void refuseNonDigit(QWidget *box);
    // Trims the box's text and selects it; a value of 0 shows empty where
    // zeroShowsEmpty is set.
    static void selectTrimmed(FieldEdit *box, bool zeroShowsEmpty = false);

    // After a move key's check: a refused value keeps the focus in the box,
    // its text trimmed and selected (true); an accepted one marks the box
    // "BK" before the move, so that the leave the move causes checks nothing
    // again (false).
    static bool keptAfterMoveKey(FieldEdit *box, CheckResult result);

    CheckHook m_check;
    bool m_checking = false; // a check, or the return of the focus, is under way: its focus changes are not the user's
    int m_lastFocused = -1;  // the box that last got the focus
    int m_returningTo = -1;  // a box whose leave check failed gets the focus back
};

} // namespace ulk
