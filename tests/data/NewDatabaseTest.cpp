#include "NewDatabase.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

using namespace ulk;

namespace {
// The saved queries the reports read.
const QStringList kViews = {"vyp_zaklad", "vyp_rodicia", "vyp_surodenci", "vyp_memo", "vyp_zariad",
                            "vyp_vysetrenie", "vyp_zazSpc", "vyp_zazZmeny", "vyp_navstevy"};
} // namespace

class NewDatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void createsEveryTableViewAndCodeList()
    {
        test::ProgramDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        for (const QString &v : kViews)
            QVERIFY2(test::scalar("SELECT count(*) FROM sqlite_master WHERE type='view' AND name=?", {v}).toInt() == 1,
                     qPrintable(v));
        QCOMPARE(test::scalar("SELECT count(*) FROM c_funkcie").toInt(), 8);
        QCOMPARE(test::scalar("SELECT nazov FROM c_funkcie WHERE fc_idkod=4").toString(), QString("Psychológ"));
        QVERIFY(test::scalar("SELECT count(*) FROM c_zariad WHERE akronym='VYCH'").toInt() <= 16);
        QCOMPARE(test::scalar("SELECT count(*) FROM c_zariad WHERE kod IN ('16','23') AND akronym='VYCH'").toInt(), 2);
        QVERIFY(test::scalar("SELECT count(*) FROM c_zariad WHERE akronym='ULK'").toInt() > 0);
        QVERIFY(test::scalar("SELECT count(*) FROM c_zdrpoi").toInt() >= 3);
        QVERIFY(test::scalar("SELECT count(*) FROM c_iczuj WHERE nazov IN ('Bratislava','Košice','Žilina','Banská Bystrica','Prešov','Nitra','Trnava','Trenčín')").toInt() == 8);
        QVERIFY(test::scalar("SELECT count(*) FROM c_iczuj").toInt() >= 72);
        QCOMPARE(test::scalar("SELECT count(*) FROM c_iczeme WHERE length(kod) <> 2").toInt(), 0);
        // Every saved query can be read.
        for (const QString &v : kViews)
            QVERIFY2(QSqlQuery(Database::connection()).exec("SELECT * FROM \"" + v + "\""), qPrintable(v));
        QCOMPARE(test::scalar("PRAGMA journal_mode").toString(), QString("delete"));
    }

    void refusesToOverwrite()
    {
        test::ProgramDir dir;
        const QByteArray before = [&] { QFile f(dir.dbPath()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QString error;
        QVERIFY(!createNewDatabase(dir.path(), &error));
        QVERIFY(error.contains("already exists"));
        QFile f(dir.dbPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void slovakCollationOrdersNames()
    {
        test::OpenRegister dir;
        QSqlQuery q(Database::connection());
        QVERIFY(q.exec("SELECT v FROM (SELECT 'Hudák' v UNION ALL SELECT 'Chrapko' UNION ALL SELECT 'čierny' "
                       "UNION ALL SELECT 'Cibuľa' UNION ALL SELECT 'ihnát') ORDER BY v COLLATE SK"));
        QStringList got;
        while (q.next())
            got << q.value(0).toString();
        QCOMPARE(got, QStringList({"Cibuľa", "čierny", "Hudák", "Chrapko", "ihnát"}));
    }
};

QTEST_GUILESS_MAIN(NewDatabaseTest)
#include "NewDatabaseTest.moc"
