// The delete of a client without a window, checked against the register the
// database tool creates: every table with a client key, not a list of ours.
#include "client/ClientDeletion.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QTest>

using namespace ulk;

class ClientDeletionTest : public QObject {
    Q_OBJECT
private slots:
    void theClientLeavesNoRowInAnyTable()
    {
        test::OpenRegister dir;
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        test::addClient("NOVÁKJÁ00", "Ján", "Novák", "2");
        test::addRowsEverywhere("KOVÁČOMÁ00");
        test::addRowsEverywhere("NOVÁKJÁ00");
        // A sub-record stored under the key padded with blanks goes too.
        test::sql("INSERT INTO k_navstevy (idkod) VALUES ('KOVÁČOMÁ00  ')");
        const QStringList kept = test::placesHolding("NOVÁKJÁ00");
        QCOMPARE(kept.size(), test::tablesWithColumn("idkod").size() - 1);

        QString error = "x";
        QVERIFY(ClientDeletion::remove("KOVÁČOMÁ00", &error));
        QCOMPARE(error, QString());
        QCOMPARE(test::placesHolding("KOVÁČOMÁ00"), QStringList());
        QCOMPARE(test::placesHolding("NOVÁKJÁ00"), kept);
        QCOMPARE(test::rowCount("k_navstevy"), 1);
    }

    void aRefusedDeleteKeepsEveryRow()
    {
        test::OpenRegister dir;
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1");
        test::addRowsEverywhere("KOVÁČOMÁ00");
        const QStringList before = test::placesHolding("KOVÁČOMÁ00");
        // The client's own row goes last; its refusal undoes the rest.
        test::sql("CREATE TRIGGER refuse BEFORE DELETE ON k_zaklad BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QString error;
        QVERIFY(!ClientDeletion::remove("KOVÁČOMÁ00", &error));
        QCOMPARE(error, QString("databáza zápis odmietla (kód 1811)"));
        QCOMPARE(test::placesHolding("KOVÁČOMÁ00"), before);
    }
};

QTEST_GUILESS_MAIN(ClientDeletionTest)
#include "ClientDeletionTest.moc"
