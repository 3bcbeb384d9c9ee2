#include "FileFigures.h"

#include "Anchors.h"
#include "Figures.h"
#include "Session.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace bench {

namespace {

// The figure of a long action and the longest stall of the window thread
// while it ran.
void withStall(const QString &action, const QString &name, const QString &anchorName, double program,
               double anchor, const QList<double> &stalls)
{
    figure(name, anchorName, program, anchor);
    stallFigure(action, stalls);
}

} // namespace

void fileFigures(Session &s)
{
    const QString scratch = QDir(s.dir).filePath(QStringLiteral("anchor.tmp"));
    QList<double> stalls;
    double stall = -1;

    // Koniec ends the program: it is started again after each run.
    if (wanted("compaction")) {
        const double compaction = median(
            [&] {
                const double t = untilSettled(s, "mnuKoniec", true, &stall);
                stalls << stall;
                s.startAgain();
                return t;
            },
            [] { ::sync(); });
        s.window->unload();
        withStall(QStringLiteral("compaction (Koniec)"), QStringLiteral("compaction at exit (Koniec)"),
                  QStringLiteral("VACUUM INTO"), compaction,
                  median([&] { return Anchors::vacuumInto(s.db, scratch); }, [] { ::sync(); }), stalls);
        s.window->load();
    }

    QDir(s.dir).mkpath(QStringLiteral("elsewhere"));
    const QString target = QDir(s.dir).filePath(QStringLiteral("elsewhere/zaloha.zip"));
    s.prompter->saveAs = target;
    stalls.clear();
    // The restore needs an archive: made once when the archive is not measured.
    const double archive = median(
        [&] {
            const double t = untilSettled(s, "mniArchiv", false, &stall);
            stalls << stall;
            return s.prompter->lastMessage == QStringLiteral("Archivácia bola úspešne ukončená") ? t : -1;
        },
        [] { ::sync(); }, wanted("archive") ? 3 : 1);
    s.prompter->saveAs.reset();
    if (wanted("archive"))
        withStall(QStringLiteral("archive"), QStringLiteral("archive (pack, copy to the chosen place)"),
                  QStringLiteral("libzip pack, level 1"), archive, median([&] { return Anchors::zipPack(s.db, scratch); }, [] { ::sync(); }), stalls);
    if (!wanted("restore")) {
        s.window->unload();
        return;
    }

    // The restore and its anchor both start with neither the archive nor the
    // register in the system's cache, as after a restart: the archive is
    // read from the disk by both.
    // The register that the run before kept as ulk_ren.mdb and the
    // archive's temporary copy are not needed: the disk's room is.
    QFile::remove(QDir(s.dir).filePath(QStringLiteral("arch_tmp.zip")));
    const auto cold = [&] {
        QFile::remove(QDir(s.dir).filePath(QStringLiteral("ulk_ren.mdb")));
        ::sync();
        for (const QString &f : {target, s.db})
            forgetCached(f);
    };
    s.prompter->openAs = target;
    stalls.clear();
    const double restore = median(
        [&] {
            const double t = untilSettled(s, "mniDearchiv", false, &stall);
            stalls << stall;
            return s.prompter->lastMessage == QStringLiteral("Obnova dát bola úspešne ukončená") ? t : -1;
        },
        cold);
    s.prompter->openAs.reset();
    withStall(QStringLiteral("restore"), QStringLiteral("restore from the menu (archive not cached)"),
              QStringLiteral("libzip unpack, archive not cached"), restore,
              median([&] { return Anchors::zipUnpack(target, scratch); }, cold), stalls);
    s.window->unload();
}

} // namespace bench
