// The rules behind the client record's checks that need no window: the
// parents' ages, the legal representative's fill and the catalogue-number
// look-up.
#include "client/ClientRecord.h"
#include "client/LegalRepresentative.h"
#include "client/ParentAge.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QTest>

using namespace ulk;

class ClientRulesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void parentAge_data()
    {
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("age");
        const int none = ParentAge::NotComputed, ok = ParentAge::Computed, bad = ParentAge::Illogical;
        QTest::newRow("1975") << "12.3.2005" << "1975" << ok << 30;
        QTest::newRow("as the birth number writes it") << "12.03.2005" << "1975" << ok << 30;
        QTest::newRow("two-digit year of the client") << "12.3.05" << "1975" << ok << 30;
        QTest::newRow("a year before") << "12.3.2005" << "2004" << ok << 1;
        QTest::newRow("99 years") << "12.3.2005" << "1906" << ok << 99;
        // An age of 100 or more is no age (it used to become its first two digits).
        QTest::newRow("1890") << "12.3.2005" << "1890" << bad << 0;
        QTest::newRow("100 years") << "12.3.2005" << "1905" << bad << 0;
        QTest::newRow("same year") << "12.3.2005" << "2005" << bad << 0;
        QTest::newRow("later year") << "12.3.2005" << "2010" << bad << 0;
        QTest::newRow("three digits") << "12.3.2005" << "975" << bad << 0;
        QTest::newRow("leading zero") << "12.3.2005" << "0975" << bad << 0;
        QTest::newRow("no year") << "12.3.2005" << "" << none << 0;
        QTest::newRow("year 0") << "12.3.2005" << "0" << none << 0;
        QTest::newRow("no birth date") << "" << "1975" << none << 0;
        QTest::newRow("invalid birth date") << "32.3.2005" << "1975" << none << 0;
        QTest::newRow("not a date") << "blbosť" << "2010" << none << 0;
    }
    void parentAge()
    {
        QFETCH(QString, birthDate);
        QFETCH(QString, year);
        QFETCH(int, kind);
        QFETCH(int, age);
        const ParentAge a = ParentAge::of(birthDate, year);
        QCOMPARE(int(a.kind), kind);
        QCOMPARE(a.age, age);
    }

    void representativeFill()
    {
        // Field f holds "t<f>".
        const auto textOf = [](int f) { return QStringLiteral("t%1").arg(f); };
        QCOMPARE(LegalRepresentative::fill(4, textOf),
                 QStringList({"t20", "matka", "t25", "t24", "t26", "t27", "t28"}));
        QCOMPARE(LegalRepresentative::fill(5, textOf),
                 QStringList({"t35", "otec", "t40", "t39", "t41", "t42", "t43"}));
        QCOMPARE(LegalRepresentative::fill(6, textOf), QStringList(7, QString()));
        for (int option : {0, 1, 2, 3, 7})
            QVERIFY(LegalRepresentative::fill(option, textOf).isEmpty());
    }

    void catalogueNumber()
    {
        test::OpenRegister dir;
        test::addClient("ADAMJÁ00", "Ján", "Adam", " 7 ");
        test::addClient("BENKOPE00", "Peter", "Benko", "12");
        test::addClient("CIBULEV00", "Eva", "Cibuľa", "12");
        test::addClient("DUDAIV00", "Ivan", "Duda"); // no number
        test::addClient("EREMIA00", "Ian", "O'Neil", "");
        test::addClient("FERKOJO00", "Jozef", "Ferko", "8  ");
        test::addClient("GÁBORKA00", "Karol", "Gábor", "70");
        using L = ClientRecord::Lookup;
        struct Case {
            const char *number;
            const char *ownKey;
            L expected;
        };
        const Case cases[] = {
            {"7", "", L::Taken},          // blanks around the stored number do not count
            {"07", "", L::Free},          // leading zeros do
            {"7", "ADAMJÁ00", L::Free},   // the client's own row
            {"7", "ADAMJÁ00  ", L::Free}, // keys without trailing blanks
            {"7", "BENKOPE00", L::Taken},
            // Two clients with the number: whichever is the own one, the other is found.
            {"12", "BENKOPE00", L::Taken},
            {"12", "CIBULEV00", L::Taken},
            {"13", "", L::Free},
            {"8", "", L::Taken},  // blanks after the stored number
            {"70", "GÁBORKA00", L::Free},
            {"0", "", L::Free},
            // An empty number finds a number stored as empty text, never a missing one.
            {"", "", L::Taken},
            {"", "EREMIA00", L::Free},
            {"1' OR '1'='1", "", L::Free},
        };
        for (const Case &c : cases) {
            QString error;
            QCOMPARE(ClientRecord::catalogueNumberTaken(QString::fromUtf8(c.number), QString::fromUtf8(c.ownKey), &error),
                     c.expected);
            QVERIFY(error.isEmpty());
        }
        // A null key is a client never stored.
        QCOMPARE(ClientRecord::catalogueNumberTaken(QStringLiteral("7"), QString()), L::Taken);
        Database::close();
        QString error;
        QCOMPARE(ClientRecord::catalogueNumberTaken(QStringLiteral("7"), QString(), &error), L::Failed);
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ClientRulesTest)
#include "ClientRulesTest.moc"
