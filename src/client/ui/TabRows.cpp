#include "client/ui/TabRows.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace ulk {

TabRows::TabRows(QTabWidget *tabs, int firstRow, QWidget *parent) : QWidget(parent), m_tabs(tabs)
{
    setObjectName(tabs->objectName() + QStringLiteral("Captions"));
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    auto *group = new QButtonGroup(this);
    QHBoxLayout *row = nullptr;
    for (int i = 0; i < tabs->count(); ++i) {
        if (i == 0 || i == firstRow) {
            row = new QHBoxLayout;
            row->setSpacing(0);
            rows->addLayout(row);
        }
        auto *b = new QToolButton(this);
        b->setObjectName(QStringLiteral("tabCaption%1").arg(i));
        b->setText(tabs->tabText(i));
        b->setCheckable(true);
        b->setAccessibleDescription(QStringLiteral("záložka"));
        // A click takes the focus, as the tab control of old did: the field
        // left is checked on its way to the caption, and no field of the page
        // coming to the front is entered and left on the way.
        b->setFocusPolicy(Qt::ClickFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setEnabled(tabs->isTabEnabled(i));
        group->addButton(b, i);
        row->addWidget(b);
        m_buttons << b;
        // The tab widget enables and disables the page with its tab.
        tabs->widget(i)->installEventFilter(this);
    }
    tabs->tabBar()->hide();
    connect(group, &QButtonGroup::idClicked, tabs, &QTabWidget::setCurrentIndex);
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
