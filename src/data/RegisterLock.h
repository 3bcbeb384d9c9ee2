#pragma once
#include <QString>
#include <QStringList>

namespace ulk {

// One program per register: a lock on the file ulk.lck beside ulk.mdb, in
// the program directory and, where ulk.mdb is a symbolic link to a file in
// another folder, in that folder too, so that two program folders whose
// ulk.mdb lead to one file never both run. The kernel drops a lock with the
// process that held it, so a killed run never blocks the next start; its
// files are simply taken over.
// Within one process the lock of a folder is shared: every holder counts,
// and the last one to go releases it and removes its file.
class RegisterLock {
public:
    explicit RegisterLock(const QString &programDirectory);
    ~RegisterLock();
    RegisterLock(const RegisterLock &) = delete;
    RegisterLock &operator=(const RegisterLock &) = delete;

    // False when another process holds the register (or a lock file
    // cannot be opened): the directory must then be left alone.
    bool isHeld() const { return m_held; }
    // Not held because another process holds it (otherwise error() says why,
    // in Slovak: a symbolic link or a directory in place of the lock, ...).
    bool heldElsewhere() const { return m_elsewhere; }
    QString error() const { return m_error; }
    // The folder ulk.mdb links to, when its lock is the one not taken;
    // empty when the program directory's is.
    QString failedFolder() const { return m_failedFolder; }
    // Held elsewhere by a program that is ending (markEnding): it compacts
    // the register and will let it go.
    bool holderEnding() const { return m_holderEnding; }

    // Whether this process holds the register of the directory (in both places).
    static bool heldByThisProcess(const QString &programDirectory);
    // The program holding the register of the directory is ending: a second
    // start meanwhile is told so (holderEnding()).
    static void markEnding(const QString &programDirectory);
    // The folder of the file that ulk.mdb links to, when it is another than
    // the program directory; empty otherwise (also for a link to nowhere).
    static QString linkedFolder(const QString &programDirectory);
    static QString fileName() { return QStringLiteral("ulk.lck"); }

private:
    bool take(const QString &key);
    void release();

    QStringList m_keys;
    bool m_held = false;
    bool m_elsewhere = false;
    bool m_holderEnding = false;
    QString m_error;
    QString m_failedFolder;
};

} // namespace ulk
