#include "common/Clock.h"

namespace ulk::Clock {

namespace {
QDate pinned;
}

QDate today() { return pinned.isValid() ? pinned : QDate::currentDate(); }

void setToday(const QDate &date) { pinned = date; }

} // namespace ulk::Clock
