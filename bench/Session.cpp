#include "Session.h"

#include "StallMeter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace bench {

double since(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e6; }

// On an X server the server answers a round trip only after every request
// sent before it, the frame's included.
void paintedOnScreen(QWidget *window)
{
    window->repaint();
    QGuiApplication::sync();
}

double untilPainted(QWidget *window, const std::function<void()> &action, double *stall)
{
    StallMeter meter;
    QElapsedTimer t;
    t.start();
    meter.start();
    action();
    paintedOnScreen(window);
    meter.stop();
    if (stall)
        *stall = meter.longest();
    return since(t);
}

double untilModalPainted(const std::function<void()> &action, const std::function<void(QWidget *)> &after,
                         double *closeWait, double *stall)
{
    // The stall is measured until the window is shown and again from its
    // closing until the action has returned (what the action still does
    // then, as section I's age write); not while `after` works in it.
    StallMeter untilShown, afterClosed;
    QElapsedTimer t;
    double shown = -1, closed = -1;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || !w->windowHandle() || !w->windowHandle()->isExposed())
            return;
        poll.stop();
        paintedOnScreen(w);
        shown = since(t);
        untilShown.stop();
        if (after)
            after(w);
        closed = since(t);
        afterClosed.start();
        w->close();
    });
    t.start();
    untilShown.start();
    poll.start();
    action();
    poll.stop();
    untilShown.stop();
    afterClosed.stop();
    if (closeWait)
        *closeWait = closed >= 0 ? since(t) - closed : -1;
    if (stall)
        *stall = std::max(untilShown.longest(), afterClosed.longest());
    return shown;
}

namespace {
bool exposed(QWidget *w) { return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed(); }
} // namespace

double untilSettled(Session &s, const char *action, bool ends, double *stall)
{
    QWidget *main = s.window.get();
    const auto settled = [&] {
        const QWidgetList all = QApplication::topLevelWidgets();
        if (std::any_of(all.cbegin(), all.cend(), [&](QWidget *w) { return w != main && w->isVisible(); }))
            return false;
        return ends ? !main->isVisible() : exposed(main);
    };
    StallMeter meter;
    QElapsedTimer t;
    t.start();
    meter.start();
    s.action(action)->trigger();
    // Work that goes on after the action returned ends with its windows.
    while (!settled())
        QTest::qWait(1);
    if (!ends)
        paintedOnScreen(main);
    meter.stop();
    *stall = meter.longest();
    return since(t);
}

double Session::showClients(double *stall)
{
    return untilPainted(window.get(), [&] { QTest::mouseClick(clientsTile, Qt::LeftButton); }, stall);
}

void Session::startAgain()
{
    window->load();
    window->show();
    (void)QTest::qWaitForWindowExposed(window.get());
}

} // namespace bench
