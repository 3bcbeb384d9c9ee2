#pragma once
#include <QSqlDatabase>
#include <chrono>

// For as long as it lives, a wait of a Qt SQL connection for a lock that
// another program holds (a reader keeping a SELECT open blocks every commit)
// ends after its bound instead of the connection's usual wait: the work that
// cannot get its lock fails then and is told, and the window is not left
// without a word. The usual wait comes back when it goes.
namespace ulk {

class LockWaitBound {
public:
    // A quarter of a second: a failed print waits twice (its fill, then the
    // clearing of its work table), and past half a second a frozen window
    // needs a word.
    static constexpr std::chrono::milliseconds kBound{250};

    explicit LockWaitBound(const QSqlDatabase &db, std::chrono::milliseconds bound = kBound);
    ~LockWaitBound();
    LockWaitBound(const LockWaitBound &) = delete;
    LockWaitBound &operator=(const LockWaitBound &) = delete;

private:
    QSqlDatabase m_db;
};

} // namespace ulk
