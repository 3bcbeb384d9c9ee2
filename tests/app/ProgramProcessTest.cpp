// The built program as a process, driven by the robot plugin (tests/robot).
#include "NewDatabase.h"
#include "archive/ZipArchive.h"
#include "data/RegisterSchema.h"
#include "support/Files.h"
#include "support/ProgramDir.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace ulk;

namespace {

// A program directory with the program in it, and a place for the robot's log.
struct Installed {
    test::ProgramDir dir;
    QTemporaryDir logs;
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
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_PLUGIN_PATH", ULK_ROBOT_PLUGINS);
        env.insert("QT_QPA_GENERIC_PLUGINS", "ulkrobot:" + task);
        env.insert("ULK_ROBOT_LOG", logs.filePath(name));
        env.insert("HOME", logs.path());
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(dir.file("ulk"), {});
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
                    + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        }
        return out;
    }
};

QByteArray sha256(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

// A register made by the tool and then changed by other hands.
bool makeRegister(const QString &path, const QStringList &changes)
{
    if (!createNewDatabaseFile(path))
        return false;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "elsewhere");
        db.setDatabaseName(path);
        QSqlQuery q(db.open() ? db : QSqlDatabase());
        for (const QString &change : changes)
            ok = ok && q.exec(change);
        if (!ok)
            qWarning() << q.lastError().text();
    }
    QSqlDatabase::removeDatabase("elsewhere");
    return ok;
}

void endsWithZero(QProcess &run)
{
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);
}

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
            QProcess run;
            p.start(run, "start", "koniec");
            endsWithZero(run);
            QCOMPARE(p.log("start"),
                     QStringList{"message|Evidencia klientov ULK|Program nemôže pracovať, je nutný reštart počítača !"});
            QCOMPARE(sha256(p.dir.dbPath()), hostileHash);
            QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                     QStringList({"ulk", "ulk.mdb"}));
        }
        // Restored from the menu: refused, the register in use stays.
        {
            Installed p;
            const QByteArray inUse = sha256(p.dir.dbPath());
            QProcess run;
            p.start(run, "restore", "restore", archive);
            endsWithZero(run);
            QCOMPARE(p.log("restore"),
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

    void koniecEndsTheProgramAndRemovesWhatAKilledRunLeft()
    {
        Installed p;
        const QStringList leftovers = {"arch_ab12CD.tmp", "arch_ab12CD.tmp-journal", "arch_tmp.zip.Xy12ab",
                                       "ulk_QW12er.tmp",  "ulk_QW12er.tmp-wal",      "ulk_QW12er.tmp-shm",
                                       "tmp.mdb-journal", "ulk.lck"};
        for (const QString &name : leftovers + QStringList{"arch_poznamky.tmp", "ulk_ren.mdb"})
            QVERIFY(test::writeAll(p.dir.file(name), "left over"));
        QProcess run;
        p.start(run, "run", "koniec");
        endsWithZero(run);
        QCOMPARE(p.log("run"), QStringList{"shown"});
        QCOMPARE(QDir(p.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"arch_poznamky.tmp", "ulk", "ulk.mdb", "ulk_ren.mdb"}));
    }

    void koniecEndsTheProgramAfterItsWindowsWereOpen()
    {
        Installed p;
        QProcess run;
        p.start(run, "run", "windows");
        endsWithZero(run);
        QCOMPARE(p.log("run"), QStringList({"shown", "window|frmKlientUdaj", "window|rptZozKlient"}));
        QVERIFY(!QFileInfo::exists(p.dir.file("ulk.lck")));
    }

    void secondCopyOpensNothingAndAKilledOneBlocksNothing()
    {
        Installed p;
        QProcess first;
        p.start(first, "first", "stay");
        QTRY_COMPARE_WITH_TIMEOUT(p.log("first"), QStringList{"shown"}, 30000);
        const QStringList before = p.snapshot();

        QProcess second;
        p.start(second, "second", "koniec");
        endsWithZero(second);
        QCOMPARE(p.log("second"),
                 QStringList{"message|Upozornenie|Program už beží nad týmto registrom (ulk.mdb). Ďalšiu kópiu "
                             "programu nie je možné spustiť, pokračujte v spustenom programe."});
        QCOMPARE(p.snapshot(), before);

        first.kill();
        QVERIFY(first.waitForFinished(30000));
        QProcess third;
        p.start(third, "third", "koniec");
        endsWithZero(third);
        QCOMPARE(p.log("third"), QStringList{"shown"});
        QVERIFY(!QFileInfo::exists(p.dir.file("ulk.lck")));
    }
};

QTEST_GUILESS_MAIN(ProgramProcessTest)
#include "ProgramProcessTest.moc"
