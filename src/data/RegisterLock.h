#pragma once
#include <QString>

namespace ulk {

// One program per register: a lock on the file ulk.lck in the program
// directory. The kernel drops it with the process that held it, so a killed
// run never blocks the next start; its file is simply taken over.
// Within one process the lock is shared: every holder of the same directory
// counts, and the last one to go releases it and removes the file.
class RegisterLock {
public:
    explicit RegisterLock(const QString &programDirectory);
    ~RegisterLock();
    RegisterLock(const RegisterLock &) = delete;
    RegisterLock &operator=(const RegisterLock &) = delete;

    // False when another process holds the register (or the lock file
    // cannot be opened): the directory must then be left alone.
    bool isHeld() const { return m_held; }
    // Not held because another process holds it (otherwise error() says why,
    // in Slovak: a symbolic link or a directory in place of the lock, ...).
    bool heldElsewhere() const { return m_elsewhere; }
    QString error() const { return m_error; }
    // Held elsewhere by a program that is ending (markEnding): it compacts
    // the register and will let it go.
    bool holderEnding() const { return m_holderEnding; }

    // Whether this process holds the register of the directory.
    static bool heldByThisProcess(const QString &programDirectory);
    // The program holding the register of the directory is ending: a second
    // start meanwhile is told so (holderEnding()).
    static void markEnding(const QString &programDirectory);
    static QString fileName() { return QStringLiteral("ulk.lck"); }

private:
    QString m_key;
    bool m_held = false;
    bool m_elsewhere = false;
    bool m_holderEnding = false;
    QString m_error;
};

} // namespace ulk
