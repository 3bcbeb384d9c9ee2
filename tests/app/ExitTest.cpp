#include "app/ui/MainWindow.h"
#include "app/ui/Tile.h"
#include "data/Database.h"
#include "support/Files.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

using namespace ulk;
using test::ScriptedPrompter;

namespace {

// A run with edits: rows written and most of them deleted again.
void editSome()
{
    const QString longText(3000, QLatin1Char('m'));
    Transaction t;
    for (int i = 0; i < 200; ++i) {
        const QString key = QStringLiteral("KLIENT%1").arg(i, 3, 10, QLatin1Char('0'));
        test::addClient(key, QStringLiteral("Ján"), QStringLiteral("Kováč"), QString::number(i));
        test::sql("UPDATE k_memo SET u_dieta = ? WHERE idkod = ?", {longText, key});
    }
    test::sql("DELETE FROM k_memo WHERE idkod >= 'KLIENT005'");
    test::sql("DELETE FROM k_zaklad WHERE idkod >= 'KLIENT005'");
    test::addEmployee("NOVAJA00", "Jana", "Nová");
    QVERIFY(t.commit());
}

void exitBy(MainWindow &w, const QString &how)
{
    if (how == "menu")
        w.findChild<QAction *>("mnuKoniec")->trigger();
    else if (how == "label")
        QTest::mouseClick(w.findChild<QLabel *>("Label4"), Qt::LeftButton);
    else
        QTest::mouseClick(w.findChild<Tile *>("Picture4"), Qt::LeftButton, {}, QPoint(3, 3));
}

} // namespace

class ExitTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void exitCompactsAndRemovesTheTemporaryArchive_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("archive");
        QTest::addColumn<bool>("staleTmp");
        QTest::newRow("menu Koniec") << "menu" << true << false;
        QTest::newRow("tile 4 label") << "label" << true << false;
        QTest::newRow("tile 4 picture") << "picture" << false << false;
        QTest::newRow("stale tmp.mdb") << "menu" << true << true;
    }
    void exitCompactsAndRemovesTheTemporaryArchive()
    {
        QFETCH(QString, how);
        QFETCH(bool, archive);
        QFETCH(bool, staleTmp);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        editSome();
        if (archive)
            QVERIFY(test::writeAll(dir.file("arch_tmp.zip"), "PK archive"));
        if (staleTmp)
            QVERIFY(test::writeAll(dir.file("tmp.mdb"), "left over"));
        const qint64 sizeBefore = QFileInfo(dir.dbPath()).size();
        QVERIFY(program.show());

        exitBy(w, how);

        QVERIFY(p.prompts.isEmpty());
        QVERIFY(!w.isVisible());
        QVERIFY(!Database::isOpen());
        QVERIFY(!QFileInfo::exists(dir.file("tmp.mdb")));
        QVERIFY(!QFileInfo::exists(dir.file("arch_tmp.zip")));
        QVERIFY(QFileInfo(dir.dbPath()).size() < sizeBefore);
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_zaklad").toInt(), 5);
        QCOMPARE(test::scalar("SELECT count(*) FROM k_memo WHERE length(u_dieta) = 3000").toInt(), 5);
        QCOMPARE(test::scalar("SELECT meno FROM zamestnanci WHERE idkod = 'NOVAJA00'").toString(), QString("Jana"));
    }

    void failedCompactionStopsTheSequence()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        editSome();
        QVERIFY(test::writeAll(dir.file("arch_tmp.zip"), "PK archive"));
        QVERIFY(QDir(dir.path()).mkpath("tmp.mdb/blocked"));
        const QByteArray before = test::readAll(dir.dbPath());
        QVERIFY(program.show());
        p.answer(PromptAnswer::Ok);

        exitBy(w, "menu");

        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(p.prompts.size(), 1);
        QVERIFY(p.prompts.at(0).text.startsWith("Databázu sa nepodarilo zhustiť, súbor ulk.mdb zostal bez zmeny"));
        QCOMPARE(p.prompts.at(0).title, QString("Chybová správa"));
        QCOMPARE(p.prompts.at(0).icon, PromptIcon::Exclamation);
        QVERIFY(!w.isVisible());
        QCOMPARE(test::readAll(dir.dbPath()), before);
        // The steps after the failed one do not run.
        QVERIFY(QFileInfo::exists(dir.file("arch_tmp.zip")));
    }

    void closeBoxEndsWithoutCompaction()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        editSome();
        QVERIFY(test::writeAll(dir.file("arch_tmp.zip"), "PK archive"));
        const QByteArray before = test::readAll(dir.dbPath());
        QVERIFY(program.show());
        QTest::mouseClick(w.findChild<QLabel *>("Label1"), Qt::LeftButton);

        QVERIFY(w.close());

        QVERIFY(p.prompts.isEmpty());
        QVERIFY(!Database::isOpen());
        QCOMPARE(test::readAll(dir.dbPath()), before);
        QVERIFY(QFileInfo::exists(dir.file("arch_tmp.zip")));
        QVERIFY(!QFileInfo::exists(dir.file("tmp.mdb")));
    }
};

QTEST_MAIN(ExitTest)
#include "ExitTest.moc"
