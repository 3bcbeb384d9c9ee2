#pragma once
#include <QToolButton>

namespace ulk {

// The caption of one page of a tab widget, shown by TabRows as a button.
// Assistive tools meet it as a page tab of the rows' tab list: named by its
// caption, described by its place ("záložka 2 zo 14"), selected while its
// page is in front, and pressed by their press action as by a click.
class TabCaption : public QToolButton {
    Q_OBJECT
public:
    TabCaption(int index, int count, const QString &caption, QWidget *parent);
    int index() const { return m_index; }

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    int m_index;
};

} // namespace ulk
