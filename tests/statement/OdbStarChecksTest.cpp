#include "statement/OdbStarChecks.h"
#include "statement/OdbStarRowTable.h"

#include "OdbStarSeed.h"

#include <QTest>

using namespace ulk;
using test::Cells;
using test::gridOf;

Q_DECLARE_METATYPE(ulk::test::Cells)

namespace {

QStringList messages(const QList<OdbStarChecks::Mismatch> &list)
{
    QStringList out;
    for (const auto &m : list)
        out << m.message;
    return out;
}

} // namespace

class OdbStarChecksTest : public QObject {
    Q_OBJECT
private slots:
    void rowTable()
    {
        QCOMPARE(OdbStarRowTable::name(0), QString("Diagnostika"));
        QCOMPARE(OdbStarRowTable::name(1), QString("       špeciálnopedagogická"));
        QCOMPARE(OdbStarRowTable::name(20), QString("      iné"));
        QCOMPARE(OdbStarRowTable::name(19), QString("       rehabilitácia"));
        QCOMPARE(OdbStarRowTable::name(24), QString("       terapia prostredníctvom umeleckých médií"));
        QCOMPARE(OdbStarRowTable::name(24).size(), 47);
        QCOMPARE(OdbStarRowTable::name(27), QString("Kontrolný súčet (0501 až 0527)"));
        QCOMPARE(OdbStarRowTable::code(0), QString("0501"));
        QCOMPARE(OdbStarRowTable::code(26), QString("0527"));
        QCOMPARE(OdbStarRowTable::code(27), QString("0536"));
        QStringList marked;
        for (int r = 0; r < OdbStarRowTable::rows; ++r) {
            const QString m = OdbStarRowTable::marker(r);
            if (m == QLatin1String("v tom"))
                marked << OdbStarRowTable::code(r);
            else
                QCOMPARE(m, QString(5, ' '));
            QCOMPARE(OdbStarRowTable::code(r), r < 27 ? QString("05%1").arg(r + 1, 2, 10, QChar('0')) : QString("0536"));
        }
        QCOMPARE(marked, QStringList({"0504", "0510", "0518", "0525"}));
        // The window's own captions of two lines.
        QCOMPARE(OdbStarRowTable::windowLabel(21), QString("pedagogickopsychologické intervencie"));
        QCOMPARE(OdbStarRowTable::windowLabel(27), QString("Kontrolný súčer (0501 až 0527 )"));
        QCOMPARE(OdbStarRowTable::windowLabel(20), QString("iné"));
    }

    void messagesOfEveryColumn()
    {
        QCOMPARE(OdbStarChecks::splitMessage(5), QString("Stĺpec 1 <> s2+s3+s4+s5 !"));
        QCOMPARE(OdbStarChecks::splitMessage(10), QString("Stĺpec 6 <> s7+s8+s9+s10 !"));
        QCOMPARE(OdbStarChecks::groupMessage(0, 1), QString("Riadok 0501 stl.1 <> r0502+r0503+r0504+r0505 !"));
        QCOMPARE(OdbStarChecks::groupMessage(5, 1),
                 QString("Riadok 0506 stl.1 <> r0507+r0508+r0509+r0510+r0511+r0512+r0513+r0514 !"));
        QCOMPARE(OdbStarChecks::groupMessage(14, 1), QString("Riadok 0515 stl.1 <> r0516+r0517+r0518+r0519+r0520+r0521 !"));
        QCOMPARE(OdbStarChecks::groupMessage(21, 10), QString("Riadok 0522 stl.10 <> r0523+r0524+r0525+r0526+r0527 !"));
        QCOMPARE(OdbStarChecks::checkSumMessage(1), QString("Nesprávny Kontrolný súčet r0536 S1 !"));
        QCOMPARE(OdbStarChecks::checkSumMessage(10), QString("Nesprávny Kontrolný súčet r0536 S10 !"));
    }

    void mismatches_data()
    {
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QList<int>>("targets"); // column, row of each question

        // The cases the window's test does not take.
        QTest::newRow("zeros") << Cells{} << 3 << 4 << QStringList() << QList<int>();
        QTest::newRow("column 9 row 0521")
            << Cells{{{9, 14}, "4"}} << 9 << 20
            << QStringList{"Riadok 0515 stl.9 <> r0516+r0517+r0518+r0519+r0520+r0521 !"} << QList<int>{9, 14};
        QTest::newRow("column 5 split then group")
            << Cells{{{1, 4}, "9"}, {{5, 4}, "2"}} << 5 << 4
            << QStringList{"Stĺpec 1 <> s2+s3+s4+s5 !", "Riadok 0501 stl.5 <> r0502+r0503+r0504+r0505 !"}
            << QList<int>{1, 4, 5, 0};
        // Rows 0501 to 0527 add up to 40, the totals counted with their members.
        const Cells sum40{{{4, 0}, "10"}, {{4, 1}, "4"}, {{4, 4}, "6"}, {{4, 5}, "10"}, {{4, 13}, "10"}, {{4, 27}, "40"}};
        Cells sum20 = sum40;
        sum20[{4, 27}] = "20";
        QTest::newRow("check sum of members only is wrong")
            << sum20 << 4 << 27 << QStringList{"Nesprávny Kontrolný súčet r0536 S4 !"} << QList<int>{4, 0};
        // A 16-bit accumulator would overflow here.
        const Cells big{{{7, 0}, "30000"}, {{7, 1}, "30000"}, {{7, 27}, "60000"}};
        Cells bigWrong = big;
        bigWrong[{7, 27}] = "60001";
        QTest::newRow("check sum beyond 32767, wrong")
            << bigWrong << 7 << 27 << QStringList{"Nesprávny Kontrolný súčet r0536 S7 !"} << QList<int>{7, 0};
        // Beyond even 64 bits the sum cannot be confirmed: it is asked about.
        const Cells huge{{{8, 0}, "99999999999999999999"}, {{8, 1}, "99999999999999999999"},
                         {{8, 27}, "199999999999999999998"}};
        QTest::newRow("check sum beyond 64 bits")
            << huge << 8 << 27 << QStringList{"Nesprávny Kontrolný súčet r0536 S8 !"} << QList<int>{8, 0};
        QTest::newRow("leading blanks and emptied boxes count as numbers")
            << Cells{{{2, 21}, " 7"}, {{2, 22}, "3 "}, {{2, 23}, "4"}, {{2, 26}, ""}} << 2 << 26 << QStringList()
            << QList<int>();
    }

    void mismatches()
    {
        QFETCH(Cells, cells);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QStringList, asked);
        QFETCH(QList<int>, targets);
        const QList<OdbStarChecks::Mismatch> found = OdbStarChecks::mismatches(gridOf(cells), column, row);
        QCOMPARE(messages(found), asked);
        QList<int> at;
        for (const auto &m : found)
            at << m.column << m.row;
        QCOMPARE(at, targets);
        for (int i = 0; i < found.size(); ++i)
            QCOMPARE(found[i].endsValidation, i == 0 && (column == 5 || column == 10) && found[i].column != column);
    }

    void checkSumIsWide()
    {
        Cells cells;
        for (int r = 0; r < 27; ++r)
            cells[{1, r}] = "32767";
        QCOMPARE(OdbStarChecks::checkSum(gridOf(cells), 1), std::optional<qint64>(27LL * 32767));
        QCOMPARE(OdbStarChecks::checkSum(gridOf({}), 1), std::optional<qint64>(0));
        // Row 0536 itself is not added.
        QCOMPARE(OdbStarChecks::checkSum(gridOf({{{3, 27}, "5"}}), 3), std::optional<qint64>(0));
    }
};

QTEST_GUILESS_MAIN(OdbStarChecksTest)
#include "OdbStarChecksTest.moc"
