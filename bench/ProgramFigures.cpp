#include "ProgramFigures.h"

#include "Anchors.h"
#include "Figures.h"
#include "app/ui/MainWindow.h"
#include "archive/Archiver.h"
#include "archive/Restorer.h"
#include "client/ClientRecord.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "data/Compactor.h"
#include "data/Database.h"
#include "data/PersonListModel.h"
#include "statement/StatementPeriod.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

using namespace ulk;

namespace bench {

namespace {

// Answers every question Yes, the search's input box with `typed` and the
// save dialog with `saveAs`.
class BenchPrompter : public Prompter {
public:
    PromptAnswer message(const MessageRequest &) override { return PromptAnswer::Yes; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return typed; }
    std::optional<QString> saveFile(const FileRequest &) override { return saveAs; }
    std::optional<QString> openFile(const FileRequest &) override { return std::nullopt; }

    std::optional<QString> typed;
    std::optional<QString> saveAs;
};

double since(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e6; }

// The window's frame handed to the window system and, on an X server, taken
// in by it: the server answers a round trip only after every request sent
// before it, the frame's included.
void paintedOnScreen(QWidget *window)
{
    window->repaint();
    QGuiApplication::sync();
}

// Times a user's action until its result is on screen: the action, then a
// synchronous repaint of the window that shows the result.
double untilPainted(QWidget *window, const std::function<void()> &action)
{
    QElapsedTimer t;
    t.start();
    action();
    paintedOnScreen(window);
    return since(t);
}

// Times an action that opens a modal window (and returns once it is closed)
// until that window has been shown (mapped and exposed, on an X server) and
// painted; then `after` runs on it (it may take further times) and the
// window is closed. *closeWait: from the close until the action returned.
double untilModalPainted(const std::function<void()> &action, const std::function<void(QWidget *)> &after = {},
                         double *closeWait = nullptr)
{
    QElapsedTimer t;
    double shown = -1, closed = -1;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || !w->windowHandle() || !w->windowHandle()->isExposed())
            return;
        poll.stop();
        paintedOnScreen(w);
        shown = since(t);
        if (after)
            after(w);
        closed = since(t);
        w->close();
    });
    t.start();
    poll.start();
    action();
    poll.stop();
    if (closeWait)
        *closeWait = closed >= 0 ? since(t) - closed : -1;
    return shown;
}

struct Session {
    BenchPrompter *prompter = nullptr;
    QString dir, db;
    std::unique_ptr<MainWindow> window;
    QLabel *clientsTile = nullptr;
    QTableView *grid = nullptr;

    PersonListModel *list() const { return window->clientList(); }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QString::fromLatin1(name)); }
    QPushButton *button(const char *name) const
    {
        return window->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    double showClients() { return untilPainted(window.get(), [&] { QTest::mouseClick(clientsTile, Qt::LeftButton); }); }
};

double listFigures(Session &s)
{
    // Each run opens the register anew, so the list is read from the file.
    const double first = median([&] { return s.showClients(); },
                                [&] {
                                    s.window->unload();
                                    s.window->load();
                                });
    figure(QStringLiteral("client list first painted (Slovak order)"),
           QStringLiteral("SQLite, ICU Slovak collation"), first, median([&] { return Anchors::listByName(s.db); }));

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
    QList<double> again, written, closing;
    const double age = median(
        [&] {
            QElapsedTimer whole;
            whole.start();
            double wait = -1;
            const double t = untilModalPainted([&] { s.action("mniVek")->trigger(); }, {}, &wait);
            written << since(whole);
            closing << wait;
            again << s.showClients();
            return t;
        },
        [&] { Anchors::clearAges(s.db); });
    std::sort(written.begin(), written.end());
    std::sort(closing.begin(), closing.end());
    std::sort(again.begin(), again.end());
    figure(QStringLiteral("statement section I until its preview shows"), QStringLiteral("one SQL aggregate"), age,
           median([&] { return Anchors::ageSection(s.db, from, until, today); }));
    // The ages are written while the preview is shown; a preview closed at
    // once waits for them.
    figure(QStringLiteral("section I until the ages are written"), QString(),
           written.at(written.size() / 2), -1);
    figure(QStringLiteral("section I: its preview closed at once waits"), QString(), closing.at(closing.size() / 2),
           -1);
    figure(QStringLiteral("client list shown again after section I"), QStringLiteral("its first painting"),
           again.at(again.size() / 2), firstShown);
    figure(QStringLiteral("statement section II until its preview shows"), QStringLiteral("one SQL aggregate"),
           median([&] { return untilModalPainted([&] { s.action("mniVzd")->trigger(); }); }),
           median([&] { return Anchors::educationSection(s.db, from, until); }));
    figure(QStringLiteral("statement section III until its preview shows"), QStringLiteral("one SQL aggregate"),
           median([&] { return untilModalPainted([&] { s.action("mniZam")->trigger(); }); }),
           median([&] { return Anchors::employeeSection(s.db); }));
}

// The printed client list through the menu, as the user opens it: the first
// page painted, then the last page reached; its memory is what the process
// grew by until then. A preview slower than 20 s is measured once.
void clientListPreview(Session &s)
{
    QList<double> first, last, grown;
    for (int run = 0; run < 3; ++run) {
        const long before = residentKb();
        QElapsedTimer t;
        t.start();
        first << untilModalPainted([&] { s.action("mniZozKlient")->trigger(); },
                                   [&](QWidget *w) {
                                       // The tool bar's "Posledná", as the user turns to the end.
                                       if (auto *toEnd = w->findChild<QAction *>(QStringLiteral("actPoslednaStrana"))) {
                                           toEnd->trigger();
                                           w->repaint();
                                       }
                                       last << since(t);
                                       grown << (residentKb() - before) / 1024.0;
                                   });
        if (last.constLast() > 20000)
            break;
    }
    for (QList<double> *l : {&first, &last, &grown})
        std::sort(l->begin(), l->end());
    const auto mid = [](const QList<double> &l) { return l.isEmpty() ? -1.0 : l.at(l.size() / 2); };
    figure(QStringLiteral("client list report: first page shown"), QString(), mid(first), -1);
    figure(QStringLiteral("client list report: last page reached"), QString(), mid(last), -1);
    figure(QStringLiteral("client list report: memory grown"), QString(), mid(grown), -1, QStringLiteral("MB"));

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
    for (QList<double> *l : {&saved, &saveGrown})
        std::sort(l->begin(), l->end());
    figure(QStringLiteral("client list report: saved as PDF, every page"), QString(), mid(saved), -1);
    figure(QStringLiteral("client list report: pages saved"), QString(), pages, -1, QStringLiteral("pages"));
    figure(QStringLiteral("client list report: memory grown in saving"), QString(), mid(saveGrown), -1,
           QStringLiteral("MB"));
}

void fileFigures(Session &s)
{
    s.window->unload();
    QString error;
    const QString scratch = QDir(s.dir).filePath(QStringLiteral("anchor.tmp"));
    figure(QStringLiteral("compaction at exit"), QStringLiteral("VACUUM INTO"),
           median([&] {
               QElapsedTimer t;
               t.start();
               return Compactor::compact(s.dir, &error) ? since(t) : -1;
           }),
           median([&] { return Anchors::vacuumInto(s.db, scratch); }));

    QDir(s.dir).mkpath(QStringLiteral("elsewhere"));
    const QString target = QDir(s.dir).filePath(QStringLiteral("elsewhere/zaloha.zip"));
    figure(QStringLiteral("archive (pack, copy to the chosen place)"), QStringLiteral("libzip pack, level 1"),
           median([&] {
               QElapsedTimer t;
               t.start();
               return Archiver::pack(s.dir, &error) && Archiver::deliver(s.dir, target, &error) ? since(t) : -1;
           }),
           median([&] { return Anchors::zipPack(s.db, scratch); }));
    figure(QStringLiteral("restore from the menu"), QStringLiteral("libzip unpack"),
           median([&] {
               QElapsedTimer t;
               t.start();
               return Restorer::restore(s.dir, target, true, &error) == Restorer::Outcome::Restored ? since(t) : -1;
           }),
           median([&] { return Anchors::zipUnpack(target, scratch); }));
}

} // namespace

void measureProgram(const QString &dir)
{
    BenchPrompter prompter;
    setPrompter(&prompter);
    Session s;
    s.prompter = &prompter;
    s.dir = dir;
    s.db = Database::pathIn(dir);
    s.window = std::make_unique<MainWindow>(dir);
    s.window->load();
    s.window->show();
    (void)QTest::qWaitForWindowExposed(s.window.get());
    s.clientsTile = s.window->findChild<QLabel *>(QStringLiteral("Label1"));
    s.grid = s.window->findChild<QTableView *>(QStringLiteral("dbgKlient"));

    const double firstShown = listFigures(s);
    recordFigures(s);
    searchDeleteFigures(s);
    statementFigures(s, firstShown);
    clientListPreview(s);
    fileFigures(s);
    s.window.reset();
    setPrompter(nullptr);
    figure(QStringLiteral("peak memory of the measuring process"), QString(), peakResidentKb() / 1024.0, -1,
           QStringLiteral("MB"));
}

} // namespace bench
