#pragma once
#include <QDate>

// Today's date for the program; tests may pin it.
namespace ulk::Clock {

QDate today();
// Test seam: a fixed today; an invalid date returns to the real one.
void setToday(const QDate &date);

} // namespace ulk::Clock
