#pragma once
#include <functional>

class QWidget;

namespace ulk::test {

// Calls fn with the modal window of the named class once it is shown (fn runs
// inside the window's event loop). Use before the action that opens the window.
void whenModal(const char *className, std::function<void(QWidget *)> fn, int timeoutMs = 10000);

} // namespace ulk::test
