#pragma once
#include <QString>

// A parent's age at the client's birth, from the client's birth date (as the
// birth-date field shows it) and the parent's year of birth (as typed).
namespace ulk {

struct ParentAge {
    enum Kind {
        NotComputed, // no valid birth date, or no year typed (empty or 0): nothing to say
        Computed,    // age holds the parent's age in whole years
        Illogical    // the year is not four digits, or gives no age from 1 to 99
    };
    Kind kind = NotComputed;
    int age = 0;

    static constexpr int oldestAge = 99;

    static ParentAge of(const QString &clientBirthDate, const QString &parentYear);
};

} // namespace ulk
