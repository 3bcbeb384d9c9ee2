#include "support/ui/CaptionFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>

namespace ulk::test {

namespace {

QString plain(QString text) { return text.remove(QLatin1Char('&')); }

// The room a button gives its caption.
int captionRoom(QAbstractButton *b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    if (qobject_cast<QRadioButton *>(b))
        return b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b).width();
    if (qobject_cast<QCheckBox *>(b))
        return b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b).width();
    if (qobject_cast<QPushButton *>(b))
        return b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width();
    return b->contentsRect().width() - 4;
}

QString name(const QWidget *w, const QString &text)
{
    return QStringLiteral("%1 %2 \"%3\"").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text);
}

} // namespace

QStringList clippedCaptions(QWidget *window)
{
    QStringList clipped;
    // The window manager's frame takes its share of the screen: the borders
    // of the width, the title bar and the borders of the height.
    if (window->frameGeometry().width() > 1024 - 10 || window->frameGeometry().height() > 768 - 32)
        clipped << QStringLiteral("window %1 of %2×%3 larger than a 1024×768 screen")
                       .arg(window->objectName())
                       .arg(window->frameGeometry().width())
                       .arg(window->frameGeometry().height());
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w->isWindow())
            continue;
        QWidget *parent = w->parentWidget();
        if (!parent->rect().contains(w->geometry()) && !qobject_cast<QTabBar *>(w)
            && (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w)))
            clipped << name(w, QStringLiteral("out of its parent"));
        const QFontMetrics fm = w->fontMetrics();
        if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            const QString text = plain(b->text());
            if (!text.isEmpty() && fm.horizontalAdvance(text) > captionRoom(b))
                clipped << name(w, text);
        } else if (auto *l = qobject_cast<QLabel *>(w)) {
            const QString text = plain(l->text());
            if (l->wordWrap() || l->textFormat() == Qt::RichText || text.isEmpty())
                continue;
            int widest = 0;
            for (const QString &line : text.split(QLatin1Char('\n')))
                widest = qMax(widest, fm.horizontalAdvance(line));
            if (widest > l->contentsRect().width() - 2 * l->margin()
                || fm.height() * int(text.count(QLatin1Char('\n')) + 1) > l->contentsRect().height())
                clipped << name(w, text);
        } else if (auto *bar = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < bar->count(); ++i)
                if (!bar->rect().contains(bar->tabRect(i))
                    || fm.horizontalAdvance(plain(bar->tabText(i))) > bar->tabRect(i).width())
                    clipped << name(w, bar->tabText(i));
        }
    }
    return clipped;
}

} // namespace ulk::test
