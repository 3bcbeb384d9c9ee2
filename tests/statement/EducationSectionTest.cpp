#include "data/Database.h"
#include "statement/EducationSection.h"
#include "StatementFixtures.h"

#include <QTest>

using namespace ulk;
using statement::DisabilityCounts;
using statement::EducationSection;
using statement::StatementPeriod;

namespace {

const StatementPeriod k2006(QDate(2006, 9, 1), QDate(2007, 8, 31));

// The kinds of the new database's code list, in code order.
const QStringList kKinds = {"01", "02", "03", "04", "05", "06", "07", "08", "09", "16", "23"};

} // namespace

class EducationSectionTest : public QObject {
    Q_OBJECT

    std::optional<EducationSection::Result> compute(const StatementPeriod &period = k2006)
    {
        QString error;
        auto result = EducationSection::compute(period, &error);
        if (!result)
            qWarning("%s", qPrintable(error));
        return result;
    }

    // The non-empty count cells of all rows, as "row code:column=count".
    static QStringList counted(const EducationSection::Result &r)
    {
        QStringList out;
        for (const QStringList &line : r.lines)
            for (int c = 5; c < line.size(); ++c)
                if (!line[c].isEmpty() && line[c] != QLatin1String("  x"))
                    out << QStringLiteral("%1:%2=%3").arg(line[4], DisabilityCounts::columns()[c - 5], line[c]);
        return out;
    }

    // A client with a care record in the school year and an open stay in a kind.
    static void addPupil(const QString &idkod, const QString &postih, const QString &pohlav, const QString &kod)
    {
        test::addStatementClient(idkod, "2003-01-01", pohlav, postih);
        test::addCare(idkod, "2006-11-11");
        test::addStay(idkod, kod);
    }

private slots:
    void cleanup() { Database::close(); }

    void rowsOfTheCodeList()
    {
        test::OpenRegister dir;
        // Clients in the kinds that the form crosses out are not counted.
        addPupil("DSS00", "2", "Z", "16");
        addPupil("DD00", "3", "M", "23");
        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(r->lines.size(), kKinds.size());
        QStringList codes, kinds, strip1, strip2;
        for (int i = 0; i < r->lines.size(); ++i) {
            const QStringList &line = r->lines[i];
            QCOMPARE(line.size(), 27);
            strip1 << line[0];
            strip2 << line[1];
            kinds << line[3];
            codes << line[4];
            const bool crossed = kKinds[i] == "16" || kKinds[i] == "23";
            QCOMPARE(line.mid(5), QStringList(22, crossed ? QString("  x") : QString("")));
        }
        QCOMPARE(kinds, kKinds);
        QCOMPARE(codes, QStringList({"0201", "0202", "0203", "0204", "0205", "0206", "0207", "0208", "0209", "0210",
                                     "0211"}));
        QCOMPARE(strip1, QStringList({" ", "Sta-", "rost-", "li-", "vosť", " ", "o", " ", "deti,", "klien-", "tov"}));
        QCOMPARE(strip2, QStringList({"v pred-", "škol-", "skom", "veku", " ", " ", " ", " ", " ", " ", " "}));
        QCOMPARE(r->lines[0][2], QString("v materskej škole v bežnej triede"));
        QCOMPARE(r->lines[9][2], QString("v zariadení sociálnych služieb"));
        QVERIFY(r->totals.isZero());
        QVERIFY(counted(*r).isEmpty());
    }

    void sixteenRowsAtMost()
    {
        test::OpenRegister dir;
        for (const char *kod : {"10", "11", "12", "13", "14"})
            test::sql("INSERT INTO c_zariad (kod, nazov, akronym, v_nazov) VALUES (?, 'Iné', 'VYCH', ?)",
                      {kod, QStringLiteral("v druhu %1").arg(kod)});
        auto r = compute();
        QVERIFY(r);
        QCOMPARE(r->lines.size(), 16);
        QCOMPARE(r->lines.last()[4], QString("0216"));
        QCOMPARE(r->lines.last()[3], QString("23"));

        test::sql("INSERT INTO c_zariad (kod, nazov, akronym, v_nazov) VALUES ('15', 'Iné', 'vych', 'v 15')");
        QString error;
        QVERIFY(!EducationSection::compute(k2006, &error));
        QCOMPARE(error, QString("číselník zariadení c_zariad má 17 druhov výchovy a vzdelávania (VYCH), výkaz má "
                                "riadky len pre 16 (0201 až 0216)"));
    }

    void noKindAtAll()
    {
        test::OpenRegister dir;
        test::sql("UPDATE c_zariad SET akronym = 'ULK'");
        const auto r = compute();
        QVERIFY(r);
        QVERIFY(r->lines.isEmpty());
    }

    void whoIsCounted_data()
    {
        QTest::addColumn<QString>("datum");
        QTest::addColumn<QVariant>("vzarDo");
        QTest::addColumn<QString>("akronym");
        QTest::addColumn<bool>("isCounted");
        const QVariant open;
        QTest::newRow("open stay, care on 1 September") << "2006-09-01" << open << "VYCH" << true;
        QTest::newRow("care on 31 August of the second year") << "2007-08-31" << open << "VYCH" << true;
        QTest::newRow("care on 31 August of the first year") << "2006-08-31" << open << "VYCH" << false;
        QTest::newRow("care on 1 September of the second year") << "2007-09-01" << open << "VYCH" << false;
        QTest::newRow("stay ended later") << "2007-01-01" << QVariant("2030-01-01") << "VYCH" << false;
        QTest::newRow("stay ended before") << "2007-01-01" << QVariant("2005-01-01") << "VYCH" << false;
        QTest::newRow("empty end") << "2007-01-01" << QVariant("") << "VYCH" << true;
        QTest::newRow("end that is no date") << "2007-01-01" << QVariant("neznámy") << "VYCH" << true;
        QTest::newRow("stay of a care facility") << "2007-01-01" << open << "ULK" << false;
        QTest::newRow("kind in small letters") << "2007-01-01" << open << "vych" << true;
    }

    void whoIsCounted()
    {
        QFETCH(QString, datum);
        QFETCH(QVariant, vzarDo);
        QFETCH(QString, akronym);
        QFETCH(bool, isCounted);
        test::OpenRegister dir;
        test::addStatementClient("ZIAK00", QString(), "M", "6");
        test::addCare("ZIAK00", datum);
        test::addStay("ZIAK00", "04", vzarDo, akronym);
        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(counted(*r), isCounted ? QStringList({"0204:spolu=1", "0204:p_teles=1"}) : QStringList());
        QCOMPARE(r->totals.value("spolu"), isCounted ? 1 : 0);
    }

    void onceInAKindOnceInEachKind()
    {
        test::OpenRegister dir;
        addPupil("DVAKRAT00", "4", "Z", "02");
        test::addStay("DVAKRAT00", "02");
        test::addCare("DVAKRAT00", "2007-05-05");
        test::addCare("DVAKRAT00", "2007-06-06");
        addPupil("DVADRUHY00", "5", "M", "01");
        test::addStay("DVADRUHY00", "08");
        // A care record but no stay, and a stay without a care record.
        test::addStatementClient("BEZPOBYTU00", QString(), "M", "5");
        test::addCare("BEZPOBYTU00", "2007-01-01");
        test::addStatementClient("BEZSTAR00", QString(), "M", "5");
        test::addStay("BEZSTAR00", "01");
        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(counted(*r), QStringList({"0201:spolu=1", "0201:p_rec=1", "0202:spolu=1", "0202:spolu_zeny=1",
                                           "0202:p_zrak=1", "0202:p_zrak_z=1", "0208:spolu=1", "0208:p_rec=1"}));
        QCOMPARE(r->totals.value("spolu"), 3);
        QCOMPARE(r->totals.value("p_rec"), 2);
        QCOMPARE(r->totals.value("spolu_zeny"), 1);
    }

    void disabilityColumns_data()
    {
        QTest::addColumn<QVariant>("postih");
        QTest::addColumn<QString>("pohlav");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("5") << QVariant("5") << "M" << QStringList{"spolu=1", "p_rec=1"};
        QTest::newRow("5 3") << QVariant("5 3") << "M" << QStringList{"spolu=1", "p_viacn=1"};
        QTest::newRow("5 and blanks") << QVariant("5       ") << "M" << QStringList{"spolu=1", "p_rec=1"};
        QTest::newRow("50") << QVariant("50") << "M" << QStringList{"spolu=1", "p_viacn=1"};
        QTest::newRow("girl 1") << QVariant("1") << "Z"
                                << QStringList{"spolu=1", "spolu_zeny=1", "p_autiz=1", "p_autiz_z=1"};
        QTest::newRow("girl 23") << QVariant("23") << "Z"
                                 << QStringList{"spolu=1", "spolu_zeny=1", "p_viacn=1", "p_viacn_z=1"};
        QTest::newRow("small z") << QVariant("9") << "z" << QStringList{"spolu=1", "p_ine=1"};
        QTest::newRow("empty") << QVariant("") << "Z" << QStringList{};
        QTest::newRow("missing") << QVariant() << "Z" << QStringList{};
        QTest::newRow("0") << QVariant("0") << "Z" << QStringList{};
        QTest::newRow("blank first") << QVariant(" 5") << "Z" << QStringList{};
    }

    void disabilityColumns()
    {
        QFETCH(QVariant, postih);
        QFETCH(QString, pohlav);
        QFETCH(QStringList, cells);
        test::OpenRegister dir;
        addPupil("KLIENT00", QString(), pohlav, "06");
        test::sql("UPDATE k_zaklad SET postih = ?", {postih});
        const auto r = compute();
        QVERIFY(r);
        QStringList expected;
        for (const QString &c : cells)
            expected << QStringLiteral("0206:") + c;
        QCOMPARE(counted(*r), expected);
        for (const QString &c : DisabilityCounts::columns())
            QCOMPARE(r->totals.value(c), cells.contains(c + "=1") ? 1 : 0);
    }

    void quotesInTheCodeList()
    {
        test::OpenRegister dir;
        test::sql("INSERT INTO c_zariad (kod, nazov, akronym, v_nazov) VALUES ('1''0', 'x', 'VYCH', 'v ''O''Neil'' škôlke')");
        addPupil("ONEIL00", "2", "M", "1'0");
        const auto r = compute();
        QVERIFY(r);
        QCOMPARE(r->lines[9].mid(2, 3), QStringList({"v 'O'Neil' škôlke", "1'", "0210"}));
        QCOMPARE(counted(*r), QStringList({"0210:spolu=1", "0210:p_menta=1"}));
    }
};

QTEST_GUILESS_MAIN(EducationSectionTest)
#include "EducationSectionTest.moc"
