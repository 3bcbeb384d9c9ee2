#include "data/Database.h"
#include "statement/AgeSection.h"
#include "StatementFixtures.h"

#include <QTest>

using namespace ulk;
using statement::AgeSection;
using statement::DisabilityCounts;
using statement::StatementPeriod;

namespace {

const QDate kToday(2007, 3, 5);
const StatementPeriod k2006(QDate(2006, 9, 1), QDate(2007, 8, 31));

// The line of a code in z_vek: its caption and code, then its 22 counts.
int column(const QString &name) { return 3 + int(DisabilityCounts::columns().indexOf(name)); }

} // namespace

class AgeSectionTest : public QObject {
    Q_OBJECT

    std::optional<AgeSection::Result> compute(const StatementPeriod &period = k2006)
    {
        QString error;
        // As the print does: count, then write the ages.
        auto result = AgeSection::count(period, kToday, &error);
        if (result && !AgeSection::writeAges(Database::path(), result->ages, &error))
            result.reset();
        if (!result)
            qWarning("%s", qPrintable(error));
        return result;
    }

    // The non-empty count cells of all lines, as "code:column=count".
    static QStringList counted(const AgeSection::Result &r)
    {
        QStringList out;
        for (const QStringList &line : r.lines)
            for (int c = 3; c < line.size(); ++c)
                if (!line[c].isEmpty())
                    out << QStringLiteral("%1:%2=%3").arg(line[2], DisabilityCounts::columns()[c - 3], line[c]);
        return out;
    }

private slots:
    void init() { QVERIFY(test::ProgramDir().isValid()); }
    void cleanup() { Database::close(); }

    void schoolYearOfTheCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::newRow("2006/2007") << "2006/2007" << QDate(2006, 9, 1) << QDate(2007, 8, 31);
        QTest::newRow("trailing blanks") << "2025/2026  " << QDate(2025, 9, 1) << QDate(2026, 8, 31);
        QTest::newRow("only the outer years") << "2006/-/2008" << QDate(2006, 9, 1) << QDate(2008, 8, 31);
        QTest::newRow("not a year") << "20x6/2007" << QDate() << QDate();
        QTest::newRow("empty") << "" << QDate() << QDate();
    }

    void schoolYearOfTheCaption()
    {
        QFETCH(QString, caption);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        const auto period = StatementPeriod::fromSchoolYear(caption);
        QCOMPARE(bool(period), first.isValid());
        if (period) {
            QCOMPARE(period->firstDay(), first);
            QCOMPARE(period->lastDay(), last);
        }
    }

    void ageOnTheDay_data()
    {
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<int>("age");
        QTest::newRow("birthday today") << QDate(2000, 3, 5) << 7;
        QTest::newRow("birthday tomorrow") << QDate(2000, 3, 6) << 6;
        QTest::newRow("birthday yesterday") << QDate(2000, 3, 4) << 7;
        QTest::newRow("next month") << QDate(2000, 4, 1) << 6;
        QTest::newRow("born today") << QDate(2007, 3, 5) << 0;
        QTest::newRow("exactly 18") << QDate(1989, 3, 5) << 18;
        QTest::newRow("25 years") << QDate(1982, 1, 1) << 18;
        QTest::newRow("born tomorrow") << QDate(2007, 3, 6) << -1;
        QTest::newRow("next year") << QDate(2008, 3, 6) << -2;
    }

    void ageOnTheDay()
    {
        QFETCH(QDate, birth);
        QFETCH(int, age);
        QCOMPARE(AgeSection::ageOn(birth, kToday), age);
    }

    void noClientGivesNineteenEmptyLines()
    {
        test::OpenRegister dir;
        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(r->lines.size(), 19);
        QCOMPARE(r->lines[0].mid(0, 3), QStringList({" ", "    0 - 1", "0101"}));
        QCOMPARE(r->lines[8].mid(0, 3), QStringList({"deti,", "    8 - 9", "0109"}));
        QCOMPARE(r->lines[9].mid(0, 3), QStringList({"klien-", "   9 - 10", "0110"}));
        QCOMPARE(r->lines[17].mid(0, 3), QStringList({"koch)", "   17 - 18", "0118"}));
        QCOMPARE(r->lines[18].mid(0, 3), QStringList({" ", " 18 a viac", "0119"}));
        QStringList strip;
        for (const QStringList &line : r->lines) {
            QCOMPARE(line.size(), 25);
            QCOMPARE(line.mid(3), QStringList(22, QString("")));
            strip << line[0];
        }
        QCOMPARE(strip, QStringList({" ", "Sta-", "rost-", "li-", "vosť", " ", "o", " ", "deti,", "klien-", "tov", " ",
                                     " ", "podľa", "veku", " ", "(v ro-", "koch)", " "}));
        QVERIFY(r->totals.isZero());
    }

    void careRecordWithinTheSchoolYear_data()
    {
        QTest::addColumn<QString>("datum");
        QTest::addColumn<bool>("counted");
        QTest::newRow("31 August of the second year") << "2007-08-31" << true;
        QTest::newRow("1 September of the second year") << "2007-09-01" << false;
        QTest::newRow("1 September of the first year") << "2006-09-01" << true;
        QTest::newRow("31 August of the first year") << "2006-08-31" << false;
        QTest::newRow("no date") << "" << false;
        QTest::newRow("not a date") << "2007-02-30" << false;
    }

    void careRecordWithinTheSchoolYear()
    {
        QFETCH(QString, datum);
        QFETCH(bool, counted);
        test::OpenRegister dir;
        test::addStatementClient("NOVAKJA00", "2000-01-10", "M", "2");
        test::addCare("NOVAKJA00", datum);
        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(r->totals.value("spolu"), counted ? 1 : 0);
        QCOMPARE(counted ? r->lines[7][column("p_menta")] : QString(), counted ? QString("1") : QString());
        QCOMPARE(test::scalar("SELECT vek FROM k_zaklad").isNull(), !counted);
    }

    void disabilityColumns_data()
    {
        QTest::addColumn<QVariant>("postih");
        QTest::addColumn<QString>("pohlav");
        QTest::addColumn<QStringList>("cells");
        const QVariant null;
        QTest::newRow("2") << QVariant("2") << "M" << QStringList{"spolu=1", "p_menta=1"};
        QTest::newRow("23") << QVariant("23") << "M" << QStringList{"spolu=1", "p_viacn=1"};
        QTest::newRow("2 3") << QVariant("2 3") << "M" << QStringList{"spolu=1", "p_menta=1"};
        QTest::newRow("20") << QVariant("20") << "M" << QStringList{"spolu=1", "p_menta=1"};
        QTest::newRow("2 blanks") << QVariant("2        ") << "M" << QStringList{"spolu=1", "p_menta=1"};
        QTest::newRow("9 and 1") << QVariant("91") << "M" << QStringList{"spolu=1", "p_viacn=1"};
        QTest::newRow("girl 7") << QVariant("7") << "Z"
                                << QStringList{"spolu=1", "spolu_zeny=1", "p_vpsp=1", "p_vpsp_z=1"};
        QTest::newRow("girl 8 with 3") << QVariant("83") << "Z"
                                       << QStringList{"spolu=1", "spolu_zeny=1", "p_viacn=1", "p_viacn_z=1"};
        QTest::newRow("small z") << QVariant("7") << "z" << QStringList{"spolu=1", "p_vpsp=1"};
        QTest::newRow("1") << QVariant("1") << "M" << QStringList{"spolu=1", "p_autiz=1"};
        QTest::newRow("3") << QVariant("3") << "M" << QStringList{"spolu=1", "p_sluch=1"};
        QTest::newRow("4") << QVariant("4") << "M" << QStringList{"spolu=1", "p_zrak=1"};
        QTest::newRow("5") << QVariant("5") << "M" << QStringList{"spolu=1", "p_rec=1"};
        QTest::newRow("6") << QVariant("6") << "M" << QStringList{"spolu=1", "p_teles=1"};
        QTest::newRow("8") << QVariant("8") << "M" << QStringList{"spolu=1", "p_vpuc=1"};
        QTest::newRow("9") << QVariant("9") << "M" << QStringList{"spolu=1", "p_ine=1"};
        QTest::newRow("0") << QVariant("0") << "M" << QStringList{};
        QTest::newRow("0 then 5") << QVariant("05") << "M" << QStringList{};
        QTest::newRow("blank then 5") << QVariant(" 5") << "M" << QStringList{};
        QTest::newRow("empty") << QVariant("") << "M" << QStringList{};
        QTest::newRow("missing") << null << "M" << QStringList{};
        QTest::newRow("letter") << QVariant("x2") << "Z" << QStringList{};
    }

    void disabilityColumns()
    {
        QFETCH(QVariant, postih);
        QFETCH(QString, pohlav);
        QFETCH(QStringList, cells);
        test::OpenRegister dir;
        test::addStatementClient("KLIENT00", "1996-06-01", pohlav, QString());
        test::sql("UPDATE k_zaklad SET postih = ?", {postih});
        test::addCare("KLIENT00", "2006-10-10");
        const auto r = compute();
        QVERIFY(r);
        QStringList expected;
        for (const QString &c : cells)
            expected << QStringLiteral("0111:") + c;
        QCOMPARE(counted(*r), expected);
        // The age is written whatever the disability.
        QCOMPARE(test::scalar("SELECT vek FROM k_zaklad").toInt(), 10);
        for (const QString &c : DisabilityCounts::columns())
            QCOMPARE(r->totals.value(c), cells.contains(c + "=1") ? 1 : 0);
    }

    void agesWrittenAndLinesChosen()
    {
        test::OpenRegister dir;
        // Born on today's day, the day after, 25 years ago, and after today.
        test::addStatementClient("DNES00", "2000-03-05", "M", "5");
        test::addStatementClient("ZAJTRA00", "2000-03-06", "Z", "5");
        test::addStatementClient("STARY00", "1982-01-01", "M", "6");
        test::addStatementClient("BUDUCI00", "2008-01-01", "M", "6");
        // Three care records of one client, one outside the year; a client
        // without a birth date and one without a care record in the year.
        test::addStatementClient("TRIKRAT00", "2006-06-01", "Z", "4");
        test::addStatementClient("BEZDATUMU00", QString(), "M", "4");
        test::addStatementClient("LONI00", "2001-01-01", "M", "4");
        for (const char *k : {"DNES00", "ZAJTRA00", "STARY00", "BUDUCI00", "BEZDATUMU00"})
            test::addCare(k, "2007-01-15");
        for (const char *d : {"2006-09-01", "2007-02-01", "2007-08-31"})
            test::addCare("TRIKRAT00", d);
        test::addCare("LONI00", "2006-06-30");
        test::sql("UPDATE k_zaklad SET vek = 99 WHERE idkod = 'LONI00'");

        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(counted(*r), QStringList({"0101:spolu=1", "0101:spolu_zeny=1", "0101:p_zrak=1", "0101:p_zrak_z=1",
                                           "0107:spolu=1", "0107:spolu_zeny=1", "0107:p_rec=1", "0107:p_rec_z=1",
                                           "0108:spolu=1", "0108:p_rec=1", "0119:spolu=1", "0119:p_teles=1"}));
        QCOMPARE(r->totals.value("spolu"), 4);
        QCOMPARE(r->totals.value("spolu_zeny"), 2);
        QCOMPARE(r->totals.value("p_rec"), 2);
        QCOMPARE(r->totals.value("p_teles"), 1);
        const QList<QStringList> ages = test::queryRows("SELECT idkod, vek FROM k_zaklad ORDER BY idkod");
        QCOMPARE(ages, QList<QStringList>({{"BEZDATUMU00", "<null>"},
                                           {"BUDUCI00", "-1"},
                                           {"DNES00", "7"},
                                           {"LONI00", "99"},
                                           {"STARY00", "18"},
                                           {"TRIKRAT00", "0"},
                                           {"ZAJTRA00", "6"}}));
    }

    void trailingBlanksOfAKeyDoNotCount()
    {
        test::OpenRegister dir;
        test::addStatementClient("HORAJA00", "2003-05-05", "Z", "3");
        test::addCare("HORAJA00   ", "2006-12-01");
        // A key with a quote and a backslash reaches the query as a value.
        test::addStatementClient("O'NE\\IL00", "2003-05-05", "M", "3");
        test::addCare("O'NE\\IL00", "2006-12-01");
        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(counted(*r), QStringList({"0104:spolu=2", "0104:spolu_zeny=1", "0104:p_sluch=2", "0104:p_sluch_z=1"}));
        // An age already stored is not written again.
        test::sql("UPDATE k_zaklad SET vek = 9 WHERE idkod = 'HORAJA00'");
        const auto again = compute();
        QVERIFY(again);
        QCOMPARE(again->ages.size(), 1);
        QCOMPARE(test::scalar("SELECT vek FROM k_zaklad WHERE idkod = 'HORAJA00'").toInt(), 3);
    }

    // The year is read in parts of its days: a record on any day counts, and
    // one a day before or after the year does not.
    void everyDayOfTheYearCounts()
    {
        test::OpenRegister dir;
        test::sql("WITH RECURSIVE d(i) AS (SELECT -1 UNION ALL SELECT i + 1 FROM d WHERE i < 365) "
                  "INSERT INTO k_zaklad (idkod, datnar, pohlav, postih) SELECT 'D' || i, '2000-01-01', 'M', '1' FROM d");
        test::sql("INSERT INTO k_zaznam_spc (idkod, datum) SELECT idkod, date('2006-09-01', "
                  "substr(idkod, 2) || ' days') FROM k_zaklad");
        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(r->totals.value("spolu"), 365);
    }

    void totalsBeyondSixteenBits()
    {
        test::OpenRegister dir;
        {
            Transaction t;
            for (int i = 0; i < 33000; ++i) {
                const QString key = QStringLiteral("K%1").arg(i);
                test::sql("INSERT INTO k_zaklad (idkod, datnar, pohlav, postih) VALUES (?, '2000-01-01', 'Z', '1')",
                          {key});
                test::sql("INSERT INTO k_zaznam_spc (idkod, datum) VALUES (?, '2007-01-01')", {key});
            }
            QVERIFY(t.commit());
        }
        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(r->lines[7][column("spolu")], QString("33000"));
        QCOMPARE(r->lines[7][column("p_autiz_z")], QString("33000"));
        QCOMPARE(r->totals.value("spolu_zeny"), 33000);
    }

    void unreadableRegisterIsAFailure()
    {
        test::OpenRegister dir;
        test::addStatementClient("NOVAKJA00", "2000-01-10", "M", "2");
        test::addCare("NOVAKJA00", "2007-01-01");
        test::sql("DROP TABLE k_zaznam_spc");
        QString error;
        QVERIFY(!AgeSection::count(k2006, kToday, &error));
        QCOMPARE(error, QString("údaje tabuľky k_zaznam_spc sa nepodarilo prečítať.\ndatabáza príkaz odmietla (kód 1)"));
        QVERIFY(test::scalar("SELECT vek FROM k_zaklad").isNull());
    }
};

QTEST_GUILESS_MAIN(AgeSectionTest)
#include "AgeSectionTest.moc"
