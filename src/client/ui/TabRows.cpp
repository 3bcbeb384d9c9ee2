#include "client/ui/TabRows.h"

#include "client/ui/TabCaption.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ulk {

TabRows::TabRows(QTabWidget *tabs, int perRow, QWidget *parent) : QWidget(parent), m_tabs(tabs)
{
    setObjectName(tabs->objectName() + QStringLiteral("Captions"));
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    auto *group = new QButtonGroup(this);
    QHBoxLayout *row = nullptr;
    for (int i = 0; i < tabs->count(); ++i) {
        if (i % perRow == 0) {
            row = new QHBoxLayout;
            row->setSpacing(0);
            rows->addLayout(row);
        }
        auto *b = new TabCaption(i, tabs->count(), tabs->tabText(i), this);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setEnabled(tabs->isTabEnabled(i));
        group->addButton(b, i);
        row->addWidget(b);
        m_buttons << b;
        // The tab widget enables and disables the page with its tab.
        tabs->widget(i)->installEventFilter(this);
    }
    tabs->tabBar()->hide();
    // A caption checked in any way (a click, the keyboard, an assistive
    // tool's press) brings its page to the front.
    connect(group, &QButtonGroup::idToggled, tabs, [tabs](int id, bool checked) {
        if (checked)
            tabs->setCurrentIndex(id);
    });
    connect(tabs, &QTabWidget::currentChanged, this, &TabRows::showCurrent);
    showCurrent(tabs->currentIndex());
}

void TabRows::showCurrent(int index)
{
    if (QAbstractButton *b = m_buttons.value(index))
        b->setChecked(true);
}

void TabRows::keyPressEvent(QKeyEvent *event)
{
    const bool pageKey = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (pageKey && (event->modifiers() & Qt::ControlModifier))
        QCoreApplication::sendEvent(m_tabs, event);
    else
        QWidget::keyPressEvent(event);
}

bool TabRows::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        for (int i = 0; i < m_buttons.size(); ++i)
            if (m_tabs->widget(i) == watched)
                m_buttons.at(i)->setEnabled(m_tabs->isTabEnabled(i));
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ulk
