// The employee store without a window: keys of new employees, a key change
// carried into the records of client work, the delete and its look-up.
#include "data/Database.h"
#include "employee/EmployeeStore.h"
#include "support/ProgramDir.h"

#include <QTest>

using namespace ulk;

namespace {

EmployeeRecord employee(const QString &meno, const QString &priezv)
{
    EmployeeRecord r;
    r.meno = meno;
    r.priezv = priezv;
    r.pracZar = 4;
    r.pohlavie = QStringLiteral("z");
    return r;
}

// A row naming the key as given (trailing blanks kept) in every table of the
// register with an employee column: an examination, a record of care, a
// recorded change.
void addReferences(const QString &key)
{
    for (const QString &table : test::tablesWithColumn("idkod_p"))
        test::sql(QStringLiteral("INSERT INTO %1 (idkod, datum, idkod_p) VALUES ('KLIENT00', '2024-01-10', ?)").arg(table),
                  {key});
}

QStringList referringKeys()
{
    QStringList keys;
    for (const QString &table : test::tablesWithColumn("idkod_p"))
        keys << test::scalar(QStringLiteral("SELECT group_concat(k, ',') FROM (SELECT idkod_p AS k FROM %1 ORDER BY k)")
                                 .arg(table))
                    .toString();
    return keys;
}

QString employees()
{
    return test::scalar("SELECT group_concat(e, ',') FROM (SELECT idkod || ':' || priezv AS e FROM zamestnanci "
                        "ORDER BY idkod)")
        .toString();
}

} // namespace

class EmployeeStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::OpenRegister> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<test::OpenRegister>();
    }
    void cleanup()
    {
        Database::close();
        m_dir.reset();
    }

    void newEmployeesGetTheNextFreeCounter()
    {
        test::addEmployee("NOVÁJA00", "Jana", "Nová");
        const EmployeeStore store(Database::connection());
        QString error;
        QCOMPARE(store.insert(employee("Jana", "Nová"), &error), QString("NOVÁJA01"));
        QCOMPARE(store.insert(employee("Janka", "Nováková"), &error), QString("NOVÁKOJA00"));
        QCOMPARE(store.insert(employee("jana", "nová"), &error), QString("NOVÁJA02"));
        QVERIFY(error.isEmpty());
        const std::optional<EmployeeRecord> stored = store.read("NOVÁJA01");
        QVERIFY(stored);
        QCOMPARE(stored->priezv, QString("Nová"));
        QCOMPARE(stored->pracZar.toInt(), 4);
        QCOMPARE(stored->pohlavie.toString(), QString("z"));
        QVERIFY(stored->intExt.isNull());
    }

    void aKeyTakenMeanwhileGivesTheNextCounter()
    {
        // Another hand stores the key between the look-up and the insert.
        test::sql("CREATE TRIGGER grab BEFORE INSERT ON zamestnanci WHEN NEW.idkod = 'NOVÁJA00' BEGIN "
                  "INSERT INTO zamestnanci (idkod, meno, priezv) VALUES ('NOVÁJA00', 'Iná', 'Nová'); END");
        QString error;
        QCOMPARE(EmployeeStore(Database::connection()).insert(employee("Jana", "Nová"), &error), QString("NOVÁJA01"));
        QVERIFY(error.isEmpty());
        QCOMPARE(employees(), QString("NOVÁJA01:Nová"));
    }

    void aChangedKeyIsCarriedIntoTheRecords()
    {
        test::addEmployee("NOVÁJA00", "Jana", "Nová");
        test::addEmployee("MALÁJA00", "Jana", "Malá");
        addReferences("NOVÁJA00  ");
        addReferences("INÝJA00");
        const EmployeeStore store(Database::connection());
        const EmployeeRecord original = *store.read("NOVÁJA00");
        QString error;
        QCOMPARE(store.update(original, employee("Jana", "Malá"), &error), QString("MALÁJA01"));
        QVERIFY(error.isEmpty());
        QCOMPARE(employees(), QString("MALÁJA00:Malá,MALÁJA01:Malá"));
        QCOMPARE(referringKeys(), QStringList({"INÝJA00,MALÁJA01", "INÝJA00,MALÁJA01", "INÝJA00,MALÁJA01"}));
        QCOMPARE(test::placesHolding("NOVÁJA00"), QStringList());
    }

    void aRefusedCascadeChangesNothing()
    {
        test::addEmployee("NOVÁJA00", "Jana", "Nová");
        addReferences("NOVÁJA00");
        test::sql("CREATE TRIGGER refuse BEFORE UPDATE ON k_zaznam_zmeny BEGIN SELECT RAISE(ABORT, 'refused'); END");
        const EmployeeStore store(Database::connection());
        QString error;
        QCOMPARE(store.update(*store.read("NOVÁJA00"), employee("Jana", "Malá"), &error), QString());
        QCOMPARE(error, QString("databáza zápis odmietla (kód 1811)"));
        QCOMPARE(employees(), QString("NOVÁJA00:Nová"));
        QCOMPARE(referringKeys(), QStringList({"NOVÁJA00", "NOVÁJA00", "NOVÁJA00"}));
    }

    void deleteLooksForRecordsFirst()
    {
        test::addEmployee("NOVÁJA00", "Jana", "Nová");
        test::addEmployee("MALÁJA00", "Jana", "Malá");
        test::sql("INSERT INTO k_zaznam_zmeny (idkod, datum, idkod_P) VALUES ('KLIENT00', '2024-01-12', 'NOVÁJA00 ')");
        const EmployeeStore store(Database::connection());
        QString table;
        QString error;
        QCOMPARE(store.namedInRecords("NOVÁJA00", &table, &error), EmployeeStore::Lookup::Named);
        QCOMPARE(table, QString("k_zaznam_zmeny"));
        test::sql("INSERT INTO k_vysetrenie (idkod, datum, idkod_p) VALUES ('KLIENT00', '2024-01-10', 'NOVÁJA00')");
        QCOMPARE(store.namedInRecords("NOVÁJA00", &table, &error), EmployeeStore::Lookup::Named);
        QCOMPARE(table, QString("k_vysetrenie"));
        QCOMPARE(store.namedInRecords("MALÁJA00", &table, &error), EmployeeStore::Lookup::Free);

        QVERIFY(store.remove("MALÁJA00", &error));
        QCOMPARE(employees(), QString("NOVÁJA00:Nová"));

        test::sql("ALTER TABLE k_zaznam_spc RENAME TO k_zaznam_spc_old");
        QCOMPARE(store.namedInRecords("INÝJA00", &table, &error), EmployeeStore::Lookup::Failed);
        QCOMPARE(error, QString("databáza príkaz odmietla (kód 1)"));
    }

    void aRefusedDeleteKeepsTheEmployee()
    {
        test::addEmployee("NOVÁJA00", "Jana", "Nová");
        test::sql("CREATE TRIGGER refuse BEFORE DELETE ON zamestnanci BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QString error;
        QVERIFY(!EmployeeStore(Database::connection()).remove("NOVÁJA00", &error));
        QCOMPARE(error, QString("databáza zápis odmietla (kód 1811)"));
        QCOMPARE(employees(), QString("NOVÁJA00:Nová"));
    }
};

QTEST_GUILESS_MAIN(EmployeeStoreTest)
#include "EmployeeStoreTest.moc"
