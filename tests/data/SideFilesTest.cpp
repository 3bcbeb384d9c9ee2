// Whose journal lies beside the register, told from the journals that a
// marked transaction really leaves when it is cut short at any of its writes.
#include "data/JournalMark.h"
#include "data/SideFiles.h"
#include "support/Files.h"
#include "support/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace ulk;

namespace {

// The register and its journal as a crash just before each write, truncate
// or removal of either would leave them.
QString g_file;
QList<std::pair<QByteArray, QByteArray>> g_cuts;
sqlite3_syscall_ptr g_pwrite, g_unlink;

void keepCut(const QString &path)
{
    if (path == g_file || path == g_file + "-journal")
        g_cuts.append({test::readAll(g_file), test::readAll(g_file + "-journal")});
}

ssize_t cutPwrite(int fd, const void *data, size_t n, off_t offset)
{
    keepCut(QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd)));
    return reinterpret_cast<ssize_t (*)(int, const void *, size_t, off_t)>(g_pwrite)(fd, data, n, offset);
}

int cutUnlink(const char *path)
{
    keepCut(QFile::decodeName(path));
    return reinterpret_cast<int (*)(const char *)>(g_unlink)(path);
}

bool exec(const QString &file, const char *sql, bool marked = false, QString *result = nullptr)
{
    sqlite3 *db = nullptr;
    const auto row = [](void *out, int, char **values, char **) {
        *static_cast<QString *>(out) += QString::fromUtf8(values[0]) + ' ';
        return 0;
    };
    const bool ok = sqlite3_open(QFile::encodeName(file).constData(), &db) == SQLITE_OK
        && (!marked || (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK && JournalMark::write(db).isEmpty()))
        && sqlite3_exec(db, sql, result ? +row : nullptr, result, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace

class SideFilesTest : public QObject {
    Q_OBJECT
private slots:
    // A transaction that spills pages before its commit and grows the file
    // leaves, wherever it is cut, a journal that is the file's own and takes
    // the file back to its last commit; with the name of a super-journal
    // after it, which the program never writes, the same journal is refused.
    void aMarkedTransactionCutAnywhereIsPlayedBack()
    {
        test::ProgramDir dir;
        g_file = QDir(dir.path()).canonicalPath() + "/ulk.mdb";
        const qint64 size = QFileInfo(g_file).size();
        sqlite3_vfs *vfs = sqlite3_vfs_find(nullptr);
        g_pwrite = vfs->xGetSystemCall(vfs, "pwrite64");
        g_unlink = vfs->xGetSystemCall(vfs, "unlink");
        vfs->xSetSystemCall(vfs, "pwrite64", reinterpret_cast<sqlite3_syscall_ptr>(cutPwrite));
        vfs->xSetSystemCall(vfs, "unlink", reinterpret_cast<sqlite3_syscall_ptr>(cutUnlink));
        const bool done = exec(g_file, "PRAGMA cache_size=5; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                       "FROM n WHERE i < 40) INSERT INTO zamestnanci (idkod, meno, priezv) SELECT "
                                       "printf('NOVY%03d', i), 'Ján', hex(randomblob(1500)) FROM n; COMMIT",
                               true);
        vfs->xSetSystemCall(vfs, nullptr, nullptr);
        QVERIFY(done && QFileInfo(g_file).size() > size);

        const QByteArray magic = QByteArray::fromHex("d9d505f920a163d7");
        const QByteArray superJournal = "/tmp/ulk-other-mj" + QByteArray::fromHex("00000011000006a6") + magic;
        QTemporaryDir crash;
        const QString file = crash.filePath("ulk.mdb");
        int hot = 0, spilled = 0;
        for (const auto &[database, journal] : std::as_const(g_cuts)) {
            QVERIFY(test::writeAll(file, database) && test::writeAll(file + "-journal", journal + superJournal));
            if (journal.startsWith(magic)) {
                ++hot;
                spilled += QFileInfo(file).size() > size;
                QVERIFY(SideFiles::check(file).cause.startsWith("nedá sa overiť, že patrí práve tomuto súboru"));
            }
            QVERIFY(test::writeAll(file + "-journal", journal));
            QVERIFY2(SideFiles::check(file).clear(), qPrintable(SideFiles::check(file).cause));
            QString state;
            QVERIFY(exec(file, "SELECT * FROM pragma_integrity_check UNION ALL SELECT count(*) FROM zamestnanci",
                         false, &state));
            QCOMPARE(state, QStringLiteral("ok 0 "));
        }
        QVERIFY(g_cuts.size() > 100 && hot > 50 && spilled > 0);
    }
};

QTEST_GUILESS_MAIN(SideFilesTest)
#include "SideFilesTest.moc"
