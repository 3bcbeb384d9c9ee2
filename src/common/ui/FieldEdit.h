#pragma once
#include <QLineEdit>

// A single-line field of a record or statement window. Besides its text it
// carries what the field checks need:
// - the data-changed flag: set by every change of the text, whether the user
//   types it or the program writes it with setText() (a picker's copy, a
//   value derived by a check); cleared when a row is loaded with loadText();
// - the tag, "BK" once a move key has validated the field;
// - its index in the window's array of fields.
namespace ulk {

class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(QWidget *parent = nullptr);

    bool dataChanged() const { return m_dataChanged; }

    // Puts a value read from the database into the field: the text changes,
    // the data-changed flag is cleared and loaded() is emitted.
    void loadText(const QString &text);

    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }

signals:
    // A row was loaded into the field (loadText).
    void loaded();

private:
    bool m_dataChanged = false;
    bool m_loading = false;
    QString m_tag;
    int m_index = -1;
};

} // namespace ulk
