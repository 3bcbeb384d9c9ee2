#include "ArchiveFixtures.h"
#include "app/ui/MainWindow.h"
#include "archive/Archiver.h"
#include "archive/ui/RestoreWindow.h"
#include "common/ui/WaitingWindow.h"
#include "data/PersonListModel.h"
#include "data/Database.h"
#include "support/GeneratedRegister.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ulk;

namespace {
const QString kOpenDialog = "open|Súbor pre obnovu dát|arch_ulk.zip|záloha (*.zip)|0|must exist";
const QString kWarning = "message|UPOZORNENIE !!\r\n\r\nMomentálny obsah dát bude premazaný !!!||information|yesno";
const QString kDone = "message|Obnova dát bola úspešne ukončená||information|ok";
const QString kNoDatabase = "message|Obnova dát nebola úspešná, chybný arch_ulk.zip||information|ok";
const QString kNotExpected = "message|Vybraný súbor neobsahuje očakávané dáta||exclamation|ok";
const QString kFailure = "message|Vyskytla sa chyba pri obnove dát||exclamation|ok";
const QString kMissing =
    "message|V adresári - chýba súbor -ulk.mdb-, pokúste sa o obnovu archívu !|Upozornenie|critical|yesno";
} // namespace

class RestoreWindowTest : public QObject {
    Q_OBJECT

    // An archive with one client, written by the archiver into its own directory.
    struct Archive {
        test::ProgramDir source;
        QString path;
    };
    static void makeArchive(Archive &a, const QString &client)
    {
        QCOMPARE(Database::open(a.source.path()), Database::OpenResult::Ok);
        test::addClient(client, "Eva", "Archívna", "1");
        Database::close();
        QVERIFY(Archiver::pack(a.source.path(), nullptr));
        a.path = a.source.file("arch_tmp.zip");
    }

    static void restoreFromMenu(MainWindow &w)
    {
        QAction *item = w.findChild<QAction *>("mniDearchiv");
        QVERIFY(item && item->isEnabled());
        QCOMPARE(item->text(), QString("Obnova archivovaných dát"));
        item->trigger();
    }

private slots:
    void cleanup() { Database::close(); }

    void archiveThenRestoreGivesBackEveryRow()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QTemporaryDir other;
        QVERIFY(w.load());
        w.show();
        test::addClient("NOVAKJ00", "Ján", "Novák", "12", "2015-03-04");
        test::addClient("ONEILP00", "Patrick", "O'Neil", "7");
        test::addEmployee("HRASKOMA00", "Mária", "Hrašková");
        test::sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, ?)", {"NOVAKJ00", "2024-10-01"});
        test::sql("UPDATE k_memo SET poznamky = ? WHERE idkod = ?", {"dlhý text\r\nna dva riadky", "ONEILP00"});
        const QStringList archived = test::dumpDatabase(dir.dbPath());
        const QString target = other.filePath("zaloha.zip");

        p.chooseFile(target).answer(PromptAnswer::Ok);
        w.findChild<QAction *>("mniArchiv")->trigger();
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));

        // Work goes on after the archive...
        test::sql("DELETE FROM k_zaklad WHERE idkod = ?", {"NOVAKJ00"});
        test::addClient("KRALMA00", "Marek", "Kráľ", "13");
        const QStringList changed = test::dumpDatabase(dir.dbPath());
        QVERIFY(changed != archived);

        // ...and the restore brings back the archived rows, keeping the changed ones.
        QVERIFY(test::writeAll(dir.file("ulk_ren.mdb"), "an older kept database"));
        p.clear();
        p.chooseFile(target).answer(PromptAnswer::Yes).answer(PromptAnswer::Ok);
        w.setClientMode();
        restoreFromMenu(w);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(test::conversation(p), QStringList({kOpenDialog, kWarning, kDone}));
        QCOMPARE(test::dumpDatabase(dir.dbPath()), archived);
        QCOMPARE(test::dumpDatabase(dir.file("ulk_ren.mdb")), changed);
        QVERIFY(w.isVisible());
        QCOMPARE(w.listMode(), 0);
        QCOMPARE(w.clientList()->rowCount(), 0); // no list shown, none read
        QVERIFY(Database::isOpen());
        QCOMPARE(test::scalar("SELECT priezv FROM k_zaklad WHERE idkod = ?", {"NOVAKJ00"}).toString(),
                 QString("Novák"));
        w.setClientMode();
        QCOMPARE(w.clientList()->rowCount(), 2);
    }

    // Once the archive is chosen and the warning answered, the program's
    // waiting window says what the restore does; it is gone when the outcome
    // is told.
    void restoreOfAGeneratedRegisterShowsItsProgress()
    {
        test::ProgramDir source;
        QVERIFY(test::putGeneratedRegister(source.path(), 3000));
        QVERIFY(Archiver::pack(source.path(), nullptr));
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        w.show();
        WaitingWindow waiting;
        waiting.setDelay(0);
        LongWork::setView(&waiting);
        const auto shown = [] {
            for (QWidget *t : QApplication::topLevelWidgets())
                if (t->objectName() == "frmCakanie" && t->isVisible())
                    return t;
            return static_cast<QWidget *>(nullptr);
        };
        QStringList seen;
        QTimer watch;
        watch.setInterval(5);
        connect(&watch, &QTimer::timeout, [&] {
            if (QWidget *t = shown()) {
                const QString line = t->windowTitle() + '|' + t->findChild<QLabel *>("lblCinnost")->text();
                if (!seen.contains(line))
                    seen << line;
            }
        });
        watch.start();
        p.chooseFile(source.file("arch_tmp.zip")).answer(PromptAnswer::Yes).answer(PromptAnswer::Ok);
        restoreFromMenu(w);
        LongWork::setView(nullptr);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(test::conversation(p), QStringList({kOpenDialog, kWarning, kDone}));
        QVERIFY(!seen.isEmpty());
        for (const QString &line : seen)
            QVERIFY2(QStringList({"Obnova archivovaných dát|Rozbaľuje sa archív …",
                                  "Obnova archivovaných dát|Kontroluje sa obnovený register …"})
                         .contains(line),
                     qPrintable(line));
        QVERIFY(!shown());
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 3000);
    }

    void nothingChangesWithoutConsent_data()
    {
        QTest::addColumn<bool>("cancelDialog");
        QTest::newRow("Cancel in the open dialog") << true;
        QTest::newRow("No to the warning") << false;
    }

    void nothingChangesWithoutConsent()
    {
        QFETCH(bool, cancelDialog);
        Archive a;
        makeArchive(a, "ARCHIVE00");
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        w.show();
        test::addClient("NOVAKJ00", "Ján", "Novák", "12");
        Database::close(); // so that the file on disk is complete for the comparison
        const QByteArray before = test::readAll(dir.dbPath());
        QVERIFY(w.load());

        if (cancelDialog)
            p.cancelFile().answer(PromptAnswer::Ok);
        else
            p.chooseFile(a.path).answer(PromptAnswer::No);
        restoreFromMenu(w);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(test::conversation(p),
                 cancelDialog ? QStringList({kOpenDialog, kFailure}) : QStringList({kOpenDialog, kWarning}));
        QCOMPARE(test::readAll(dir.dbPath()), before);
        QCOMPARE(test::listing(dir.path()), QStringList({"ulk.mdb"}));
        QVERIFY(w.isVisible());
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 1);
    }

    void unusableArchivesLeaveTheDatabase_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("zip without ulk.mdb") << "no entry" << kNoDatabase;
        QTest::newRow("file that is no zip") << "no zip" << kNotExpected;
        QTest::newRow("ulk.mdb that is no database") << "garbage" << kNotExpected;
        QTest::newRow("ulk.mdb without the register's tables") << "foreign" << kNotExpected;
        QTest::newRow("only entries that leave the directory") << "escaping" << kNoDatabase;
    }

    void unusableArchivesLeaveTheDatabase()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QTemporaryDir other;
        const QString token = test::uniqueToken();
        const QStringList outside = {QDir::cleanPath(dir.path() + "/../" + token), "/tmp/" + token};
        const QString chosen = other.filePath("arch_ulk.zip");
        if (kind == "no entry") {
            QVERIFY(test::writeZip(chosen, {{"ulk.txt", "text"}, {"data/ulk.mdb", test::readAll(dir.dbPath())}}));
        } else if (kind == "no zip") {
            QVERIFY(test::writeAll(chosen, "PK but not really a zip archive"));
        } else if (kind == "garbage") {
            QVERIFY(test::writeZip(chosen, {{"ulk.mdb", QByteArray(8192, 'x')}}));
        } else if (kind == "foreign") {
            const QString name = QStringLiteral("foreign");
            {
                QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
                db.setDatabaseName(other.filePath("foreign.db"));
                QVERIFY(db.open());
                QVERIFY(QSqlQuery(db).exec("CREATE TABLE k_zaklad (idkod TEXT)"));
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
            QVERIFY(test::writeZip(chosen, {{"ulk.mdb", test::readAll(other.filePath("foreign.db"))}}));
        } else {
            QVERIFY(test::writeZip(chosen, {{"../" + token, "up"}, {"/tmp/" + token, "absolute"},
                                            {"a\\..\\" + token, "backslashes"}}));
        }
        QVERIFY(test::writeAll(dir.file("ulk_ren.mdb"), "an older kept database"));
        const QByteArray before = test::readAll(dir.dbPath());
        const QStringList files = test::listing(dir.path());

        QVERIFY(w.load());
        w.show();
        p.chooseFile(chosen).answer(PromptAnswer::Yes).answer(PromptAnswer::Ok);
        restoreFromMenu(w);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(test::conversation(p), QStringList({kOpenDialog, kWarning, message}));
        QVERIFY(w.isVisible());
        QVERIFY(Database::isOpen());
        Database::close();
        QCOMPARE(test::readAll(dir.dbPath()), before);
        QCOMPARE(test::readAll(dir.file("ulk_ren.mdb")), QByteArray("an older kept database"));
        QCOMPARE(test::listing(dir.path()), files);
        for (const QString &f : outside)
            QVERIFY2(!QFile::exists(f), qPrintable(f));
    }

    void entriesBesideTheDatabaseAreNotWritten()
    {
        Archive a;
        makeArchive(a, "ARCHIVE00");
        const QByteArray database = test::readZip(a.path).first().second;
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QTemporaryDir other;
        const QString token = test::uniqueToken();
        const QString chosen = other.filePath("arch_ulk.zip");
        QVERIFY(test::writeZip(chosen, {{"../" + token, "up"}, {"/tmp/" + token, "absolute"},
                                        {"ulk.mdb", database}, {"a\\..\\" + token, "backslashes"},
                                        {"ulk_ren.mdb", "must not replace the kept database"}}));
        QCOMPARE(test::readZip(chosen).size(), 5);
        QCOMPARE(test::readZip(chosen).first().first, "../" + token);
        const QByteArray previous = test::readAll(dir.dbPath());

        QVERIFY(w.load());
        w.show();
        p.chooseFile(chosen).answer(PromptAnswer::Yes).answer(PromptAnswer::Ok);
        restoreFromMenu(w);
        QCOMPARE(test::conversation(p), QStringList({kOpenDialog, kWarning, kDone}));
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad WHERE idkod = ?", {"ARCHIVE00"}).toInt(), 1);
        QCOMPARE(test::readAll(dir.file("ulk_ren.mdb")), previous);
        QCOMPARE(test::listing(dir.path()), QStringList({"ulk.mdb", "ulk_ren.mdb"}));
        QVERIFY(!QFile::exists(QDir::cleanPath(dir.path() + "/../" + token)));
        QVERIFY(!QFile::exists("/tmp/" + token));
    }

    void restoreAtStartUpThenStartAgain()
    {
        Archive a;
        makeArchive(a, "ARCHIVE00");
        test::ProgramDir dir(false);
        {
            MainWindow w(dir.path());
            test::ScriptedPrompter p;
            p.answer(PromptAnswer::Yes).chooseFile(a.path).answer(PromptAnswer::Ok);
            QVERIFY(!w.load());
            QVERIFY(w.startFailed());
            QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
            // At start-up nothing is asked and no copy is kept.
            QCOMPARE(test::conversation(p), QStringList({kMissing, kOpenDialog, kDone}));
            QCOMPARE(test::listing(dir.path()), QStringList({"ulk.mdb"}));
        }
        MainWindow again(dir.path());
        test::ScriptedPrompter p;
        QVERIFY(again.load());
        QVERIFY(p.prompts.isEmpty());
        QCOMPARE(test::scalar("SELECT priezv FROM k_zaklad WHERE idkod = ?", {"ARCHIVE00"}).toString(),
                 QString("Archívna"));
    }

    void cancelAtStartUpEndsTheStart()
    {
        test::ProgramDir dir(false);
        MainWindow w(dir.path());
        test::ScriptedPrompter p;
        p.answer(PromptAnswer::Yes).cancelFile().answer(PromptAnswer::Ok);
        QVERIFY(!w.load());
        QVERIFY(w.startFailed());
        QCOMPARE(test::conversation(p), QStringList({kMissing, kOpenDialog, kFailure}));
        QVERIFY(test::listing(dir.path()).isEmpty());
    }

    void onlyModeMenuAsksAndKeeps()
    {
        // "menu" in small letters is taken like the start-up: no question, and
        // an ulk.mdb that is there is left alone without a word.
        Archive a;
        makeArchive(a, "ARCHIVE00");
        test::ProgramDir dir;
        const QByteArray before = test::readAll(dir.dbPath());
        RestoreWindow window(dir.path());
        window.setProperty("restoreMode", QStringLiteral("menu"));
        test::ScriptedPrompter p;
        p.chooseFile(a.path);
        window.exec();
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
        QCOMPARE(test::conversation(p), QStringList({kOpenDialog}));
        QCOMPARE(test::readAll(dir.dbPath()), before);
        QCOMPARE(test::listing(dir.path()), QStringList({"ulk.mdb"}));
    }
};

QTEST_MAIN(RestoreWindowTest)
#include "RestoreWindowTest.moc"
