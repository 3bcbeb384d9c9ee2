#pragma once
#include <QDate>

// Today's date for the program; tests may pin it.
namespace ulk::Clock {

QDate today();
void setToday(const QDate &date); // an invalid date returns to the real one

} // namespace ulk::Clock
