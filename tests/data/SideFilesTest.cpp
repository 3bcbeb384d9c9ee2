// Whose journal lies beside the register, told from journals that a marked
// transaction really leaves when it is cut short at any of its writes.
#include "data/JournalMark.h"
#include "data/SideFiles.h"
#include "support/Files.h"
#include "support/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <sys/types.h>

using namespace ulk;

namespace {

// The files as a crash before each write, truncate or removal of the
// register or its journal would leave them.
QString g_database;
QList<std::pair<QByteArray, QByteArray>> g_cuts;

void keepCut(int fd)
{
    const QString path = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd));
    if (path == g_database || path == g_database + "-journal")
        g_cuts.append({test::readAll(g_database), test::readAll(g_database + "-journal")});
}

sqlite3_syscall_ptr g_pwrite, g_truncate, g_unlink;

ssize_t cutPwrite(int fd, const void *data, size_t n, off_t offset)
{
    keepCut(fd);
    return reinterpret_cast<ssize_t (*)(int, const void *, size_t, off_t)>(g_pwrite)(fd, data, n, offset);
}

int cutTruncate(int fd, off_t length)
{
    keepCut(fd);
    return reinterpret_cast<int (*)(int, off_t)>(g_truncate)(fd, length);
}

int cutUnlink(const char *path)
{
    if (QFile::decodeName(path) == g_database + "-journal")
        g_cuts.append({test::readAll(g_database), test::readAll(g_database + "-journal")});
    return reinterpret_cast<int (*)(const char *)>(g_unlink)(path);
}

QStringList stateOf(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *st = nullptr;
    QStringList row;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK
        && sqlite3_prepare_v2(db, "SELECT (SELECT * FROM pragma_integrity_check), (SELECT count(*) FROM zamestnanci)",
                              -1, &st, nullptr) == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW)
        row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)))
            << QString::number(sqlite3_column_int(st, 1));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return row;
}

} // namespace

class SideFilesTest : public QObject {
    Q_OBJECT
private slots:
    // A transaction that spills pages before its commit and grows the file
    // leaves, wherever it is cut, a journal that is the file's own and takes
    // it back to its last commit.
    void aMarkedTransactionCutAnywhereIsPlayedBack()
    {
        test::ProgramDir dir;
        g_database = QDir(dir.path()).canonicalPath() + "/ulk.mdb";
        const QByteArray base = test::readAll(g_database);
        sqlite3_vfs *vfs = sqlite3_vfs_find(nullptr);
        g_pwrite = vfs->xGetSystemCall(vfs, "pwrite64");
        g_truncate = vfs->xGetSystemCall(vfs, "ftruncate");
        g_unlink = vfs->xGetSystemCall(vfs, "unlink");
        vfs->xSetSystemCall(vfs, "pwrite64", reinterpret_cast<sqlite3_syscall_ptr>(cutPwrite));
        vfs->xSetSystemCall(vfs, "ftruncate", reinterpret_cast<sqlite3_syscall_ptr>(cutTruncate));
        vfs->xSetSystemCall(vfs, "unlink", reinterpret_cast<sqlite3_syscall_ptr>(cutUnlink));
        sqlite3 *db = nullptr;
        const bool done = sqlite3_open(QFile::encodeName(g_database).constData(), &db) == SQLITE_OK
            && sqlite3_exec(db, "PRAGMA cache_size=5; BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK
            && JournalMark::write(db).isEmpty()
            && sqlite3_exec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
                                "INSERT INTO zamestnanci (idkod, meno, priezv) SELECT printf('NOVY%03d', i), 'Ján', "
                                "hex(randomblob(1500)) FROM n; COMMIT",
                            nullptr, nullptr, nullptr)
                == SQLITE_OK;
        sqlite3_close(db);
        vfs->xSetSystemCall(vfs, nullptr, nullptr);
        QVERIFY(done);
        QVERIFY(g_cuts.size() > 100);

        // The journal's first header carries the mark; appended to it, the
        // name of a super-journal makes it a journal the program never writes.
        const QByteArray superJournal = QByteArray("/tmp/ulk-other-mj").append(QByteArray::fromHex(
            "00000011000006a6d9d505f920a163d7"));
        QTemporaryDir crash;
        const QString file = crash.filePath("ulk.mdb");
        int hot = 0, spilled = 0;
        for (const auto &[database, journal] : std::as_const(g_cuts)) {
            QVERIFY(test::writeAll(file, database) && test::writeAll(file + "-journal", journal));
            QVERIFY2(SideFiles::check(file).clear(), qPrintable(SideFiles::check(file).cause));
            if (journal.startsWith(QByteArray::fromHex("d9d505f920a163d7"))) {
                ++hot;
                spilled += database != base && database.left(100) == base.left(100);
                QVERIFY(test::writeAll(file + "-journal", journal + superJournal));
                QCOMPARE(SideFiles::check(file).cause, QStringLiteral("nedá sa overiť, že patrí práve tomuto súboru "
                                                                      "(môže to byť žurnál inej databázy alebo inej "
                                                                      "verzie tohto súboru)"));
                QVERIFY(test::writeAll(file + "-journal", journal));
            }
            QCOMPARE(stateOf(file), QStringList({"ok", "0"}));
        }
        QVERIFY(hot > 50 && spilled > 0);
        QCOMPARE(stateOf(g_database), QStringList({"ok", "40"}));
        QVERIFY(test::readAll(g_database).size() > base.size());
    }
};

QTEST_GUILESS_MAIN(SideFilesTest)
#include "SideFilesTest.moc"
