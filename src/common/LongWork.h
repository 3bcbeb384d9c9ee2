#pragma once
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Long work, the one way the program runs it off the window thread: the work
// runs on a thread started here, and a window thread that waits for it keeps
// handling its events (its windows repaint; the user's input waits until the
// action is over, except in a window of the action's own that takes it),
// while a window painted by the program's widgets says what is done and how
// far. A work that throws, or a thread that cannot be started, comes back as
// a failure told in Slovak; it never ends the program. Nothing else in the
// program starts a thread.
namespace ulk {

// What a long work shows while the program waits for it: what it does now
// and how far it got. Written by the work's threads, read by the window thread.
class WorkProgress {
public:
    WorkProgress(const QString &title, const QString &what, bool stoppable = false);

    void say(const QString &what);
    // done of total; a total of 0 is work of no known length.
    void advance(qint64 done, qint64 total);
    // "Zrušiť": a work that can stop asks stopRequested() and ends early.
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }
    bool stoppable() const { return m_stoppable; }

    QString title() const { return m_title; }
    QString what() const;
    qint64 done() const { return m_done; }
    qint64 total() const { return m_total; }

private:
    const QString m_title;
    const bool m_stoppable;
    mutable std::mutex m_mutex;
    QString m_what;
    std::atomic<qint64> m_done{0}, m_total{0};
    std::atomic<bool> m_stop{false};
};

// How a wait is shown on the window thread. begin() when a long action
// starts, update() some twenty times a second while the window thread waits
// (the view shows itself once the action has lasted long enough), end() when
// it is over. While takesInput() the user's input is handled: the view is then
// a modal window on screen since before the wait began (a window of the
// action's own, with "Zrušiť"), which blocks the others. Otherwise every
// click and key of the user waits in the window system's queue, in its
// order, and reaches the windows once the action is over, however long it
// took.
class WaitView {
public:
    virtual ~WaitView() = default;
    virtual void begin(WorkProgress &progress) = 0;
    virtual void update(WorkProgress &progress) = 0;
    virtual void end() = 0;
    virtual bool takesInput() const = 0;
};

namespace LongWork {

// The view of every wait that brings none of its own: the program's waiting
// window (none in tools and core tests: the wait is then simply not shown).
void setView(WaitView *view);

// Whether the calling thread is the window thread, where waits handle events.
bool onWindowThread();

// A long action of the window thread as the user sees it: from its start to
// its end every wait of the helper shows its title and progress in one view
// (the one given, or the program's waiting window). Actions nest: an inner
// one shows in the outer one's view. Off the window thread it shows nothing.
class Action {
public:
    Action(const QString &title, const QString &what, WaitView *view = nullptr, bool stoppable = false);
    ~Action();
    Action(const Action &) = delete;
    Action &operator=(const Action &) = delete;

    WorkProgress &progress() { return m_outer ? m_outer->progress() : m_progress; }

    // The innermost action of the window thread, or null.
    static Action *current();
    // One turn of the view (a wait calls it while it waits).
    void update();
    bool takesInput() const;

private:
    WorkProgress m_progress;
    WaitView *m_view = nullptr;
    Action *m_outer = nullptr;
    bool m_onWindowThread = false;
};

// A thread of its own running work; its failure (an empty text when it did
// its work) comes back from wait(). A thread that cannot start, or work that
// throws, is a failure in Slovak.
class Thread {
public:
    explicit Thread(std::function<QString()> work);
    ~Thread();
    Thread(const Thread &) = delete;
    Thread &operator=(const Thread &) = delete;

    // False when the system could not start the thread: its work never runs,
    // and wait() returns startFailure() at once.
    bool started() const { return m_started; }
    // Waits for the work's end: on the window thread with its events handled
    // and the current action shown (or one saying that the program works).
    QString wait();

private:
    struct State;
    std::shared_ptr<State> m_state;
    std::thread m_thread;
    bool m_started = false;
    QString m_failure;
};

// The cause told for a thread the system could not start (it has no memory
// or no room for another thread left).
QString startFailure();

// Test seam: the next `starts` threads start, and each one after fails to
// start as when the system has no room for another thread; a negative count
// lets every thread start again.
void setStartsLeft(int starts);

// Test seam: every work run on a thread first calls gate, which holds it as
// long as a test needs (a long wait without a large register); empty: none.
void setWorkGate(std::function<void()> gate);

// Runs work on a thread of its own and waits for it as Thread::wait() does;
// work is given the progress of the current action (which it may tell what
// it does now: what, when given, is said first). The work's failure.
QString run(const QString &what, const std::function<QString(WorkProgress &)> &work);

// Waits until ended() is true, as Thread::wait() does, for work that ends
// elsewhere (ended is asked after every event and some twenty times a second).
void waitUntil(const std::function<bool()> &ended);

} // namespace LongWork
} // namespace ulk
