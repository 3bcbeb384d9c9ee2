#pragma once
#include <QList>
#include <QWidget>

class QAbstractButton;
class QTabWidget;

namespace ulk {

// The captions of a tab widget's pages in rows of buttons, every caption
// whole and in sight at once (a tab bar scrolls what does not fit behind
// arrow buttons). The tab widget's own bar is hidden; a click on a caption,
// or an assistive tool's press, brings its page to the front, Ctrl+Tab still
// goes through the pages, and a page that cannot be opened shows, and
// reports to assistive tools, a disabled caption.
class TabRows : public QWidget {
    Q_OBJECT
public:
    // The captions stand in rows of `perRow`, the last row holding the rest.
    TabRows(QTabWidget *tabs, int perRow, QWidget *parent = nullptr);

    QAbstractButton *tab(int index) const { return m_buttons.value(index); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Ctrl+Tab on a caption goes through the pages, as on the tab widget.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showCurrent(int index);

    QTabWidget *m_tabs;
    QList<QAbstractButton *> m_buttons;
};

} // namespace ulk
