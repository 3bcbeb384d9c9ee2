#pragma once
#include "common/LongWork.h"

#include <QElapsedTimer>
#include <memory>

namespace ulk {

// The program's waiting window: a long action that brings no window of its
// own shows here, once it has lasted half a second, what the program does
// and how far. It takes no input and has no title bar of the window system,
// so no button there that would do nothing: the user's clicks and keys wait
// in their order, and reach the program's windows once the action is over.
// It is modal over every window of the program and goes by itself when the
// work ends. A work the user can stop brings a window of its own, with
// "Zrušiť".
class WaitingWindow : public WaitView {
public:
    WaitingWindow();
    ~WaitingWindow() override;

    // How long an action runs before the window shows.
    void setDelay(int ms) { m_delay = ms; }

    void begin(WorkProgress &progress) override;
    void update(WorkProgress &progress) override;
    void end() override;
    bool takesInput() const override { return false; }

private:
    class Window;
    std::unique_ptr<Window> m_window;
    QElapsedTimer m_since;
    int m_delay = 500;
};

} // namespace ulk
