#include "StallMeter.h"

#include <algorithm>

namespace bench {

StallMeter::StallMeter()
{
    m_timer.setInterval(20);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &StallMeter::tick);
}

void StallMeter::start()
{
    m_clock.start();
    m_last = 0;
    m_longest = 0;
    m_stopped = false;
    m_timer.start();
}

void StallMeter::tick()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_longest = std::max(m_longest, now - m_last);
    m_last = now;
}

double StallMeter::longest() const
{
    if (!m_clock.isValid())
        return -1;
    if (m_stopped)
        return m_longest / 1e6;
    return std::max(m_longest, m_clock.nsecsElapsed() - m_last) / 1e6;
}

void StallMeter::stop()
{
    if (m_stopped || !m_clock.isValid())
        return;
    m_longest = std::max(m_longest, m_clock.nsecsElapsed() - m_last);
    m_stopped = true;
    m_timer.stop();
}

} // namespace bench
