#include "common/FieldRules.h"

#include <QTest>

using namespace ulk;
using namespace ulk::FieldRules;

Q_DECLARE_METATYPE(ulk::FieldRules::TypedDate::Kind)
Q_DECLARE_METATYPE(ulk::FieldRules::Sex::Kind)
Q_DECLARE_METATYPE(ulk::FieldRules::DisabilityVerdict)

class FieldRulesTest : public QObject {
    Q_OBJECT
private slots:
    void numericValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("digits") << "12" << 12.0;
        QTest::newRow("blanks skipped") << " 1 2 " << 12.0;
        QTest::newRow("stops at a letter") << "1615 198th Street" << 1615198.0;
        QTest::newRow("letters first") << "abc" << 0.0;
        QTest::newRow("digits then letters") << "12abc" << 12.0;
        QTest::newRow("minus") << "-5" << -5.0;
        QTest::newRow("minus and blank") << "- 5" << -5.0;
        QTest::newRow("plus") << "+5" << 5.0;
        QTest::newRow("sign after digits stops") << "5-3" << 5.0;
        QTest::newRow("decimal point") << "1.5" << 1.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("ten digits") << "8001010006" << 8001010006.0;
        QTest::newRow("tab and line feed") << "\t4\n2" << 42.0;
    }
    void numericValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(FieldRules::numericValue(text), value);
    }

    void birthNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("birthDate");
        QTest::newRow("man 1980") << "8001010006" << true << "M" << "01.01.1980";
        QTest::newRow("woman 1980, month less 50") << "8051010000" << true << "Z" << "01.01.1980";
        QTest::newRow("woman 2005") << "0552150005" << true << "Z" << "15.02.2005";
        QTest::newRow("man 1999") << "9912310001" << true << "M" << "31.12.1999";
        QTest::newRow("first digit 5 is 19yy") << "5001010003" << true << "M" << "01.01.1950";
        QTest::newRow("first digit 4 is 20yy") << "4912310007" << true << "M" << "31.12.2049";
        QTest::newRow("woman first digit 4 is 20yy") << "4151010006" << true << "Z" << "01.01.2041";
        QTest::newRow("woman first digit 5 is 19yy") << "5551010003" << true << "Z" << "01.01.1955";
        QTest::newRow("leap day 2000") << "0002290002" << true << "M" << "29.02.2000";
        // Since 2004 the month may be raised by 20 (men) or 70 (women).
        QTest::newRow("man, month plus 20") << "0423150002" << true << "M" << "15.03.2004";
        QTest::newRow("woman, month plus 70") << "0473150007" << true << "Z" << "15.03.2004";
        QTest::newRow("man, month 32") << "0432010007" << true << "M" << "01.12.2004";
        QTest::newRow("woman, month 82") << "0482010001" << true << "Z" << "01.12.2004";
        // Refused.
        QTest::newRow("nine digits") << "800101000" << false << "" << "";
        QTest::newRow("nine digits divisible by 11") << "800101005" << false << "" << "";
        QTest::newRow("not divisible by 11") << "8001010007" << false << "" << "";
        QTest::newRow("zeros") << "0000000000" << false << "" << "";
        QTest::newRow("day 00") << "0431000009" << false << "" << "";
        QTest::newRow("31 April") << "8004310006" << false << "" << "";
        QTest::newRow("29 February 2001") << "0102290001" << false << "" << "";
        QTest::newRow("month 13") << "8013010005" << false << "" << "";
        QTest::newRow("month 40") << "8040010000" << false << "" << "";
        QTest::newRow("month 63") << "8063010010" << false << "" << "";
        QTest::newRow("month 00") << "8000010007" << false << "" << "";
        QTest::newRow("empty") << "" << false << "" << "";
        QTest::newRow("blank inside") << "80 0101006" << false << "" << "";
    }
    void birthNumber()
    {
        QFETCH(QString, number);
        QFETCH(bool, valid);
        QFETCH(QString, sex);
        QFETCH(QString, birthDate);
        const BirthNumber bn = parseBirthNumber(number);
        QCOMPARE(bn.valid, valid);
        QCOMPARE(bn.sex, sex);
        QCOMPARE(bn.birthDate, birthDate);
        if (valid)
            QCOMPARE(dateToText(bn.date), dateToText(dateFromText(birthDate)));
    }

    void typedDate_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<TypedDate::Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stripped");
        QTest::newRow("empty") << "" << TypedDate::Empty << "" << "";
        QTest::newRow("blanks only") << "   " << TypedDate::Empty << "" << "";
        QTest::newRow("short form") << "1.2.99" << TypedDate::Ok << "1.2.1999" << "1.2.99";
        QTest::newRow("padded kept") << "01.02.1999" << TypedDate::Ok << "01.02.1999" << "01.02.1999";
        QTest::newRow("blanks between parts") << " 1. 2. 99 " << TypedDate::Ok << "1.2.1999" << "1.2.99";
        QTest::newRow("year 70 is 2070") << "1.2.70" << TypedDate::Ok << "1.2.2070" << "1.2.70";
        QTest::newRow("year 71 is 1971") << "1.2.71" << TypedDate::Ok << "1.2.1971" << "1.2.71";
        QTest::newRow("year 00 is 2000") << "5.6.00" << TypedDate::Ok << "5.6.2000" << "5.6.00";
        QTest::newRow("day 31 month 12") << "31.12.2010" << TypedDate::Ok << "31.12.2010" << "31.12.2010";
        QTest::newRow("leap day") << "29.2.2020" << TypedDate::Ok << "29.2.2020" << "29.2.2020";
        QTest::newRow("three-digit year") << "1.2.999" << TypedDate::Bad << "" << "1.2.999";
        QTest::newRow("five-digit year") << "1.2.19999" << TypedDate::Bad << "" << "1.2.19999";
        QTest::newRow("one-digit year") << "1.2.9" << TypedDate::Bad << "" << "1.2.9";
        QTest::newRow("no year") << "1.2." << TypedDate::Bad << "" << "1.2.";
        QTest::newRow("one point") << "1.2" << TypedDate::Bad << "" << "1.2";
        QTest::newRow("no points") << "010299" << TypedDate::Bad << "" << "010299";
        QTest::newRow("slashes") << "1/2/1999" << TypedDate::Bad << "" << "1/2/1999";
        QTest::newRow("three-digit day") << "123.1.2000" << TypedDate::Bad << "" << "123.1.2000";
        QTest::newRow("no day") << ".1.2000" << TypedDate::Bad << "" << ".1.2000";
        QTest::newRow("no month") << "1..2000" << TypedDate::Bad << "" << "1..2000";
        QTest::newRow("three-digit month") << "1.123.2000" << TypedDate::Bad << "" << "1.123.2000";
        QTest::newRow("day 0") << "0.1.2000" << TypedDate::Bad << "" << "0.1.2000";
        QTest::newRow("day 32") << "32.1.2000" << TypedDate::Bad << "" << "32.1.2000";
        QTest::newRow("month 0") << "1.0.2000" << TypedDate::Bad << "" << "1.0.2000";
        QTest::newRow("month 13") << "1.13.2000" << TypedDate::Bad << "" << "1.13.2000";
        QTest::newRow("letter in day") << "a.1.2000" << TypedDate::Bad << "" << "a.1.2000";
        QTest::newRow("letter in month") << "1.b.2000" << TypedDate::Bad << "" << "1.b.2000";
        QTest::newRow("letter in year") << "1.1.20x0" << TypedDate::Bad << "" << "1.1.20x0";
        QTest::newRow("signed day") << "+1.1.2000" << TypedDate::Bad << "" << "+1.1.2000";
        QTest::newRow("trailing point") << "1.1.2000." << TypedDate::Bad << "" << "1.1.2000.";
        QTest::newRow("31 February") << "31.2.2020" << TypedDate::Nonexistent << "" << "31.2.2020";
        QTest::newRow("29 February 2021") << "29.2.2021" << TypedDate::Nonexistent << "" << "29.2.2021";
        QTest::newRow("31 April, short year") << "31.4.99" << TypedDate::Nonexistent << "" << "31.4.99";
        QTest::newRow("year 0000") << "1.1.0000" << TypedDate::Nonexistent << "" << "1.1.0000";
    }
    void typedDate()
    {
        QFETCH(QString, typed);
        QFETCH(TypedDate::Kind, kind);
        QFETCH(QString, text);
        QFETCH(QString, stripped);
        const TypedDate d = normaliseDate(typed);
        QCOMPARE(d.kind, kind);
        QCOMPARE(d.text, text);
        QCOMPARE(d.stripped, stripped);
        QCOMPARE(d.date.isValid(), kind == TypedDate::Ok);
        if (kind == TypedDate::Ok)
            QCOMPARE(dateFromText(d.text), d.date);
    }

    void shownDateForm()
    {
        QCOMPARE(dateToText(QDate(1999, 2, 1)), QString("1.2.1999"));
        QCOMPARE(dateToText(QDate()), QString());
        QCOMPARE(dateFromText("01.02.1999"), QDate(1999, 2, 1));
        QCOMPARE(dateFromText(" 1.2.1999 "), QDate(1999, 2, 1));
        QVERIFY(!dateFromText("1.2.99").isValid());
        QVERIFY(!dateFromText("31.2.2020").isValid());
        QVERIFY(!dateFromText("1999-02-01").isValid());
        QVERIFY(!dateFromText("").isValid());
    }

    void sex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Sex::Kind>("kind");
        QTest::addColumn<QString>("letter");
        QTest::newRow("m") << "m" << Sex::Ok << "M";
        QTest::newRow("M") << "M" << Sex::Ok << "M";
        QTest::newRow("z") << "z" << Sex::Ok << "Z";
        QTest::newRow("word") << "zena" << Sex::Ok << "Z";
        QTest::newRow("Muž") << "Muž" << Sex::Ok << "M";
        QTest::newRow("empty") << "" << Sex::Empty << "";
        QTest::newRow("Ž refused") << "Žena" << Sex::Bad << "";
        QTest::newRow("ž refused") << "ž" << Sex::Bad << "";
        QTest::newRow("other letter") << "x" << Sex::Bad << "";
        QTest::newRow("leading blank") << " m" << Sex::Bad << "";
        QTest::newRow("digit") << "1" << Sex::Bad << "";
    }
    void sex()
    {
        QFETCH(QString, text);
        QFETCH(Sex::Kind, kind);
        QFETCH(QString, letter);
        const Sex s = normaliseSex(text);
        QCOMPARE(s.kind, kind);
        QCOMPARE(s.letter, letter);
    }

    void disability_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("duplicateTest");
        QTest::addColumn<QStringList>("codeSlots");
        QTest::addColumn<DisabilityVerdict>("verdict");
        const QStringList held = {"3", "1", "5", " ", " ", " ", " ", " ", " "};
        QTest::newRow("no test: held code passes") << "3" << false << held << DisabilityVerdict::Accepted;
        QTest::newRow("no test: 0") << "0" << false << held << DisabilityVerdict::Accepted;
        QTest::newRow("no test: 9") << "9" << false << held << DisabilityVerdict::Accepted;
        QTest::newRow("no test: empty") << "" << false << held << DisabilityVerdict::Accepted;
        QTest::newRow("no test: letter reads 0") << "x" << false << held << DisabilityVerdict::Accepted;
        QTest::newRow("no test: 12 outside") << "12" << false << held << DisabilityVerdict::Skipped;
        QTest::newRow("no test: -1 outside") << "-1" << false << held << DisabilityVerdict::Skipped;
        QTest::newRow("test: dominant slot") << "3" << true << held << DisabilityVerdict::Duplicate;
        QTest::newRow("test: associated slot") << "5" << true << held << DisabilityVerdict::Duplicate;
        QTest::newRow("test: blanks around") << " 1 " << true << held << DisabilityVerdict::Duplicate;
        QTest::newRow("test: free code") << "4" << true << held << DisabilityVerdict::Skipped;
        QTest::newRow("test: 0 passes") << "0" << true << held << DisabilityVerdict::Accepted;
        QTest::newRow("test: empty passes") << "" << true << held << DisabilityVerdict::Accepted;
        QTest::newRow("test: last slot") << "7" << true
                                          << QStringList{"", "", "", "", "", "", "", "", "7"}
                                          << DisabilityVerdict::Duplicate;
        QTest::newRow("test: beyond slot 8 not read")
            << "7" << true << QStringList{"", "", "", "", "", "", "", "", "", "7"} << DisabilityVerdict::Skipped;
        // The range 1 to 9 is not tested with the duplicate test on.
        QTest::newRow("test: 12 not held") << "12" << true << held << DisabilityVerdict::Skipped;
    }
    void disability()
    {
        QFETCH(QString, text);
        QFETCH(bool, duplicateTest);
        QFETCH(QStringList, codeSlots);
        QFETCH(DisabilityVerdict, verdict);
        QCOMPARE(checkDisabilityCode(text, duplicateTest, codeSlots), verdict);
    }
};

QTEST_GUILESS_MAIN(FieldRulesTest)
#include "FieldRulesTest.moc"
