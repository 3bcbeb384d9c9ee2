#pragma once
#include "common/LongWork.h"

#include <QElapsedTimer>
#include <memory>

namespace ulk {

class WaitPanel;

// The program's waiting window: a long action that brings no window of its
// own shows here, once it has lasted half a second, what the program does
// and how far. It is modal over every window of the program; only "Zrušiť"
// (and Esc for it) ends it early, for a work that can stop; otherwise it goes
// by itself when the work ends.
class WaitingWindow : public WaitView {
public:
    WaitingWindow();
    ~WaitingWindow() override;

    // How long an action runs before the window shows.
    void setDelay(int ms) { m_delay = ms; }

    void begin(WorkProgress &progress) override;
    void update(WorkProgress &progress) override;
    void end() override;
    bool takesInput() const override;

private:
    class Window;
    std::unique_ptr<Window> m_window;
    QElapsedTimer m_since;
    int m_delay = 500;
};

} // namespace ulk
