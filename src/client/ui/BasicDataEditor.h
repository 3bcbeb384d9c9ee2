#pragma once
#include "client/BasicDataFields.h"
#include "client/ui/FieldEditor.h"

#include <QPointer>
#include <array>

namespace ulk {

class FieldEdit;

// The keyboard protocol of the 57 basic-data fields:
// - a field that gets the focus is trimmed and its text selected (an age
//   field holding 0 shows empty);
// - number fields take digits, Enter and Backspace only, and refuse a paste
//   of anything else with "Zadávaj len číselné hodnoty !";
// - Enter and Down move to the next field, Up to the previous one, PgUp and
//   PgDn to the save button, each after the field's check has passed; the
//   field is then marked "BK";
// - a field left otherwise runs its check, unless the focus goes to the
//   Cancel button or to the field's own picker, or the field is marked "BK"
//   (the age fields are treated on every leave). A failed check on leaving
//   brings the focus back.
// The check of a field is one hook: check(index, onKeyDown).
class BasicDataEditor : public FieldEditor {
    Q_OBJECT
public:
    explicit BasicDataEditor(const std::array<FieldEdit *, BasicDataFields::count> &fields,
                             QObject *parent = nullptr);

    void setSaveButton(QWidget *button) { m_saveButton = button; }   // target of PgUp and PgDn
    void setCancelButton(QWidget *button) { m_cancelButton = button; } // leaving towards it checks nothing

    // Called by a check that sends the focus to another field: the handler
    // ends, and the focus goes there (at once on a move key, once the leave
    // has finished on leaving), the field's tab brought to the front.
    void sendFocusTo(int index);
    // Puts the focus into a field, bringing its tab to the front, without
    // treating the focus changes on the way as leaves of the user's.
    void focusQuietly(int index);

    FieldEdit *field(int index) const { return m_fields.at(std::size_t(index)); }
    // Index of a field, or -1.
    int indexOf(const QObject *object) const;

signals:
    // A field whose leave check failed is not on the tab in front: the
    // window brings its tab to the front before the focus comes back.
    void fieldHidden(int index);

protected:
    int boxIndex(const QObject *object) const override { return indexOf(object); }
    void gotFocus(int i, QFocusEvent *event) override;
    bool keyDown(int i, QKeyEvent *event) override;
    bool keyPress(int i, QKeyEvent *event) override;
    void lostFocus(int i, QFocusEvent *event) override;
    // The context menu and the middle button: a paste into a number field.
    bool otherEvent(int i, QEvent *event) override;

private:
    bool contextMenu(int i, QEvent *event);
    void guardedPaste(int i, const QString &text);
    CheckResult runCheck(int i, bool onKeyDown);
    static bool isAgeField(int i) { return i == 22 || i == 37; }

    std::array<FieldEdit *, BasicDataFields::count> m_fields;
    QPointer<QWidget> m_saveButton;
    QPointer<QWidget> m_cancelButton;
    bool m_handlerEnded = false;
    int m_redirect = -1;         // the field a check sent the focus to
};

} // namespace ulk
