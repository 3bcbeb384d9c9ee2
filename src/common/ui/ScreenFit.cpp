#include "common/ui/ScreenFit.h"

#include <QApplication>
#include <QMainWindow>
#include <QMargins>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace ulk {

namespace {
// What a window manager's frame and title bar take around a window.
constexpr QSize kDecoration(8, 32);
// The least a window that scrolls may be made.
constexpr QSize kSmallest(240, 160);

QSize &roomGiven()
{
    static QSize room;
    return room;
}

bool fits(const QSize &size, const QSize &room) { return size.width() <= room.width() && size.height() <= room.height(); }
} // namespace

QSize ScreenFit::room(const QWidget *window)
{
    if (!roomGiven().isEmpty())
        return roomGiven();
    const QWidget *host = window->parentWidget() ? window->parentWidget()->window() : window;
    const QScreen *screen = host->screen();
    return screen ? screen->availableGeometry().size() - kDecoration : QSize();
}

void ScreenFit::setRoom(const QSize &room) { roomGiven() = room; }

QMargins ScreenFit::windowMargins(const QWidget *window)
{
    const QStyle *s = window->style();
    return {s->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, window),
            s->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, window),
            s->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, window),
            s->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, window)};
}

QScrollArea *ScreenFit::scrolling(QWidget *window, QWidget *body)
{
    auto *area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("screenFit"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    // The window's own background shows through.
    area->viewport()->setAutoFillBackground(false);
    area->setWidget(body);
    body->setAutoFillBackground(false);
    // The keyboard's way through the window brings each control into view.
    QObject::connect(qApp, &QApplication::focusChanged, area, [area](QWidget *, QWidget *now) {
        if (now && area->widget() && area->widget()->isAncestorOf(now))
            area->ensureWidgetVisible(now);
    });
    return area;
}

QScrollArea *ScreenFit::fitFixed(QWidget *window)
{
    const QSize full = window->maximumSize();
    const QSize room = ScreenFit::room(window);
    if (room.isEmpty() || fits(full, room))
        return nullptr;
    QScrollArea *area = nullptr;
    if (auto *main = qobject_cast<QMainWindow *>(window)) {
        const int menu = main->menuWidget() ? main->menuWidget()->sizeHint().height() : 0;
        QWidget *body = main->takeCentralWidget();
        body->setFixedSize(full.width(), full.height() - menu);
        area = scrolling(window, body);
        main->setCentralWidget(area);
    } else {
        // The controls placed by hand move, where they are, into the body.
        auto *body = new QWidget(window);
        body->setObjectName(QStringLiteral("body"));
        body->setFixedSize(full);
        for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (child != body && !child->isWindow()) {
                const QRect place = child->geometry();
                child->setParent(body);
                child->setGeometry(place);
            }
        area = scrolling(window, body);
        auto *layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(area);
    }
    // Room for the scroll bars, so that a bar in one direction brings none
    // in the other where the screen allows.
    const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
    const QSize withBars = full + QSize(full.height() > room.height() ? bar : 0, full.width() > room.width() ? bar : 0);
    window->setMinimumSize(kSmallest);
    window->setMaximumSize(withBars);
    window->resize(withBars.boundedTo(room));
    return area;
}

QScrollArea *ScreenFit::fitLaidOut(QWidget *window, QWidget *body)
{
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    const QSize size = window->size().expandedTo(body->minimumSizeHint());
    const QSize room = ScreenFit::room(window);
    if (room.isEmpty() || fits(size, room)) {
        layout->addWidget(body);
        return nullptr;
    }
    QScrollArea *area = scrolling(window, body);
    layout->addWidget(area);
    window->setMinimumSize(kSmallest);
    window->resize(size.boundedTo(room));
    return area;
}

} // namespace ulk
