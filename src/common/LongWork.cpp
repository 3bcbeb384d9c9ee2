#include "common/LongWork.h"

#include "common/FailureText.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <new>
#include <optional>
#include <system_error>

namespace ulk {

WorkProgress::WorkProgress(const QString &title, const QString &what, bool stoppable)
    : m_title(title), m_stoppable(stoppable), m_what(what)
{
}

void WorkProgress::say(const QString &what)
{
    const std::lock_guard lock(m_mutex);
    m_what = what;
}

QString WorkProgress::what() const
{
    const std::lock_guard lock(m_mutex);
    return m_what;
}

void WorkProgress::advance(qint64 done, qint64 total)
{
    m_total = total;
    m_done = done;
}

namespace LongWork {

namespace {
// Window thread only.
WaitView *g_view = nullptr;
Action *g_current = nullptr;

const QString &programTitle()
{
    static const QString title = QStringLiteral("Evidencia klientov ULK");
    return title;
}

void wakeWindowThread()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        if (QAbstractEventDispatcher *dispatcher = app->thread()->eventDispatcher())
            dispatcher->wakeUp();
}

// While the window thread waits, a window closed by the user through the
// window system is not closed (the action under way would lose its ground):
// the window system's close waits in its queue with the user's input, and a
// close sent at once is refused, unless the window of the action's own on
// screen takes the input; it then blocks the other windows itself.
class ClosesHeldBack : public QObject {
public:
    explicit ClosesHeldBack(Action &action) : m_action(action) { QCoreApplication::instance()->installEventFilter(this); }
    ~ClosesHeldBack() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Close || !event->spontaneous() || m_action.takesInput())
            return QObject::eventFilter(watched, event);
        event->ignore();
        return true;
    }

private:
    Action &m_action;
};

// Waits on the window thread until ended() is true, handling its events (the
// user's input held back unless the view takes it) and turning the view.
void waitWithEvents(const std::function<bool()> &ended)
{
    std::optional<Action> implicit;
    Action *action = Action::current();
    if (!action)
        action = &implicit.emplace(programTitle(), QStringLiteral("Program pracuje, čakajte, prosím …"));
    const ClosesHeldBack closes(*action);
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, [action] { action->update(); });
    tick.start();
    action->update();
    while (!ended()) {
        QEventLoop::ProcessEventsFlags flags = QEventLoop::WaitForMoreEvents;
        if (!action->takesInput())
            flags |= QEventLoop::ExcludeUserInputEvents;
        QCoreApplication::processEvents(flags);
    }
}

QString guarded(const std::function<QString()> &work)
{
    try {
        return work();
    } catch (const std::bad_alloc &) {
        return systemCause(ENOMEM);
    } catch (const std::exception &e) {
        qWarning("ulk: %s", e.what());
    } catch (...) {
        qWarning("ulk: work ended by an exception");
    }
    return QStringLiteral("práca programu skončila nečakanou chybou");
}
} // namespace

void setView(WaitView *view) { g_view = view; }

bool onWindowThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// ------------------------------------------------------------------ Action

Action::Action(const QString &title, const QString &what, WaitView *view, bool stoppable)
    : m_progress(title, what, stoppable), m_onWindowThread(onWindowThread())
{
    if (!m_onWindowThread)
        return;
    m_outer = g_current;
    if (m_outer) {
        m_progress.say(m_outer->progress().what());
        m_outer->progress().say(what);
    } else {
        m_view = view ? view : g_view;
        if (m_view)
            m_view->begin(m_progress);
    }
    g_current = this;
}

Action::~Action()
{
    if (!m_onWindowThread)
        return;
    g_current = m_outer;
    if (m_outer) {
        // The outer action says again what it said before.
        m_outer->progress().say(m_progress.what());
        return;
    }
    if (m_view)
        m_view->end();
    // The user's input held back meanwhile is handled at the next turn of
    // the event loop, with nothing else to wake it.
    wakeWindowThread();
}

Action *Action::current() { return onWindowThread() ? g_current : nullptr; }

void Action::update()
{
    if (m_outer)
        m_outer->update();
    else if (m_view)
        m_view->update(m_progress);
}

bool Action::takesInput() const { return m_outer ? m_outer->takesInput() : m_view && m_view->takesInput(); }

// ------------------------------------------------------------------ Thread

namespace {
// Negative: every thread starts (see setStartsLeft).
std::atomic<int> g_startsLeft{-1};
std::function<void()> g_gate;

// Whether a test has this start fail.
bool startRefused()
{
    int left = g_startsLeft.load();
    while (left > 0 && !g_startsLeft.compare_exchange_weak(left, left - 1)) {
    }
    return left == 0;
}
} // namespace

QString startFailure()
{
    return QStringLiteral("nedostatok pamäte alebo systémových prostriedkov: vlákno programu nie je možné spustiť");
}

void setStartsLeft(int starts) { g_startsLeft = starts; }

void setWorkGate(std::function<void()> gate) { g_gate = std::move(gate); }

struct Thread::State {
    std::atomic<bool> ended{false};
    QString failure;
};

Thread::Thread(std::function<QString()> work)
{
    // The system refuses a thread with EAGAIN when it has no memory or no
    // room for another one; making the thread's state may find no memory.
    try {
        if (startRefused())
            throw std::system_error(EAGAIN, std::generic_category(), "thread start refused for a test");
        m_state = std::make_shared<State>();
        m_thread = std::thread([state = m_state, work = std::move(work), gate = g_gate] {
            if (gate)
                gate();
            state->failure = guarded(work);
            state->ended = true;
            wakeWindowThread();
        });
        m_started = true;
    } catch (const std::system_error &e) {
        qWarning("ulk: a thread cannot start: %s", e.what());
    } catch (const std::bad_alloc &) {
        qWarning("ulk: a thread cannot start: no memory");
    }
    if (!m_started)
        m_failure = startFailure();
}

Thread::~Thread()
{
    if (m_thread.joinable())
        m_thread.join();
}

QString Thread::wait()
{
    if (!m_thread.joinable())
        return m_failure;
    if (onWindowThread())
        waitWithEvents([state = m_state] { return state->ended.load(); });
    m_thread.join();
    m_failure = m_state->failure;
    return m_failure;
}

void waitUntil(const std::function<bool()> &ended)
{
    if (onWindowThread())
        return waitWithEvents(ended);
    while (!ended())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

QString run(const QString &what, const std::function<QString(WorkProgress &)> &work)
{
    std::optional<Action> own;
    Action *action = Action::current();
    if (!action)
        action = &own.emplace(programTitle(), what);
    else if (!what.isEmpty())
        action->progress().say(what);
    WorkProgress &progress = action->progress();
    Thread thread([&] { return work(progress); });
    return thread.wait();
}

} // namespace LongWork
} // namespace ulk
