#include "ProgramFigures.h"

#include "Anchors.h"
#include "FileFigures.h"
#include "Figures.h"
#include "Session.h"
#include "client/ClientRecord.h"
#include "common/Clock.h"
#include "data/Database.h"
#include "statement/StatementPeriod.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

using namespace ulk;

namespace bench {

namespace {

double listFigures(Session &s)
{
    // Each run opens the register anew, so the list is read from the file.
    QList<double> stalls;
    const double first = median(
        [&] {
            double stall = -1;
            const double t = s.showClients(&stall);
            stalls << stall;
            return t;
        },
        [&] {
            s.window->unload();
            s.window->load();
        });
    const QString name = QStringLiteral("client list first painted (Slovak order)");
    figure(name, QStringLiteral("SQLite, ICU Slovak collation"), first, median([&] { return Anchors::listByName(s.db); }));
    stallFigure(QStringLiteral("client list shown"), stalls);

    QPushButton *sort = s.button("CmdSort");
    const auto byName = [&] {
        if (!sort->text().startsWith(QStringLiteral("Trieď (k")))
            QTest::mouseClick(sort, Qt::LeftButton);
    };
    const double catalogue =
        median([&] { return untilPainted(s.window.get(), [&] { QTest::mouseClick(sort, Qt::LeftButton); }); }, byName);
    byName();
    figure(QStringLiteral("re-sort by catalogue number"), QStringLiteral("ORDER BY CAST(katcis AS INTEGER)"),
           catalogue, median([&] { return Anchors::listByCatalogue(s.db); }));
    return first;
}

void recordFigures(Session &s)
{
    const int near = s.list()->rowCount() - 2;
    const double open = median([&] { return untilModalPainted([&] { QTest::mouseClick(s.button("cmdOprava"), Qt::LeftButton); }); },
                               [&] { s.grid->setCurrentIndex(s.list()->index(near, 0)); });
    figure(QStringLiteral("client record window open and painted"), QStringLiteral("goal 60 ms"), open, 60);

    // The surname changes at every run, so the key does too; the list then
    // shows the client at the new place.
    QString key = s.list()->row(near).idkod;
    int run = 0;
    const double save = median([&] {
        ClientRow stored;
        ClientRecord::load(key, &stored);
        ClientRow edited = stored;
        edited.values[QStringLiteral("priezv")] = QStringLiteral("Zmena%1").arg(QChar(u'A' + run++));
        return untilPainted(s.window.get(), [&] {
            const ClientRecord::SaveResult r = ClientRecord::save(stored, edited, ClientRecord::KeyRule::Edit);
            key = r.key;
            s.list()->refresh();
            const QModelIndex at = s.list()->index(s.list()->rowOfKey(key), 0);
            s.grid->setCurrentIndex(at);
            s.grid->scrollTo(at);
        });
    });
    figure(QStringLiteral("save with key change until the list shows it"), QStringLiteral("goal 50 ms"), save, 50);

    // Only the street changes: the key stays.
    const double plain = median([&] {
        ClientRow stored;
        ClientRecord::load(key, &stored);
        ClientRow edited = stored;
        edited.values[QStringLiteral("ulica")] = QStringLiteral("Hlavná %1").arg(run++);
        return untilPainted(s.window.get(), [&] {
            ClientRecord::save(stored, edited, ClientRecord::KeyRule::Edit);
            s.list()->refresh();
            const QModelIndex at = s.list()->index(s.list()->rowOfKey(key), 0);
            s.grid->setCurrentIndex(at);
            s.grid->scrollTo(at);
        });
    });
    figure(QStringLiteral("save, key kept, until the list shows it"), QStringLiteral("goal 50 ms"), plain, 50);
}

// "Hľadaj" with a surname typed, until the list shows the client found;
// "Výmaz " of a client (confirmed) until the list is shown without it.
void searchDeleteFigures(Session &s)
{
    const PersonListModel::Row wanted = s.list()->row(s.list()->rowCount() / 3);
    s.prompter->typed = wanted.priezv.trimmed() + QLatin1Char(' ') + wanted.meno.trimmed();
    const double search = median([&] {
        return untilPainted(s.window.get(), [&] { QTest::mouseClick(s.button("cmdHladaj"), Qt::LeftButton); });
    }, [&] { s.grid->setCurrentIndex(s.list()->index(0, 0)); });
    s.prompter->typed.reset();
    figure(QStringLiteral("search by surname and name until shown"), QStringLiteral("goal 100 ms"), search, 100);

    const double removal = median([&] {
        return untilPainted(s.window.get(), [&] { QTest::mouseClick(s.button("cmdVymaz"), Qt::LeftButton); });
    }, [&] { s.grid->setCurrentIndex(s.list()->index(s.list()->rowCount() / 2, 0)); });
    figure(QStringLiteral("delete a client until the list shows it gone"), QStringLiteral("SQLite, ICU Slovak collation"),
           removal, median([&] { return Anchors::listByName(s.db); }));
}

void statementFigures(Session &s, double firstShown)
{
    const auto period = statement::StatementPeriod::fromSchoolYear(s.window->schoolYear());
    const QString from = period->from(), until = period->until();
    const QString today = Clock::today().toString(Qt::ISODate);

    // Section I writes the age of every client it counts (the ages are
    // forgotten before each run, behind the program's back, so that it writes
    // them all); the list is then shown again after each run.
    QList<double> again, written, closing, stalls;
    const double age = median(
        [&] {
            QElapsedTimer whole;
            whole.start();
            double wait = -1, stall = -1;
            const double t = untilModalPainted([&] { s.action("mniVek")->trigger(); }, {}, &wait, &stall);
            written << since(whole);
            closing << wait;
            stalls << stall;
            again << s.showClients();
            return t;
        },
        [&] { Anchors::clearAges(s.db); });
    const QString first = QStringLiteral("statement section I until its preview shows");
    figure(first, QStringLiteral("one SQL aggregate"), age,
           median([&] { return Anchors::ageSection(s.db, from, until, today); }));
    stallFigure(QStringLiteral("section I"), stalls);
    // The ages are written while the preview is shown; a preview closed at
    // once waits for them.
    figure(QStringLiteral("section I until the ages are written"), QString(), middle(written), -1);
    figure(QStringLiteral("section I: its preview closed at once waits"), QString(), middle(closing), -1);
    figure(QStringLiteral("client list shown again after section I"), QStringLiteral("its first painting"),
           middle(again), firstShown);
    stalls.clear();
    const double education = median([&] {
        double stall = -1;
        const double t = untilModalPainted([&] { s.action("mniVzd")->trigger(); }, {}, nullptr, &stall);
        stalls << stall;
        return t;
    });
    const QString second = QStringLiteral("statement section II until its preview shows");
    figure(second, QStringLiteral("one SQL aggregate"), education,
           median([&] { return Anchors::educationSection(s.db, from, until); }));
    stallFigure(QStringLiteral("section II"), stalls);
    figure(QStringLiteral("statement section III until its preview shows"), QStringLiteral("one SQL aggregate"),
           median([&] { return untilModalPainted([&] { s.action("mniZam")->trigger(); }); }),
           median([&] { return Anchors::employeeSection(s.db); }));
}

// The printed client list through the menu, as the user opens it: the first
// page painted, then the last page reached; the process's memory with the
// preview open (it is opened after sections I and II), and what the process
// grew by until the last page. A preview slower than 20 s is measured once.
void clientListPreview(Session &s)
{
    QList<double> first, last, grown, held, stalls;
    for (int run = 0; run < 3; ++run) {
        const long before = residentKb();
        QElapsedTimer t;
        t.start();
        double stall = -1;
        first << untilModalPainted([&] { s.action("mniZozKlient")->trigger(); },
                                   [&](QWidget *w) {
                                       held << residentKb() / 1024.0;
                                       // The tool bar's "Posledná", as the user turns to the end.
                                       if (auto *toEnd = w->findChild<QAction *>(QStringLiteral("actPoslednaStrana"))) {
                                           toEnd->trigger();
                                           w->repaint();
                                       }
                                       last << since(t);
                                       grown << (residentKb() - before) / 1024.0;
                                   },
                                   nullptr, &stall);
        stalls << stall;
        if (last.constLast() > 20000)
            break;
    }
    const QString shown = QStringLiteral("client list report: first page shown");
    figure(shown, QStringLiteral("goal 1 s"), middle(first), 1000);
    stallFigure(QStringLiteral("client list preview"), stalls);
    figure(QStringLiteral("client list report: last page reached"), QString(), middle(last), -1);
    figure(QStringLiteral("client list report: process memory while shown"), QStringLiteral("goal 300 MB"),
           middle(held), 300, QStringLiteral("MB"));
    figure(QStringLiteral("client list report: memory grown"), QString(), middle(grown), -1, QStringLiteral("MB"));
}

void clientListPdf(Session &s)
{
    // "Uložiť ako PDF" of the whole list from its preview, until the file is
    // written; the memory the process grew by while it was written.
    const QString pdf = QDir(s.dir).filePath(QStringLiteral("zoznam.pdf"));
    s.prompter->saveAs = pdf;
    QList<double> saved, saveGrown;
    double pages = -1;
    for (int run = 0; run < 3; ++run) {
        QFile::remove(pdf);
        untilModalPainted([&] { s.action("mniZozKlient")->trigger(); }, [&](QWidget *w) {
            auto *save = w->findChild<QAction *>(QStringLiteral("actUlozitPdf"));
            auto *count = w->findChild<QLabel *>(QStringLiteral("lblPocetStran"));
            if (!save)
                return;
            // The most the process held while the pages were written, seen
            // whenever the save lets events through, and at its end.
            const long before = residentKb();
            long most = before;
            QTimer sample;
            sample.setInterval(0);
            QObject::connect(&sample, &QTimer::timeout, [&] { most = std::max(most, residentKb()); });
            sample.start();
            QElapsedTimer t;
            t.start();
            save->trigger();
            if (QFileInfo(pdf).size() > 0)
                saved << since(t);
            sample.stop();
            most = std::max(most, residentKb());
            saveGrown << (most - before) / 1024.0;
            if (count)
                pages = count->text().remove(QStringLiteral("z")).trimmed().toInt();
        });
        if (saved.isEmpty() || saved.constLast() > 20000)
            break;
    }
    s.prompter->saveAs.reset();
    QFile::remove(pdf);
    figure(QStringLiteral("client list report: saved as PDF, every page"), QString(), middle(saved), -1);
    figure(QStringLiteral("client list report: pages saved"), QString(), pages, -1, QStringLiteral("pages"));
    figure(QStringLiteral("client list report: memory grown in saving"), QString(), middle(saveGrown), -1,
           QStringLiteral("MB"));
}

// The program as it starts on the register in dir: its main window loaded
// and shown.
void start(Session &s, BenchPrompter &prompter, const QString &dir)
{
    setPrompter(&prompter);
    s.prompter = &prompter;
    s.dir = dir;
    s.db = Database::pathIn(dir);
    s.window = std::make_unique<MainWindow>(dir);
    s.window->load();
    s.window->show();
    (void)QTest::qWaitForWindowExposed(s.window.get());
    s.clientsTile = s.window->findChild<QLabel *>(QStringLiteral("Label1"));
    s.grid = s.window->findChild<QTableView *>(QStringLiteral("dbgKlient"));
}

// The printed client list as the first thing done after the start: the
// saved query is made then, the first report of the process is shown.
void firstClientListPreview(Session &s)
{
    double closing = -1, stall = -1;
    const double shown =
        untilModalPainted([&] { s.action("mniZozKlient")->trigger(); }, {}, &closing, &stall);
    figure(QStringLiteral("client list report: first page shown, first after a start"), QStringLiteral("goal 1 s"),
           shown, 1000);
    stallFigure(QStringLiteral("client list preview, first after a start"), {stall});
    figure(QStringLiteral("client list report: closed at once waits, first after a start"), QString(), closing,
           -1);
}

// Section I as the first thing done after the start, on a register whose
// ages are not written yet: the first section I of a school year.
void firstAgeSection(Session &s)
{
    QElapsedTimer whole;
    whole.start();
    double closing = -1, stall = -1;
    const double shown = untilModalPainted([&] { s.action("mniVek")->trigger(); }, {}, &closing, &stall);
    const double written = since(whole);
    figure(QStringLiteral("statement section I until its preview shows, first after a start"), QString(), shown,
           -1);
    stallFigure(QStringLiteral("section I, first after a start"), {stall});
    figure(QStringLiteral("section I until the ages are written, first after a start"), QString(), written, -1);
}

} // namespace

void measureFirstRun(const QString &dir, const QString &group)
{
    BenchPrompter prompter;
    Session s;
    start(s, prompter, dir);
    if (group == QLatin1String("preview"))
        firstClientListPreview(s);
    else if (group == QLatin1String("statement"))
        firstAgeSection(s);
    s.window.reset();
    setPrompter(nullptr);
}

void measureProgram(const QString &dir)
{
    BenchPrompter prompter;
    Session s;
    start(s, prompter, dir);

    const double firstShown = listFigures(s);
    if (wanted("record"))
        recordFigures(s);
    if (wanted("search"))
        searchDeleteFigures(s);
    if (wanted("statement"))
        statementFigures(s, firstShown);
    if (wanted("preview"))
        clientListPreview(s);
    if (wanted("pdf"))
        clientListPdf(s);
    if (wanted("compaction") || wanted("archive") || wanted("restore"))
        fileFigures(s);
    s.window.reset();
    setPrompter(nullptr);
    figure(QStringLiteral("peak memory of the measuring process"), QString(), peakResidentKb() / 1024.0, -1,
           QStringLiteral("MB"));
}

} // namespace bench
