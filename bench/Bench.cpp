// Measures the program's own code on generated registers of 20,000 and
// 200,000 clients, each figure beside the same work done by one plain SQLite
// query on the same file where there is one.
#include "RegisterGenerator.h"
#include "app/ui/MainWindow.h"
#include "common/Prompter.h"
#include "data/Compactor.h"
#include "data/Database.h"
#include "data/PersonListModel.h"
#include "archive/Archiver.h"
#include "archive/Restorer.h"
#include "employee/EmployeeStore.h"
#include "client/ClientRecord.h"
#include "client/ui/ClientWindow.h"
#include "common/SharedState.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

using namespace ulk;

namespace {

class BenchPrompter : public Prompter {
public:
    QString nextInput;
    PromptAnswer nextAnswer = PromptAnswer::Yes;
    PromptAnswer message(const MessageRequest &) override { return nextAnswer; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return nextInput; }
    std::optional<QString> saveFile(const FileRequest &) override { return std::nullopt; }
    std::optional<QString> openFile(const FileRequest &) override { return std::nullopt; }
};

double ms(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

// Best of three runs of fn, each after prepare.
double best(const std::function<void()> &prepare, const std::function<void()> &fn, int runs = 3)
{
    double b = 1e300;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        b = std::min(b, ms(fn));
    }
    return b;
}

double plain(const QString &dbPath, const QString &sql, bool exec = false)
{
    const QString name = QStringLiteral("bench-plain");
    double t = 0;
    {
        QString error;
        QSqlDatabase db = Database::openExtra(dbPath, name, false, &error);
        t = best(nullptr, [&] {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (exec) {
                db.transaction();
                for (const QString &s : sql.split(QLatin1Char(';'), Qt::SkipEmptyParts))
                    q.exec(s);
                db.commit();
                return;
            }
            q.exec(sql);
            while (q.next())
                q.value(0);
        });
    }
    Database::closeExtra(name);
    return t;
}

void row(const char *what, double ours, double sqlite)
{
    if (sqlite > 0)
        std::printf("  %-44s %10.1f ms %10.1f ms %8.1fx\n", what, ours, sqlite, ours / sqlite);
    else
        std::printf("  %-44s %10.1f ms %13s %9s\n", what, ours, "-", "-");
}

long peakKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void measure(int clients)
{
    QTemporaryDir dir;
    GeneratorOptions o;
    o.clients = clients;
    QString error;
    const double gen = ms([&] { generateRegister(dir.path(), o, &error); });
    const QString db = Database::pathIn(dir.path());
    std::printf("\n%d clients (file %.0f MB, generated in %.1f s)\n", clients,
                QFileInfo(db).size() / 1048576.0, gen / 1000);
    std::printf("  %-44s %13s %13s %9s\n", "operation", "program", "plain SQLite", "ratio");

    BenchPrompter prompter;
    setPrompter(&prompter);
    auto window = std::make_unique<MainWindow>(dir.path());
    const double start = ms([&] {
        window->load();
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
    });
    row("start-up until the main window is shown", start, plain(db, "SELECT count(*) FROM k_zaklad"));

    auto *clientsLabel = window->findChild<QLabel *>("Label1");
    const double firstOpen = ms([&] { QTest::mouseClick(clientsLabel, Qt::LeftButton); });
    row("client list first shown (whole table read)", firstOpen,
        plain(db, "SELECT idkod, meno, priezv, datnar, katcis FROM k_zaklad ORDER BY priezv COLLATE SK, meno COLLATE SK"));
    const double byName = best(nullptr, [&] { QTest::mouseClick(clientsLabel, Qt::LeftButton); });
    row("client list shown again in name order", byName,
        plain(db, "SELECT idkod, meno, priezv, datnar, katcis FROM k_zaklad ORDER BY priezv COLLATE SK, meno COLLATE SK"));
    auto *sort = window->findChild<QPushButton *>("CmdSort");
    const double byCatalogue = best([&] { QTest::mouseClick(clientsLabel, Qt::LeftButton); },
                                    [&] { QTest::mouseClick(sort, Qt::LeftButton); });
    row("client list in catalogue order", byCatalogue,
        plain(db, "SELECT idkod, meno, priezv, datnar, katcis FROM k_zaklad ORDER BY CAST(katcis AS INTEGER)"));

    QTest::mouseClick(clientsLabel, Qt::LeftButton);
    const PersonListModel *list = window->clientList();
    const PersonListModel::Row &nearEnd = list->row(list->rowCount() - 2);
    prompter.nextInput = nearEnd.priezv + QLatin1Char(' ') + nearEnd.meno;
    auto *search = window->findChild<QPushButton *>("cmdHladaj");
    const double found = best(nullptr, [&] { QTest::mouseClick(search, Qt::LeftButton); });
    row("search near the end of the list", found,
        plain(db, QStringLiteral("SELECT idkod FROM k_zaklad WHERE priezv LIKE '%1%' AND meno LIKE '%2%' "
                                 "ORDER BY priezv COLLATE SK, meno COLLATE SK LIMIT 1")
                      .arg(nearEnd.priezv, nearEnd.meno)));

    // A client's record window with all its lists and code lists.
    {
        const QString key = nearEnd.idkod;
        shared().recordMode = 2;
        shared().currentRecordId = key;
        const double open = best(nullptr, [&] {
            ClientWindow w(dir.path());
            w.show();
            (void)QTest::qWaitForWindowExposed(&w);
        });
        QString lists;
        for (const char *t : {"k_navstevy", "k_surodenci", "k_vysetrenie", "k_zariad", "k_zaznam_spc", "k_zaznam_zmeny"})
            lists += QStringLiteral("SELECT * FROM %1 WHERE idkod = '%2' ORDER BY 2;").arg(QLatin1String(t), key);
        const double plainOpen = ms([&] {
            for (const QString &sql : (QStringLiteral("SELECT * FROM k_zaklad WHERE idkod = '%1';SELECT * FROM k_memo "
                                                      "WHERE idkod = '%1';SELECT * FROM c_iczuj ORDER BY nazov;")
                                           .arg(key)
                                       + lists)
                                          .split(QLatin1Char(';'), Qt::SkipEmptyParts))
                plain(db, sql);
        }) / 3;
        row("open a client's record window", open, plainOpen);
        shared() = SharedState();

        ClientRow stored;
        ClientRecord::load(key, &stored, &error);
        ClientRow edited = stored;
        edited.values[QStringLiteral("ulica")] = QStringLiteral("Nová 1");
        const double firstSave = ms([&] { ClientRecord::save(stored, edited, ClientRecord::KeyRule::Edit); });
        edited.values[QStringLiteral("ulica")] = QStringLiteral("Nová 3");
        const double save = ms([&] { ClientRecord::save(stored, edited, ClientRecord::KeyRule::Edit); });
        std::printf("  (first write of the run: %.1f ms)\n", firstSave);
        row("save a client without a key change", save,
            ms([&] { plain(db, QStringLiteral("UPDATE k_zaklad SET ulica = 'Nová 2' WHERE idkod = '%1';"
                                              "UPDATE k_memo SET poznamky = 'x' WHERE idkod = '%1';").arg(key), true); }) / 3);
        ClientRecord::load(key, &stored, &error);
        edited = stored;
        edited.values[QStringLiteral("priezv")] = QStringLiteral("Zmenená");
        ClientRecord::SaveResult renamed;
        const double rename = ms([&] { renamed = ClientRecord::save(stored, edited, ClientRecord::KeyRule::Edit); });
        QString cascadeBack;
        for (const char *t : {"k_zaklad", "k_memo", "k_navstevy", "k_surodenci", "k_vysetrenie", "k_zariad",
                              "k_zaznam_spc", "k_zaznam_zmeny"})
            cascadeBack += QStringLiteral("UPDATE %1 SET idkod = '%2' WHERE idkod = '%3';").arg(QLatin1String(t), key, renamed.key);
        row("save a client with a key change (cascade)", rename, ms([&] { plain(db, cascadeBack, true); }) / 3);
    }

    // Delete a client near the end with everything recorded about it; plain
    // SQLite deletes another client of the same size class.
    const QString key = list->row(list->rowCount() - 3).idkod;
    QString cascade;
    for (const char *t : {"k_memo", "k_navstevy", "k_surodenci", "k_vysetrenie", "k_zariad", "k_zaznam_spc",
                          "k_zaznam_zmeny", "k_zaklad"})
        cascade += QStringLiteral("DELETE FROM %1 WHERE idkod = '%2';").arg(QLatin1String(t), key);
    const double plainDelete = ms([&] { plain(db, cascade, true); });
    prompter.nextAnswer = PromptAnswer::Yes;
    const double del = ms([&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdVymaz"), Qt::LeftButton); });
    row("delete a client with its sub-records", del, plainDelete);

    // An employee renamed so that the key changes: row and references move together.
    {
        EmployeeStore store(Database::connection());
        QString key;
        {
            QSqlQuery q(Database::connection());
            q.exec(QStringLiteral("SELECT idkod FROM zamestnanci ORDER BY idkod LIMIT 1"));
            q.next();
            key = q.value(0).toString();
        }
        const EmployeeRecord original = *store.read(key);
        EmployeeRecord edited = original;
        edited.priezv = QStringLiteral("Zmenený");
        QString newKey;
        const double save = ms([&] { newKey = store.update(original, edited, &error); });
        const double plainSave = ms([&] {
            const QString name = QStringLiteral("bench-emp");
            {
                QSqlDatabase c = Database::openExtra(db, name, false, &error);
                c.transaction();
                QSqlQuery q(c);
                for (const char *t : {"k_vysetrenie", "k_zaznam_spc", "k_zaznam_zmeny"})
                    q.exec(QStringLiteral("UPDATE %1 SET idkod_p = '%2' WHERE idkod_p = '%3'")
                               .arg(QLatin1String(t), key, newKey));
                q.exec(QStringLiteral("UPDATE zamestnanci SET idkod = '%1' WHERE idkod = '%2'").arg(key, newKey));
                c.commit();
            }
            Database::closeExtra(name);
        });
        row("save an employee with a key change", save, plainSave);
    }

    const double plainVacuum = [&] {
        const QString copy = dir.filePath("plain-copy.mdb");
        const QString name = QStringLiteral("bench-vacuum");
        double t = 0;
        {
            QSqlDatabase c = Database::openExtra(db, name, false, &error);
            t = ms([&] { QSqlQuery(c).exec(QStringLiteral("VACUUM INTO '%1'").arg(copy)); });
        }
        Database::closeExtra(name);
        QFile::remove(copy);
        return t;
    }();
    window->unload();
    const double compaction = ms([&] { Compactor::compact(dir.path(), &error); });
    row("compaction at exit", compaction, plainVacuum);

    QTemporaryDir elsewhere;
    const QString target = QDir(elsewhere.path()).filePath(QStringLiteral("zaloha.zip"));
    const double archive = ms([&] {
        Archiver::pack(dir.path(), &error);
        Archiver::deliver(dir.path(), target, &error);
    });
    row("archive (pack and copy to the chosen place)", archive, plainVacuum);
    const double restore = ms([&] { Restorer::restore(dir.path(), target, true, &error); });
    row("restore from the menu", restore, 0);
    window.reset();
    setPrompter(nullptr);
    std::printf("  peak memory of the program so far: %.0f MB\n", peakKb() / 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> sizes = {20000, 200000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes << QString::fromLatin1(argv[i]).toInt();
    }
    for (int n : sizes)
        measure(n);
    return 0;
}
