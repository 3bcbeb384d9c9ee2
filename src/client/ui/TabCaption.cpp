#include "client/ui/TabCaption.h"

#include <QAccessibleWidget>

namespace ulk {

namespace {

// A caption as a page tab: selectable, selected while its page is in front.
class AccessibleTabCaption : public QAccessibleWidget {
public:
    explicit AccessibleTabCaption(TabCaption *caption) : QAccessibleWidget(caption, QAccessible::PageTab) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.selected = caption()->isChecked();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName != pressAction()) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        // As a click: the page comes to the front.
        if (caption()->isEnabled())
            caption()->click();
    }

private:
    TabCaption *caption() const { return static_cast<TabCaption *>(widget()); }
};

QAccessibleInterface *tabFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ulk::TabCaption"))
        return new AccessibleTabCaption(static_cast<TabCaption *>(object));
    if (className == QLatin1String("ulk::TabRows"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::PageTabList);
    return nullptr;
}

} // namespace

TabCaption::TabCaption(int index, int count, const QString &caption, QWidget *parent)
    : QToolButton(parent), m_index(index)
{
    // Assistive tools ask the factory for the captions and their rows.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&tabFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setObjectName(QStringLiteral("tabCaption%1").arg(index));
    setText(caption);
    setCheckable(true);
    // A click takes the focus, as the tab control of old did: the field
    // left is checked on its way to the caption, and no field of the page
    // coming to the front is entered and left on the way. Tab passes the
    // captions by: it goes round the fields and buttons of the page.
    setFocusPolicy(Qt::ClickFocus);
    setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    setAccessibleDescription(QStringLiteral("záložka %1 zo %2").arg(index + 1).arg(count));
    // A screen reader hears the page tab selected or left.
    connect(this, &QAbstractButton::toggled, this, [this] {
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    });
}

void TabCaption::focusInEvent(QFocusEvent *event)
{
    // A button of an exclusive group makes itself the group's Tab stop when
    // it takes the focus; a caption stays out of the Tab round.
    QToolButton::focusInEvent(event);
    setFocusPolicy(Qt::ClickFocus);
}

} // namespace ulk
