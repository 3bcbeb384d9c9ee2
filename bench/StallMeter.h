#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The longest stall of the window thread while an action runs, seen from
// outside the action: a timer on the window thread asks to tick every 20 ms,
// and the largest gap between two ticks (the start and the moment read
// counting as ticks) is the longest time the thread handled no events. An
// action that blocks the thread throughout stalls it for its whole time; one
// that works elsewhere and keeps handling events stalls it for its longest
// piece of work on the thread.
namespace bench {

class StallMeter : public QObject {
public:
    StallMeter();
    // Starts measuring anew.
    void start();
    // The longest gap so far in milliseconds, the one still open included
    // (until stop()).
    double longest() const;
    // Stops measuring: longest() keeps what it was at this moment.
    void stop();

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    bool m_stopped = false;
};

} // namespace bench
