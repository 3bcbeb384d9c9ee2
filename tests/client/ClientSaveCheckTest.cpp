// Whether a client's basic data may be saved, without a window: the
// messages in their order, the field that gets the focus, and the
// catalogue number looked up among the other clients.
#include "client/ClientSaveCheck.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QMap>
#include <QTest>

using namespace ulk;

namespace {

// A new client's fields: the first name, the surname and the catalogue number filled in.
QMap<int, QString> complete()
{
    return {{0, "Mária"}, {1, "Kováčová"}, {6, "12"}};
}

ClientSaveCheck::Verdict check(const QMap<int, QString> &fields, quint8 mode = 1, const QString &ownKey = {})
{
    return ClientSaveCheck::check([&](int index) { return fields.value(index); }, mode, ownKey);
}

QStringList texts(const ClientSaveCheck::Verdict &v)
{
    QStringList t;
    for (const MessageRequest &m : v.messages)
        t << m.title + ": " + m.text;
    return t;
}

} // namespace

class ClientSaveCheckTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::OpenRegister> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<test::OpenRegister>();
        test::addClient("HORVÁTPE00", "Peter", "Horváth", " 12 ");
    }
    void cleanup()
    {
        Database::close();
        m_dir.reset();
    }

    void requiredFieldsInTheirOrder_data()
    {
        QTest::addColumn<int>("emptied");
        QTest::addColumn<QString>("message");
        QTest::newRow("first name") << 0 << "Chybová správa: Meno je povinný údaj !";
        QTest::newRow("surname") << 1 << "Chybová správa: Priezvisko je povinný údaj !";
        QTest::newRow("catalogue number") << 6 << "Chybová správa: Katalógové číslo je povinný údaj !";
    }
    void requiredFieldsInTheirOrder()
    {
        QFETCH(int, emptied);
        QFETCH(QString, message);
        QMap<int, QString> fields = complete();
        fields[emptied] = "  ";
        fields[4] = "nie dátum"; // checked only after the required fields
        const ClientSaveCheck::Verdict v = check(fields);
        QVERIFY(!v.mayGoOn);
        QCOMPARE(v.focusField, emptied);
        QCOMPARE(texts(v), QStringList({message}));
        QCOMPARE(v.messages.first().icon, PromptIcon::Exclamation);
    }

    void anotherClientsCatalogueNumberStopsTheSave()
    {
        const ClientSaveCheck::Verdict v = check(complete());
        QVERIFY(!v.mayGoOn);
        QCOMPARE(v.focusField, 6);
        QCOMPARE(texts(v), QStringList({"Upozornenie: V databáze už existuje klient s tým istým kat.číslom!"}));
        QCOMPARE(v.messages.first().icon, PromptIcon::Information);
        // The client's own number, a number with a leading zero, and no record mode do not collide.
        QVERIFY(check(complete(), 2, "HORVÁTPE00  ").mayGoOn);
        QVERIFY(check({{0, "Mária"}, {1, "Kováčová"}, {6, "012"}}).mayGoOn);
        QVERIFY(check(complete(), 0).mayGoOn);
        QVERIFY(check(complete(), 0).messages.isEmpty());
    }

    void aFailedLookUpIsToldAndTheSaveGoesOn()
    {
        test::sql("ALTER TABLE k_zaklad RENAME TO k_zaklad_old");
        const ClientSaveCheck::Verdict v = check(complete());
        QVERIFY(v.mayGoOn);
        QCOMPARE(texts(v), QStringList({"Chybová správa: Katalógové číslo sa nepodarilo overiť.\n"
                                        "databáza príkaz odmietla (kód 1)"}));
    }

    void datesThatCannotBeStoredStopTheSave_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("born, no such day") << 4 << "31.2.2010" << "Zadaný dátum neexistuje, zadaj v tvare dd.mm.rrrr!";
        QTest::newRow("born, not a date") << 4 << "31.2" << "Chybný dátum, zadaj v tvare dd.mm.rrrr!";
        QTest::newRow("field 17") << 17 << "30.2.2011" << "Zadaný dátum neexistuje, zadaj v tvare dd.mm.rrrr!";
    }
    void datesThatCannotBeStoredStopTheSave()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QMap<int, QString> fields = complete();
        fields[6] = "13";
        QVERIFY(check(fields).mayGoOn);
        fields[field] = text;
        const ClientSaveCheck::Verdict v = check(fields);
        QVERIFY(!v.mayGoOn);
        QCOMPARE(v.focusField, field);
        QCOMPARE(texts(v), QStringList({"Chybová správa: " + message}));
    }
};

QTEST_GUILESS_MAIN(ClientSaveCheckTest)
#include "ClientSaveCheckTest.moc"
