// The built program as a process, driven by the robot plugin (tests/robot).
#include "NewDatabase.h"
#include "archive/ZipArchive.h"
#include "common/FailureText.h"
#include "data/JournalMark.h"
#include "data/RegisterLock.h"
#include "data/RegisterSchema.h"
#include "support/Files.h"
#include "support/GeneratedRegister.h"
#include "support/ProgramDir.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ulk;

namespace {

// A program directory with the program in it, and a place for the robot's log.
struct Installed {
    test::ProgramDir dir;
    QTemporaryDir logs;
    QMap<QString, QString> extraEnv; // more of the environment of the next starts
    Installed()
    {
        const QByteArray program = QFile::encodeName(dir.file("ulk"));
        if (::link(ULK_PROGRAM, program.constData()) != 0)
            QFile::copy(QStringLiteral(ULK_PROGRAM), dir.file("ulk"));
    }
    void start(QProcess &run, const QString &name, const QString &task, const QString &file = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ULK_ROBOT_FILE", file);
        env.insert("QT_QPA_PLATFORM", ULK_TEST_PLATFORM);
        env.insert("QT_PLUGIN_PATH", ULK_ROBOT_PLUGINS);
        env.insert("QT_QPA_GENERIC_PLUGINS", "ulkrobot:" + task);
        env.insert("ULK_ROBOT_LOG", logs.filePath(name));
        env.insert("HOME", logs.path());
        for (auto it = extraEnv.cbegin(); it != extraEnv.cend(); ++it)
            env.insert(it.key(), it.value());
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(dir.file("ulk"), {});
    }
    // Runs the program to its end: what it logged, or how it ended when that
    // was not a normal end with 0.
    QStringList ran(const QString &name, const QString &task, const QString &file = QString())
    {
        QProcess run;
        start(run, name, task, file);
        if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
            return {QStringLiteral("ended: status %1, code %2").arg(int(run.exitStatus())).arg(run.exitCode())};
        return log(name);
    }
    QStringList log(const QString &name) const
    {
        QFile f(logs.filePath(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }
    // Every name in the directory with its size, time and contents.
    QStringList snapshot() const
    {
        QStringList out;
        for (const QFileInfo &fi : QDir(dir.path()).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile f(fi.filePath());
            f.open(QIODevice::ReadOnly);
            out << fi.fileName() + ' ' + fi.lastModified().toString(Qt::ISODateWithMs) + ' '
                    + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
        }
        return out;
    }
};

QByteArray sha256(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

// A register changed by other hands, each change a transaction of its own;
// the first row of the last one read goes to *row.
bool changeRegister(const QString &path, const QStringList &changes, QStringList *row = nullptr)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "elsewhere");
        db.setDatabaseName(path);
        QSqlQuery q(db.open() ? db : QSqlDatabase());
        for (const QString &change : changes)
            ok = ok && q.exec(change);
        for (int i = 0; row && (i > 0 || q.next()) && i < q.record().count(); ++i)
            *row << q.value(i).toString();
        if (!ok)
            qWarning() << q.lastError().text();
    }
    QSqlDatabase::removeDatabase("elsewhere");
    return ok;
}

// A register made by the tool and then changed by other hands.
bool makeRegister(const QString &path, const QStringList &changes)
{
    return createNewDatabaseFile(path) && changeRegister(path, changes);
}

// A writer killed in its transaction once SQLite has spilled changed pages
// into the file (or the WAL, which then holds a committed delete as well).
// A marked writer begins as every write of the program does (JournalMark).
bool killWriterMidTransaction(const QString &path, const char *first = "", bool marked = false)
{
    const QByteArray begin = QByteArray(first) + "PRAGMA cache_size=5; BEGIN;";
    const QByteArray work = "UPDATE k_zaklad SET priezv = 'Zabitá'; "
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) INSERT INTO zamestnanci "
        "(idkod, meno, priezv) SELECT printf('ZABITY%03d', i), 'Ján', hex(randomblob(1500)) FROM n";
    const QByteArray file = QFile::encodeName(path);
    int ready[2];
    const pid_t writer = ::pipe(ready) == 0 ? ::fork() : -1;
    sqlite3 *db = nullptr;
    if (writer == 0 && sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
        && sqlite3_exec(db, begin.constData(), nullptr, nullptr, nullptr) == SQLITE_OK
        && (!marked || JournalMark::write(db).isEmpty())
        && sqlite3_exec(db, work.constData(), nullptr, nullptr, nullptr) == SQLITE_OK)
        (void)(::write(ready[1], "w", 1) == 1 && ::pause());
    if (writer == 0)
        ::_exit(1);
    char written = 0;
    const bool killed = writer > 0 && ::close(ready[1]) == 0 && ::read(ready[0], &written, 1) == 1;
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    return killed;
}

// A commit as the program makes it, by a connection of its own.
bool commitMarked(const QString &path, const QString &change)
{
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
        && sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK && JournalMark::write(db).isEmpty()
        && sqlite3_exec(db, change.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

bool copyOver(const QString &from, const QString &to) { return (!QFile::exists(to) || QFile::remove(to)) && QFile::copy(from, to); }

} // namespace

class ProgramProcessTest : public QObject {
    Q_OBJECT
private slots:
    void registersFromElsewhereAreRefusedAndStayAsTheyWere_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("a trigger") << QStringList{
            "CREATE TRIGGER t AFTER UPDATE ON k_zaklad BEGIN DELETE FROM zamestnanci; END"};
        QTest::newRow("a view in place of k_memo") << QStringList{
            "DROP TABLE k_memo", "CREATE VIEW k_memo AS SELECT idkod, '' AS u_dieta, '' AS u_ziak, '' AS u_zhrn, "
                                 "'' AS u_dolezite, '' AS poznamky, '' AS ip_ulkz FROM k_zaklad"};
        QTest::newRow("no column postih")
            << QStringList{"DROP VIEW vyp_zaklad", "ALTER TABLE k_zaklad DROP COLUMN postih"};
        // Rows that cannot be found by their rowid, or told apart by their key.
        const QString clients = RegisterSchema::createStatements().first();
        const auto remade = [&](const QString &from, const QString &to, const QString &insert) {
            return QStringList{"DROP TABLE k_zaklad", QString(clients).replace(from, to),
                               "INSERT INTO k_zaklad (idkod, meno, priezv) VALUES " + insert};
        };
        QTest::newRow("k_zaklad without rowid") << remade(")", ") WITHOUT ROWID", "('KOVACJA00', 'Ján', 'Kováč')");
        QTest::newRow("a column rowid") << QStringList{"ALTER TABLE k_zaklad ADD COLUMN rowid INTEGER"};
        QTest::newRow("a client without key") << remade("PRIMARY KEY NOT NULL", "PRIMARY KEY", "(NULL, 'Ján', 'Kováč')");
        QTest::newRow("one key twice") << remade("PRIMARY KEY NOT NULL", "NOT NULL",
                                                 "('DUPLYY00', 'Ján', 'Kováč'), ('DUPLYY00', 'Ján', 'Kováč')");
        QTest::newRow("one key with blanks after it") << QStringList{
            "INSERT INTO k_zaklad (idkod) VALUES ('DUPLYY00'), ('DUPLYY00  ')"};
        QTest::newRow("a unique index on a client column") << QStringList{
            "CREATE UNIQUE INDEX k_zaklad_rodcis ON k_zaklad (rodcis)"};
    }

    void registersFromElsewhereAreRefusedAndStayAsTheyWere()
    {
        QFETCH(QStringList, changes);
        QTemporaryDir elsewhere;
        const QString hostile = elsewhere.filePath("ulk.mdb");
        const QString archive = elsewhere.filePath("arch_ulk.zip");
        QVERIFY(makeRegister(hostile, changes));
        QVERIFY(ZipArchive::writeSingleEntry(archive, "ulk.mdb", hostile, nullptr));
        const QByteArray hostileHash = sha256(hostile);
        const QByteArray archiveHash = sha256(archive);

        // Put in the program folder: the program does not start on it.
        {
            Installed p;
            QVERIFY(QFile::remove(p.dir.dbPath()) && QFile::copy(hostile, p.dir.dbPath()));
            QCOMPARE(p.ran("start", "koniec"),
                     QStringList{"message|Evidencia klientov ULK|Program nemôže pracovať, je nutný reštart počítača !"});
            QCOMPARE(sha256(p.dir.dbPath()), hostileHash);
            QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                     QStringList({"ulk", "ulk.mdb"}));
        }
        // Restored from the menu: refused, the register in use stays.
        {
            Installed p;
            const QByteArray inUse = sha256(p.dir.dbPath());
            QCOMPARE(p.ran("restore", "restore", archive),
                     QStringList({"shown", "file|Súbor pre obnovu dát",
                                  "message|Evidencia klientov ULK|UPOZORNENIE !!\r\\n\r\\nMomentálny obsah dát bude "
                                  "premazaný !!!",
                                  "message|Evidencia klientov ULK|Vybraný súbor neobsahuje očakávané dáta"}));
            QCOMPARE(sha256(p.dir.dbPath()), inUse);
            QCOMPARE(sha256(archive), archiveHash);
            QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                     QStringList({"ulk", "ulk.mdb"}));
        }
        QCOMPARE(sha256(hostile), hostileHash);
    }

    void onlyTheRegistersOwnJournalIsPlayedBack_data()
    {
        QTest::addColumn<QString>("plant");
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("cause");
        const QString other = "nedá sa overiť, že patrí práve tomuto súboru (môže to byť žurnál inej databázy alebo "
                              "inej verzie tohto súboru)";
        const QString header = "jeho hlavička je poškodená";
        QTest::newRow("another register's journal") << "foreign" << "ulk.mdb-journal" << other;
        QTest::newRow("a backup copied back over a cut save") << "backup" << "ulk.mdb-journal" << other;
        QTest::newRow("the same, page 1 not in the journal") << "backup unmarked" << "ulk.mdb-journal" << other;
        QTest::newRow("an older copy's journal") << "older" << "ulk.mdb-journal" << other;
        QTest::newRow("a diverged copy's journal") << "diverged" << "ulk.mdb-journal" << other;
        QTest::newRow("its own journal saying 0 pages") << "pages 00000000" << "ulk.mdb-journal" << header;
        QTest::newRow("its own journal saying 1 page") << "pages 00000001" << "ulk.mdb-journal" << header;
        QTest::newRow("its own journal saying 2^32-1 pages") << "pages ffffffff" << "ulk.mdb-journal" << header;
        QTest::newRow("its own journal, damaged, with a cut register") << "cut" << "ulk.mdb-journal" << header;
        QTest::newRow("a journal that cannot be read")
            << "unreadable" << "ulk.mdb-journal" << "nie je možné ho prečítať: " + systemCause(EIO);
        QTest::newRow("another register's WAL")
            << "wal" << "ulk.mdb-wal" << "databáza nepracuje v režime WAL, tento súbor k nej nepatrí";
        QTest::newRow("another copy's WAL beside a register in WAL mode")
            << "wal mode" << "ulk.mdb-wal"
            << "obsahuje zmeny, o ktorých sa nedá overiť, že patria práve tomuto súboru";
        QTest::newRow("its own crash journal") << "own" << QString() << QString();
    }
    void onlyTheRegistersOwnJournalIsPlayedBack()
    {
        QFETCH(QString, plant);
        QFETCH(QString, side);
        QFETCH(QString, cause);
        Installed p;
        QTemporaryDir elsewhere;
        const QString other = elsewhere.filePath("ulk.mdb"), db = p.dir.dbPath();
        const QString client = "INSERT INTO k_zaklad (idkod, meno, priezv) VALUES ('%1', 'Eva', 'Malá')";
        QVERIFY(commitMarked(db, client.arg("PRVAEV00")) && commitMarked(db, client.arg("DRUHAE00")));
        QVERIFY(plant == "foreign" || plant.startsWith("wal") ? makeRegister(other, {}) : copyOver(db, other));
        if (plant.startsWith("backup")) {
            QVERIFY(commitMarked(db, client.arg("TRETIA00")));
            QVERIFY(killWriterMidTransaction(db, "", plant == "backup"));
            QVERIFY(copyOver(other, db));
        } else if (plant == "older" || plant == "diverged") {
            QVERIFY(commitMarked(db, client.arg("TRETIA00")));
            QVERIFY(plant == "older" || commitMarked(other, client.arg("STVRTA00")));
            QVERIFY(killWriterMidTransaction(other, "", true));
            QVERIFY(copyOver(other + "-journal", db + "-journal"));
        } else if (plant.startsWith("pages") || plant == "cut" || plant == "unreadable" || plant == "own") {
            // The register's own journal, beside the file as the cut left it
            // or as it was before the cut (the journal then changes nothing).
            QVERIFY(killWriterMidTransaction(db, "", true));
            if (plant != "cut" && plant != "own")
                QVERIFY(copyOver(other, db));
            if (plant == "cut")
                QVERIFY(QFile::resize(db, QFileInfo(other).size() - 4096));
            if (plant.startsWith("pages") || plant == "cut") {
                QByteArray journal = test::readAll(db + "-journal");
                journal.replace(16, 4, QByteArray::fromHex(plant == "cut" ? "00000001" : plant.mid(6).toLatin1()));
                QVERIFY(test::writeAll(db + "-journal", journal));
            }
            if (plant == "unreadable")
                p.extraEnv = {{"LD_PRELOAD", ULK_CUT_SHIM}, {"ULK_CUT_DIR", p.dir.path()}, {"ULK_CUT_FAIL_READ", "1"}};
        } else {
            if (plant == "wal mode")
                QVERIFY(test::putInWalMode(db));
            QVERIFY(killWriterMidTransaction(other, plant == "foreign" ? "" : "PRAGMA journal_mode=WAL; DELETE FROM c_zdrpoi;",
                                             plant == "foreign"));
            for (const QString suffix : {"-journal", "-wal", "-shm"})
                QVERIFY(!QFile::exists(other + suffix) || QFile::copy(other + suffix, db + suffix));
        }
        QVERIFY(test::readAll(db + (plant.startsWith("wal") ? "-wal" : "-journal")).size() > 8192);
        const QStringList before = p.snapshot();
        const QStringList said = p.ran("start", "koniec");
        if (plant == "own") {
            // Rolled back without a word: nothing of the killed transaction is left.
            QCOMPARE(said, QStringList{"shown"});
            QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files, QDir::Name), QStringList({"ulk", "ulk.mdb"}));
            QStringList counts;
            QVERIFY(changeRegister(db, {"SELECT (SELECT count(*) FROM zamestnanci), (SELECT count(*) FROM k_zaklad "
                                        "WHERE priezv = 'Malá'), (SELECT * FROM pragma_quick_check)"}, &counts));
            QCOMPARE(counts, QStringList({"0", "2", "ok"}));
            return;
        }
        // The advice holds only what is safe: the register read alone is
        // whole, except where the cut left it half written.
        const QString advice = plant == "cut"
            ? "Databáza ulk.mdb bez neho nie je celá: potrebuje svoj vlastný žurnál "
              "alebo obnovu z archívu. Nepresúvajte preto len súbor " + p.dir.file(side) + ". Ak chcete databázu "
              "obnoviť z archívu, presuňte inam oba súbory, ulk.mdb aj " + side + ", a spustite program znova: "
              "ponúkne obnovu archívu."
            : "Databáza ulk.mdb je aj bez neho celá: presuňte súbor " + p.dir.file(side) + " inam a spustite "
              "program znova; ak potom v databáze chýbajú údaje, obnovte ju z archívu.";
        QCOMPARE(said, QStringList{"message|Evidencia klientov ULK|Program nemôže pracovať. Pri databáze "
                                   "ulk.mdb leží súbor " + side + ", ktorý program neuznal za jej vlastný: "
                                   + cause + ". Program ho nepoužil, databázu ani tento súbor nezmenil.\\n"
                                   + advice});
        QCOMPARE(p.snapshot(), before);
    }

    // The program's own save of a client that grows the register, cut short
    // at each write, sync and removal of its commit (a power cut that keeps
    // the first k pages written is the cut before the next one): the next
    // start plays its journal back, or finds the save whole, never less.
    void aSaveCutAtAnyStepLeavesTheLastCommit()
    {
        Installed p;
        const QString db = p.dir.dbPath();
        QVERIFY(test::putGeneratedRegister(p.dir.path(), 300) && changeRegister(db, {"VACUUM"}));
        const QByteArray base = test::readAll(db);
        const auto state = [&] {
            QStringList row;
            changeRegister(db, {"SELECT (SELECT * FROM pragma_integrity_check), (SELECT count(*) FROM k_zaklad WHERE "
                                "priezv = 'Nová'), (SELECT * FROM pragma_page_count)"}, &row);
            return row;
        };
        const QString pages = state().value(2);
        const auto cutAt = [&](qsizetype step) {
            p.extraEnv = {{"LD_PRELOAD", ULK_CUT_SHIM}, {"ULK_CUT_DIR", p.dir.path()}, {"ULK_CUT", QString::number(step)},
                     {"ULK_CUT_LOG", p.logs.filePath(step == 0 ? "steps" : "cut")}};
        };
        cutAt(0);
        QCOMPARE(p.ran("counted", "save", "9001"), QStringList({"shown", "saved"}));
        QVERIFY(state().value(2).toInt() > pages.toInt());
        const QStringList steps = p.log("steps");
        const qsizetype removal = steps.indexOf("unlink ulk.mdb-journal") + 1;
        QVERIFY(removal > 0);
        for (qsizetype n = 1; n <= steps.size() + 1; ++n) {
            // The last round: the journal's removal lost in a power cut
            // before the folder reached the disk.
            const bool lostRemoval = n > steps.size();
            QVERIFY(test::writeAll(db, base));
            for (const QString name : {"ulk.mdb-journal", "ulk.mdb-journal.cut", "ulk.lck"})
                QFile::remove(p.dir.file(name));
            cutAt(lostRemoval ? removal + 1 : n);
            QProcess cut;
            p.start(cut, "cut", "save", "9001");
            QVERIFY(cut.waitForFinished(60000) && cut.exitStatus() == QProcess::CrashExit);
            if (lostRemoval)
                QVERIFY(QFile::rename(db + "-journal.cut", db + "-journal"));
            p.extraEnv.clear();
            QCOMPARE(p.ran(QString::number(n), "close"), QStringList{"shown"});
            const bool saved = n > removal && !lostRemoval;
            const QStringList now = state();
            QCOMPARE(now.mid(0, 2), QStringList({"ok", saved ? "1" : "0"}));
            QVERIFY(saved || now.value(2) == pages);
            // A journal cut before its first sync is not hot: SQLite leaves it to the next write.
            QVERIFY(!test::readAll(db + "-journal").startsWith(QByteArray::fromHex("d9d505f920a163d7")));
        }
    }

    void koniecEndsTheProgramAndRemovesWhatAKilledRunLeft()
    {
        Installed p;
        const QStringList leftovers = {"arch_ab12CD.tmp", "arch_ab12CD.tmp-journal", "arch_tmp.zip.Xy12ab",
                                       "ulk_QW12er.tmp",  "ulk_QW12er.tmp-wal",      "ulk_QW12er.tmp-shm",
                                       "tmp.mdb-journal", "ulk.lck"};
        for (const QString &name : leftovers + QStringList{"arch_poznamky.tmp", "ulk_ren.mdb"})
            QVERIFY(test::writeAll(p.dir.file(name), "left over"));
        QCOMPARE(p.ran("run", "koniec"), QStringList{"shown"});
        QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"arch_poznamky.tmp", "ulk", "ulk.mdb", "ulk_ren.mdb"}));
    }

    void koniecEndsTheProgramAfterItsWindowsWereOpen()
    {
        Installed p;
        QCOMPARE(p.ran("run", "windows"), QStringList({"shown", "window|frmKlientUdaj", "window|rptZozKlient"}));
        QVERIFY(!QFileInfo::exists(p.dir.file("ulk.lck")));
    }

    void secondCopyOpensNothingAndAKilledOneBlocksNothing()
    {
        // Another program folder whose ulk.mdb links to the same register.
        Installed p, linked;
        QVERIFY(QFile::remove(linked.dir.dbPath()) && QFile::link(p.dir.dbPath(), linked.dir.dbPath()));
        // The lock of a run killed while it compacted says it is ending; the next holder is not.
        QVERIFY(test::writeAll(p.dir.file("ulk.lck"), "ending\n"));
        QProcess first;
        p.start(first, "first", "stay");
        QTRY_COMPARE_WITH_TIMEOUT(p.log("first"), QStringList{"shown"}, 30000);
        const QStringList before = p.snapshot();

        for (Installed *second : {&p, &linked})
            QCOMPARE(second->ran("second", "koniec"),
                     QStringList{"message|Upozornenie|Program už beží nad týmto registrom (ulk.mdb). Ďalšiu kópiu "
                                 "programu nie je možné spustiť, pokračujte v spustenom programe."});
        QCOMPARE(p.snapshot(), before);
        first.kill();
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(linked.ran("after", "koniec"), QStringList{"shown"});

        // A holder that is ending (compacting after Koniec) sends the user
        // to wait, not to a window that is no longer there.
        {
            const RegisterLock ending(p.dir.path());
            RegisterLock::markEnding(p.dir.path());
            QCOMPARE(p.ran("meanwhile", "koniec"),
                     QStringList{"message|Upozornenie|Program sa práve ukončuje (zhusťuje sa databáza ulk.mdb). "
                                 "Počkajte, kým sa ukončí, a spustite ho znova."});
        }

        QCOMPARE(p.ran("third", "koniec"), QStringList{"shown"});
        QVERIFY(!QFileInfo::exists(p.dir.file("ulk.lck")));
    }
};

QTEST_GUILESS_MAIN(ProgramProcessTest)
#include "ProgramProcessTest.moc"
