#include "common/ui/ListAccessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace ulk {

namespace {
class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || (t == QAccessible::Name && list()->accessibleName().isEmpty()))
            if (const QString line = list()->currentText(); !line.isEmpty())
                return line;
        return QAccessibleWidget::text(t);
    }
    // Its one child is the drop-down list.
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *listAccessible(const QString &, QObject *object)
{
    auto *list = qobject_cast<QComboBox *>(object);
    return list && !list->isEditable() ? new ListAccessible(list) : nullptr;
}
} // namespace

void installListAccessible() { QAccessible::installFactory(listAccessible); }

} // namespace ulk
