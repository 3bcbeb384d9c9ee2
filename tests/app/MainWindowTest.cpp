#include "NewDatabase.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Tile.h"
#include "common/Clock.h"
#include "common/LongWork.h"
#include "common/SharedState.h"
#include "common/ui/WaitingWindow.h"
#include "data/Database.h"
#include "data/Parts.h"
#include "data/PersonListModel.h"
#include "support/Files.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"
#include "support/ui/QueuedInput.h"
#include "support/ui/WhenModal.h"

#include <QAction>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

using namespace ulk;
using test::ScriptedPrompter;

namespace {
QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QPushButton *button(MainWindow &w, const char *name) { return w.findChild<QPushButton *>(name); }

void click(MainWindow &w, const char *labelName)
{
    auto *l = w.findChild<QLabel *>(labelName);
    QVERIFY2(l, labelName);
    QTest::mouseClick(l, Qt::LeftButton);
}

void hover(MainWindow &w, int tile)
{
    auto *t = w.findChild<Tile *>(QStringLiteral("Picture%1").arg(tile));
    QVERIFY(t);
    // A point of the picture that no label covers.
    QPoint p(2, t->height() - 3);
    QMouseEvent e(QEvent::MouseMove, p, t->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(t, &e);
}

void clickPicture(MainWindow &w, int tile)
{
    auto *t = w.findChild<Tile *>(QStringLiteral("Picture%1").arg(tile));
    QTest::mouseClick(t, Qt::LeftButton, {}, QPoint(2, t->height() - 3));
}

QStringList column(const PersonListModel *m, int c)
{
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->data(m->index(r, c)).toString();
    return out;
}
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        Clock::setToday({});
        test::closeProgram();
    }

    // ------------------------------------------------------------ start-up

    void missingFileAskedAgainUntilItIsThere()
    {
        test::ProgramDir dir(false);
        ScriptedPrompter p;
        // The file is put in place while the question is open; the user answers No.
        p.onMessage([&](const test::Prompt &) { QVERIFY(createNewDatabase(dir.path())); });
        p.answer(PromptAnswer::No);
        // Without ulk.mdb, a tmp.mdb may be the only copy of the data.
        QVERIFY(test::writeAll(dir.file("tmp.mdb"), "data"));
        MainWindow w(dir.path());
        QVERIFY(w.load());
        QVERIFY(!w.startFailed() && QFile::exists(dir.file("tmp.mdb")));
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].text, QString("V adresári - chýba súbor -ulk.mdb-, pokúste sa o obnovu archívu !"));
        QCOMPARE(p.prompts[0].title, QString("Upozornenie"));
        QCOMPARE(p.prompts[0].icon, PromptIcon::Critical);
        QCOMPARE(p.prompts[0].buttons, PromptButtons::YesNo);
        QVERIFY(p.unexpected.isEmpty());
    }

    void missingFileNoTwiceThenYesHandsOverToRestore()
    {
        test::ProgramDir dir(false);
        ScriptedPrompter p;
        p.answer(PromptAnswer::No).answer(PromptAnswer::No).answer(PromptAnswer::Yes);
        MainWindow w(dir.path());
        QVERIFY(!w.load());
        QVERIFY(w.startFailed());
        const int questions = std::count_if(p.prompts.begin(), p.prompts.end(), [](const test::Prompt &pr) {
            return pr.text.startsWith("V adresári - chýba súbor");
        });
        QCOMPARE(questions, 3);
        // Opening never creates the missing file.
        QVERIFY(!QFile::exists(dir.dbPath()));
    }

    // A link at ulk.mdb that leads to no file is told with where it leads;
    // nothing is made at its end.
    void linkLeadingNowhereIsToldAndNothingIsMade()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QTemporaryDir share;
        const QString target = share.filePath("register.mdb");
        QVERIFY(QFile::remove(dir.dbPath()) && QFile::link(target, dir.dbPath()));
        QVERIFY(!w.load() && w.startFailed() && !w.centralWidget()->isEnabled());
        QCOMPARE(p.texts(), QStringList{"Program nemôže pracovať, databázu ulk.mdb nie je možné otvoriť.\nulk.mdb je "
                                        "symbolický odkaz na súbor, ktorý neexistuje (" + target
                                        + "); odkaz ani súbor sa nezmenili"});
        QVERIFY(QDir(share.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden));
    }

    void unusableDatabaseIsToldOnceAndLeftUntouched_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("random bytes") << 0;
        QTest::newRow("empty file") << 1;
        QTest::newRow("database without the tables") << 2;
        QTest::newRow("a table missing") << 3;
        QTest::newRow("file cut short") << 4;
    }

    void unusableDatabaseIsToldOnceAndLeftUntouched()
    {
        QFETCH(int, kind);
        test::ProgramDir dir(kind >= 3);
        if (kind == 0) {
            QByteArray junk;
            for (int i = 0; i < 8192; ++i)
                junk.append(char((i * 7919 + 13) % 251));
            QVERIFY(test::writeAll(dir.dbPath(), junk));
        } else if (kind == 1) {
            QVERIFY(test::writeAll(dir.dbPath(), {}));
        } else if (kind == 2) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "plain");
            db.setDatabaseName(dir.dbPath());
            QVERIFY(db.open());
            QSqlQuery(db).exec("CREATE TABLE other (a TEXT)");
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase("plain");
        } else if (kind == 4) {
            QFile f(dir.dbPath());
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(f.size() / 2));
        } else {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "plain");
            db.setDatabaseName(dir.dbPath());
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("DROP TABLE odbstar"));
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase("plain");
        }
        const QByteArray before = fileHash(dir.dbPath());
        const qint64 sizeBefore = QFileInfo(dir.dbPath()).size();
        ScriptedPrompter p;
        p.answer(PromptAnswer::Ok);
        MainWindow w(dir.path());
        w.show();
        QVERIFY(!w.load());
        QVERIFY(w.startFailed());
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].text, QString("Program nemôže pracovať, je nutný reštart počítača !"));
        QCOMPARE(p.prompts[0].title, QString());
        QCOMPARE(p.prompts[0].icon, PromptIcon::Exclamation);
        QCOMPARE(p.prompts[0].buttons, PromptButtons::Ok);
        QVERIFY(!w.isVisible());
        QVERIFY(!w.centralWidget()->isEnabled());
        QVERIFY(!w.menuBar()->isEnabled());
        QVERIFY(!Database::isOpen());
        QCOMPARE(fileHash(dir.dbPath()), before);
        QCOMPARE(QFileInfo(dir.dbPath()).size(), sizeBefore);
        QVERIFY(!QFile::exists(dir.dbPath() + "-journal"));
    }

    void normalStartState()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        Clock::setToday(QDate(2026, 12, 9));
        QVERIFY(w.load());
        QVERIFY(p.prompts.isEmpty());
        QCOMPARE(w.listMode(), 0);
        for (const char *b : {"CmdNovy", "cmdOprava", "cmdHladaj", "cmdVymaz"})
            QVERIFY2(!button(w, b)->isEnabled(), b);
        QCOMPARE(button(w, "CmdNovy")->text(), QString("Nový"));
        QCOMPARE(button(w, "cmdOprava")->text(), QString("Oprava údajov"));
        QCOMPARE(button(w, "cmdHladaj")->text(), QString("Hľadaj"));
        QCOMPARE(button(w, "cmdVymaz")->text(), QString("Výmaz "));
        QVERIFY(!button(w, "CmdSort")->isVisibleTo(&w));
        QCOMPARE(w.schoolYear(), QString("2026/2027"));
        auto *frame = w.findChild<QFrame *>("Frame2");
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(157, 157, 206));
        // The menus with their items in order.
        QStringList menus;
        for (QAction *a : w.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, QStringList({"Tlač", "Servis", "Koniec"}));
        QStringList print;
        for (QAction *a : w.menuBar()->actions().at(0)->menu()->actions())
            print << a->text();
        QCOMPARE(print, QStringList({"Zostava klientov zoradena podľa veku",
                                     "Zostava klientov zoradená podľa spôsobu vzdelávania",
                                     "Evidenčný počet zamestnancov", "Odborná starostlivosť",
                                     "Dopĺňajúce ukazovatele", "Zoznam klientov"}));
        QStringList service;
        for (QAction *a : w.menuBar()->actions().at(1)->menu()->actions())
            service << a->text();
        QCOMPARE(service, QStringList({"Archivácia dát", "Obnova archivovaných dát"}));
        QCOMPARE(w.findChild<QLabel *>("Label2")->text(), QString("   ZAMESTNANCI"));
        QCOMPARE(w.findChild<Tile *>("Picture6")->toolTip(),
                 QString("Nastaví školský rok pre tvorbu výkazov v tvare RR/RR+1 resp. RRRR/RRRR+1"));
    }

    // --------------------------------------------------------- school year

    void derivedSchoolYear_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("year");
        QTest::newRow("30 September") << QDate(2025, 9, 30) << "2024/2025";
        QTest::newRow("1 October") << QDate(2025, 10, 1) << "2025/2026";
        QTest::newRow("31 December") << QDate(2025, 12, 31) << "2025/2026";
        QTest::newRow("1 January") << QDate(2026, 1, 1) << "2025/2026";
        QTest::newRow("31 August") << QDate(2026, 8, 31) << "2025/2026";
        QTest::newRow("1 September") << QDate(2026, 9, 1) << "2025/2026";
    }

    void derivedSchoolYear()
    {
        QFETCH(QDate, today);
        QFETCH(QString, year);
        test::ProgramWindow program;
        MainWindow &w = program.window;
        Clock::setToday(today);
        QVERIFY(w.load());
        QCOMPARE(w.schoolYear(), year);
    }

    void changeSchoolYear_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("messages");
        const QString len = "Chybna dlzka vstupu, zadaj v tvare rok/rok+1";
        const QString bad = "Chybne zadany datum,zadaj v tvare rok/rok+1";
        QTest::newRow("yy/yy") << QStringList{"25/26"} << "2025/2026" << QStringList{};
        QTest::newRow("yyyy/yyyy") << QStringList{"2025/2026"} << "2025/2026" << QStringList{};
        QTest::newRow("centuries not examined") << QStringList{"1925/1926"} << "2025/2026" << QStringList{};
        QTest::newRow("99/00") << QStringList{"99/00"} << "1999/2000" << QStringList{};
        QTest::newRow("80/81 is one school year") << QStringList{"80/81"} << "1980/1981" << QStringList{};
        QTest::newRow("blanks around") << QStringList{"  19/20 "} << "2019/2020" << QStringList{};
        QTest::newRow("current year") << QStringList{"2026/2027"} << "2026/2027" << QStringList{};
        QTest::newRow("hyphen") << QStringList{"2025-2026", ""} << "2026/2027" << QStringList{bad};
        QTest::newRow("not consecutive") << QStringList{"25/27", "26/25", "24/25"} << "2024/2025"
                                         << QStringList{bad, bad};
        QTest::newRow("seven characters") << QStringList{"2025/26", "25/26"} << "2025/2026" << QStringList{len};
        QTest::newRow("signs and points") << QStringList{"+5/06", "1./2.", " 5/ 6", "05/06"} << "2005/2006"
                                          << QStringList{bad, bad, len};
        QTest::newRow("blanks only") << QStringList{"   "} << "2026/2027" << QStringList{};
    }

    void changeSchoolYear()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, label);
        QFETCH(QStringList, messages);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        Clock::setToday(QDate(2026, 12, 9));
        QVERIFY(w.load());
        // Each refused answer is followed by its message (OK only), then the box again.
        for (int i = 0; i < answers.size(); ++i) {
            p.type(answers.at(i));
            if (i < messages.size())
                p.answer(PromptAnswer::Ok);
        }
        click(w, "lblSkolskyRok");
        QCOMPARE(w.schoolYear(), label);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join("; ")));
        QStringList shown;
        for (const test::Prompt &pr : p.prompts) {
            if (pr.kind == test::Prompt::Input) {
                QCOMPARE(pr.text, QString("Aktuálny školský rok je: '2026/2027' zadaj iný,ak nevyhovuje "));
                QCOMPARE(pr.title, QString("Školský rok"));
                QCOMPARE(pr.defaultText, QString("2026/2027"));
            } else {
                shown << pr.text;
                QCOMPARE(pr.title, QString("Chybová správa"));
                QCOMPARE(pr.icon, PromptIcon::Exclamation);
            }
        }
        QCOMPARE(shown, messages);
    }

    void cancelKeepsAUserYearAndTheDialogProposesTheDerivedOne()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        Clock::setToday(QDate(2026, 12, 9));
        QVERIFY(w.load());
        p.type("19/20");
        click(w, "Label8");
        QCOMPARE(w.schoolYear(), QString("2019/2020"));
        p.cancelInput();
        click(w, "lblSkolskyRok");
        QCOMPARE(w.schoolYear(), QString("2019/2020"));
        QCOMPARE(p.prompts.last().defaultText, QString("2026/2027"));
        QVERIFY(p.unexpected.isEmpty());
    }

    // --------------------------------------------------------------- lists

    void captionsPerMode()
    {
        test::ProgramWindow program;
        MainWindow &w = program.window;
        QVERIFY(program.start());
        click(w, "Label1");
        QCOMPARE(w.listMode(), 1);
        QCOMPARE(button(w, "CmdNovy")->text(), QString("Nový klient"));
        QCOMPARE(button(w, "cmdHladaj")->text(), QString("Hľadaj klienta"));
        QCOMPARE(button(w, "cmdVymaz")->text(), QString("Výmaz klienta"));
        QCOMPARE(button(w, "cmdOprava")->text(), QString("Oprava údajov"));
        QVERIFY(button(w, "CmdSort")->isVisible());
        QCOMPARE(button(w, "CmdSort")->text(), QString("Trieď (katalógové číslo)"));
        // An empty client list: only New is enabled and has the focus.
        QVERIFY(button(w, "CmdNovy")->isEnabled());
        QVERIFY(!button(w, "cmdOprava")->isEnabled());
        QVERIFY(!button(w, "cmdHladaj")->isEnabled());
        QVERIFY(!button(w, "cmdVymaz")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), button(w, "CmdNovy"));
        auto *grid = w.findChild<QTableView *>("dbgKlient");
        QVERIFY(grid->isVisible());
        QStringList heads;
        for (int c = 0; c < 4; ++c)
            heads << grid->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(heads, QStringList({"Meno", "Priezvisko", "Dát.nar.", "Kat.číslo"}));

        click(w, "Label2");
        QCOMPARE(w.listMode(), 2);
        QCOMPARE(button(w, "CmdNovy")->text(), QString("Nový zamestnanec"));
        QCOMPARE(button(w, "cmdHladaj")->text(), QString("Hľadaj zamestnanca"));
        QCOMPARE(button(w, "cmdVymaz")->text(), QString("Výmaz zamestnanca"));
        QVERIFY(!button(w, "CmdSort")->isVisible());
        auto *psych = w.findChild<QTableView *>("dbgPsych");
        QVERIFY(psych->isVisible());
        QVERIFY(!grid->isVisible());
        heads.clear();
        for (int c = 0; c < 3; ++c)
            heads << psych->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(heads, QStringList({"Meno", "Priezvisko", "Pracovné zaradenie"}));
    }

    // A click the user made while the client list was being read, before
    // the waiting window showed, runs once the reading is over, however long
    // it took: the list read whole, then the employees' list.
    void clickDuringALongWaitRunsAfterIt()
    {
        if (Parts::machine() < 2)
            QSKIP("the list is read in parts only on a machine that runs two side by side");
        test::ProgramWindow program;
        MainWindow &w = program.window;
        QVERIFY(program.start());
        // Rowids far apart: the list is read in parts, which the window thread waits for.
        for (const int rowid : {1, 60000})
            test::sql("INSERT INTO k_zaklad (rowid, idkod, meno, priezv, katcis) VALUES (?, ?, ?, ?, ?)",
                      {rowid, QString("KLIENT%1").arg(rowid), "Eva", "Nová", QString::number(rowid)});
        WaitingWindow waiting;
        LongWork::setView(&waiting);
        std::atomic<bool> open{false};
        LongWork::setWorkGate([&open] {
            while (!open)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
        bool queued = false, shown = false;
        QElapsedTimer since;
        since.start();
        QTimer turn;
        turn.setInterval(10);
        connect(&turn, &QTimer::timeout, [&] {
            for (QWidget *t : QApplication::topLevelWidgets())
                shown = shown || (t->objectName() == "frmCakanie" && t->isVisible());
            if (!queued && !shown)
                test::queueClick(w.findChild<QLabel *>("Label2"));
            queued = true;
            open = shown || since.elapsed() > 10000;
        });
        turn.start();
        click(w, "Label1");
        turn.stop();
        LongWork::setWorkGate({});
        LongWork::setView(nullptr);
        QVERIFY(shown);
        QCOMPARE(w.listMode(), 1);
        QCOMPARE(w.clientList()->rowCount(), 2);
        QTRY_COMPARE(w.listMode(), 2);
    }

    void clientsSortInSlovakOrderAndByCatalogueNumber()
    {
        test::ProgramWindow program;
        MainWindow &w = program.window;
        QVERIFY(program.start());
        test::addClient("HUDÁKPE00", "Peter", "Hudák", "100", "2015-03-12");
        test::addClient("CHRAPKJA00", "Ján", "Chrapko", "9");
        test::addClient("ČIERNYAN00", "Anna", "Čierny", "10");
        test::addClient("CIBUĽAEV00", "Eva", "Cibuľa", "02");
        test::addClient("CIBUĽAAD00", "Adam", "cibuľa", "1");
        click(w, "Label1");
        QCOMPARE(column(w.clientList(), 1), QStringList({"cibuľa", "Cibuľa", "Čierny", "Hudák", "Chrapko"}));
        QCOMPARE(column(w.clientList(), 0).first(), QString("Adam"));
        QCOMPARE(w.clientList()->data(w.clientList()->index(3, 2)).toString(), QString("12.3.2015"));
        for (const char *b : {"CmdNovy", "cmdOprava", "cmdHladaj", "cmdVymaz"})
            QVERIFY2(button(w, b)->isEnabled(), b);
        QCOMPARE(QApplication::focusWidget(), w.findChild<QTableView *>("dbgKlient"));

        QTest::mouseClick(button(w, "CmdSort"), Qt::LeftButton);
        QCOMPARE(column(w.clientList(), 3), QStringList({"1", "02", "9", "10", "100"}));
        QCOMPARE(button(w, "CmdSort")->text(), QString("Trieď (priezvisko,meno)"));
        QTest::mouseClick(button(w, "CmdSort"), Qt::LeftButton);
        QCOMPARE(column(w.clientList(), 1).last(), QString("Chrapko"));
        QCOMPARE(button(w, "CmdSort")->text(), QString("Trieď (katalógové číslo)"));
    }

    void editHandsOverKeyAndCaptionThenReturnsToNameOrder()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(program.start());
        test::addClient("KOVACJA00", "Jana", "Kovac", "5");
        test::addClient("ADAMEVA00", "Eva", "Adam", "7");
        click(w, "Label1");
        QTest::mouseClick(button(w, "CmdSort"), Qt::LeftButton); // catalogue order: Kovac first
        auto *grid = w.findChild<QTableView *>("dbgKlient");
        QCOMPARE(w.clientList()->row(grid->currentIndex().row()).idkod, QString("KOVACJA00"));
        SharedState seen;
        auto closeWindow = [&](QWidget *dlg) {
            seen = shared();
            QTest::mouseClick(dlg->findChild<QPushButton *>("cmdStorno"), Qt::LeftButton);
        };
        test::whenModal("ulk::ClientWindow", closeWindow);
        QTest::mouseClick(button(w, "cmdOprava"), Qt::LeftButton);
        QCOMPARE(seen.recordMode, quint8(2));
        QCOMPARE(seen.currentRecordId, QString("KOVACJA00"));
        QCOMPARE(seen.recordCaption, QString("KOVACJA00 : Jana  Kovac"));
        QCOMPARE(shared().recordMode, quint8(0));
        // Back in name order, on the edited client; the toggle keeps its caption.
        QCOMPARE(column(w.clientList(), 1), QStringList({"Adam", "Kovac"}));
        QCOMPARE(grid->currentIndex().row(), 1);
        QCOMPARE(button(w, "CmdSort")->text(), QString("Trieď (priezvisko,meno)"));
        QCOMPARE(w.tileColour(1), QColor(185, 255, 185));

        test::whenModal("ulk::ClientWindow", closeWindow);
        QTest::mouseClick(button(w, "CmdNovy"), Qt::LeftButton);
        QCOMPARE(seen.recordMode, quint8(1));
        QVERIFY(seen.currentRecordId.isEmpty());
        QVERIFY(seen.recordCaption.isEmpty());
        QVERIFY(p.unexpected.isEmpty());
    }

    void employeesWithoutAJobFunctionAreNotListed()
    {
        test::ProgramWindow program;
        MainWindow &w = program.window;
        QVERIFY(w.load());
        test::addEmployee("NOVÁJA00", "Jana", "Nová", 4);
        test::addEmployee("BEZFUN00", "Peter", "Bez", 42);
        test::addEmployee("O'NEILMA00", "Mary", "O'Neil", 2);
        click(w, "Label2");
        QCOMPARE(column(w.employeeList(), 1), QStringList({"Nová", "O'Neil"}));
        QCOMPARE(column(w.employeeList(), 2), QStringList({"Psychológ", "Špeciálny pedagóg"}));
    }

    // ------------------------------------------------------------ side bar

    void sideBarColours()
    {
        test::ProgramWindow program;
        MainWindow &w = program.window;
        QVERIFY(program.start());
        const QColor design = w.tileColour(1);
        const QColor normal(255, 255, 217), hoverC(255, 255, 168), chosen(185, 255, 185);
        // The first hover after start paints only the hovered tile.
        hover(w, 4);
        QCOMPARE(w.tileColour(4), hoverC);
        QCOMPARE(w.labelColour("Label4"), hoverC);
        QCOMPARE(w.tileColour(6), design);
        // From tile 4 straight onto tile 6: 4 takes its rest colour, and tile 6
        // paints all three of its controls.
        hover(w, 6);
        QCOMPARE(w.tileColour(6), hoverC);
        QCOMPARE(w.labelColour("Label8"), hoverC);
        QCOMPARE(w.labelColour("lblSkolskyRok"), hoverC);
        QCOMPARE(w.tileColour(4), normal);
        QCOMPARE(w.labelColour("Label4"), normal);
        QCOMPARE(w.tileColour(1), design);
        hover(w, 1);
        QCOMPARE(w.tileColour(6), normal);
        QCOMPARE(w.labelColour("Label8"), normal);
        QCOMPARE(w.labelColour("lblSkolskyRok"), normal);
        // A click on the picture of tile 1: hover colour stays, the next hover is swallowed.
        clickPicture(w, 1);
        QCOMPARE(w.listMode(), 1);
        QCOMPARE(w.tileColour(1), hoverC);
        QVERIFY(w.skipNextHover());
        hover(w, 2);
        QCOMPARE(w.tileColour(2), design); // swallowed: nothing painted
        QCOMPARE(w.tileColour(1), hoverC);
        QVERIFY(!w.skipNextHover());
        hover(w, 2);
        QCOMPARE(w.tileColour(2), hoverC);
        QCOMPARE(w.tileColour(1), chosen);
        // The label "ZAMESTNANCI" swallows no hover; tile 1 turns normal at once.
        click(w, "Label2");
        QVERIFY(!w.skipNextHover());
        QCOMPARE(w.tileColour(1), normal);
        QCOMPARE(w.tileColour(2), hoverC);
        hover(w, 4);
        QCOMPARE(w.tileColour(2), chosen);
        // Clicking the same list tile again paints it chosen at once.
        click(w, "Label2");
        QCOMPARE(w.tileColour(2), chosen);
        QCOMPARE(w.chosenTile(), 2);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
