#include "client/DisabilityCodes.h"

#include <QTest>

using namespace ulk;

// Each row runs a script of operations on one person's codes and compares
// the nine slots (joined by "|" so that "" and " " can be told apart), the
// digits still in the associated list, and the string that would be stored.
//
// Script lines: "load <text>" (the rest of the line, blanks included),
// "null" (load a missing value), "dominant <n>", "remove <index>",
// "removeCode <code>", "fill", "add <code>", "blank", "clear", "reset",
// "choose <index>", "enter <code>".
class DisabilityCodesTest : public QObject {
    Q_OBJECT

    static QString slotsOf(const DisabilityCodes &c) { return c.slotTexts().join(QLatin1Char('|')); }
    static QString listDigits(const DisabilityCodes &c)
    {
        QString d;
        for (const QString &item : c.list())
            d += item.left(1);
        return d;
    }
    static void run(DisabilityCodes &c, const QStringList &script)
    {
        for (const QString &line : script) {
            const int sp = line.indexOf(QLatin1Char(' '));
            const QString op = sp < 0 ? line : line.left(sp);
            const QString arg = sp < 0 ? QString() : line.mid(sp + 1);
            if (op == "load") c.load(arg);
            else if (op == "null") c.load(QVariant());
            else if (op == "dominant") c.setDominant(arg.toInt());
            else if (op == "remove") c.removeFromList(arg.toInt());
            else if (op == "removeCode") { QString code = arg; c.removeByCode(code); QVERIFY(code.isEmpty()); }
            else if (op == "fill") c.fillList();
            else if (op == "add") c.addCode(arg);
            else if (op == "blank") c.blankSlots();
            else if (op == "clear") c.clearSlots();
            else if (op == "reset") c.resetAssociated();
            else if (op == "choose") c.chooseFromList(arg.toInt());
            else if (op == "enter") c.enterAssociated(arg);
            else QFAIL(qPrintable("unknown script line " + line));
        }
    }

private slots:
    void items()
    {
        const QStringList list = DisabilityCodes::listItems();
        QCOMPARE(list.size(), 10);
        QCOMPARE(list.at(0), QString::fromUtf8("0 \u00A6 ŽIADNE POSTIHNUTIE"));
        QCOMPARE(list.at(1), QString::fromUtf8("1 \u00A6 syndróm autizmu"));
        QCOMPARE(list.at(2), QString::fromUtf8("2 \u00A6 mentálne"));
        QCOMPARE(list.at(3), QString::fromUtf8("3 \u00A6 sluchové"));
        QCOMPARE(list.at(4), QString::fromUtf8("4 \u00A6 zrakové"));
        QCOMPARE(list.at(5), QString::fromUtf8("5 \u00A6 rečové"));
        QCOMPARE(list.at(6), QString::fromUtf8("6 \u00A6 telesné"));
        QCOMPARE(list.at(7), QString::fromUtf8("7 \u00A6 špecifické vývinové poruchy správania"));
        QCOMPARE(list.at(8), QString::fromUtf8("8 \u00A6 špecifické vývinové poruchy učenia"));
        QCOMPARE(list.at(9), QString::fromUtf8("9 \u00A6 iné"));
        const QStringList dominant = DisabilityCodes::dominantItems();
        QCOMPARE(dominant.size(), 10);
        QCOMPARE(dominant.at(0), QString::fromUtf8("    ŽIADNE POSTIHNUTIE"));
        QCOMPARE(dominant.mid(1), list.mid(1));
        QCOMPARE(DisabilityCodes::listItem(10), QString());
    }

    void numericValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("blank") << " " << qint64(0);
        QTest::newRow("zero") << "0" << qint64(0);
        QTest::newRow("digit") << "7" << qint64(7);
        QTest::newRow("trailing blanks") << "235      " << qint64(235);
        QTest::newRow("blanks skipped") << " 2 35" << qint64(235);
        QTest::newRow("stops at letter") << "3a5" << qint64(3);
        QTest::newRow("letter first") << "a3" << qint64(0);
        QTest::newRow("sign is no digit") << "-3" << qint64(0);
    }
    void numericValue()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QCOMPARE(DisabilityCodes::numericValue(text), value);
        QCOMPARE(DisabilityCodes::isFree(text), value == 0);
    }

    void script_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QString>("slotTexts");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("stored");

        const QString none = "||||||||";
        const QString blanks8 = QString(8, ' ');
        // Loading a stored string.
        QTest::newRow("fresh") << QStringList{} << none << "0123456789" << "";
        QTest::newRow("stored empty") << QStringList{"load "} << none << "0123456789" << "";
        QTest::newRow("stored null") << QStringList{"null"} << none << "0123456789" << "";
        QTest::newRow("stored blanks") << QStringList{"load         "} << none << "0123456789" << "";
        QTest::newRow("stored 0") << QStringList{"load 0"} << none << "0123456789" << "";
        QTest::newRow("stored letters") << QStringList{"load abc"} << none << "0123456789" << "";
        QTest::newRow("stored 235") << QStringList{"load 235"} << "2|3|5||||||" << "0146789" << "235";
        QTest::newRow("235 + six blanks saved back as 235")
            << QStringList{"load 235      "} << "2|3|5||||||" << "0146789" << "235";
        QTest::newRow("blanks both sides") << QStringList{"load   235  "} << "2|3|5||||||" << "0146789" << "235";
        QTest::newRow("dominant only, reset blanks trimmed")
            << QStringList{"load 2" + blanks8} << "2||||||||" << "013456789" << "2";
        QTest::newRow("emptied slot inside") << QStringList{"load 2 5"} << "2| |5||||||" << "01346789" << "2 5";
        QTest::newRow("stored duplicate") << QStringList{"load 22"} << "2|2|||||||" << "013456789" << "22";
        QTest::newRow("stored 0 as associated") << QStringList{"load 20"} << "2|0|||||||" << "013456789" << "20";
        QTest::newRow("longer than nine: first nine")
            << QStringList{"load 1234567899"} << "1|2|3|4|5|6|7|8|9" << "0" << "123456789";
        QTest::newRow("load replaces earlier codes")
            << QStringList{"load 235", "load 4"} << "4||||||||" << "012356789" << "4";

        // Setting the dominant code.
        QTest::newRow("dominant 4 after 235")
            << QStringList{"load 235", "dominant 4"} << "4| | | | | | | | " << "012356789" << "4" + blanks8;
        QTest::newRow("dominant 0: eight blanks, full list")
            << QStringList{"load 235", "dominant 0"} << "| | | | | | | | " << "0123456789" << blanks8;
        QTest::newRow("dominant 9 on empty") << QStringList{"dominant 9"} << "9| | | | | | | | " << "012345678"
                                             << "9" + blanks8;
        QTest::newRow("dominant out of range ignored")
            << QStringList{"load 235", "dominant 10", "dominant -1"} << "2|3|5||||||" << "0146789" << "235";

        // Associated codes.
        QTest::newRow("dominant 2, associated 3 and 5")
            << QStringList{"dominant 2", "enter 3", "enter 5"} << "2|3|5| | | | | | " << "0146789"
            << "235" + QString(6, ' ');
        QTest::newRow("codes after loading fill empty slots")
            << QStringList{"load 235", "enter 6"} << "2|3|5|6|||||" << "014789" << "2356";
        QTest::newRow("order entered is kept") << QStringList{"dominant 1", "enter 5", "enter 2"}
                                               << "1|5|2| | | | | | " << "0346789" << "152" + QString(6, ' ');
        QTest::newRow("typed 0 resets, keeps dominant")
            << QStringList{"load 235", "enter 0"} << "2| | | | | | | | " << "013456789" << "2" + blanks8;
        QTest::newRow("typed 0 on no dominant") << QStringList{"enter 0"} << "| | | | | | | | " << "0123456789"
                                                << blanks8;
        QTest::newRow("cancelled duplicate empties a blank free slot")
            << QStringList{"dominant 2", "enter "} << "2|| | | | | | | " << "013456789" << "2" + QString(7, ' ');
        QTest::newRow("emptied free slot is filled next")
            << QStringList{"dominant 2", "enter ", "enter 7"} << "2|7| | | | | | | " << "01345689"
            << "27" + QString(7, ' ');
        QTest::newRow("slot holding 0 counts as free") << QStringList{"load 20", "add 4"} << "2|4|||||||"
                                                       << "013456789" << "24";
        QTest::newRow("ninth code dropped")
            << QStringList{"dominant 2", "enter 1", "enter 3", "enter 4", "enter 5", "enter 6", "enter 7",
                           "enter 8", "enter 9", "add 1"}
            << "2|1|3|4|5|6|7|8|9" << "0" << "213456789";
        QTest::newRow("all nine then reset")
            << QStringList{"load 213456789", "reset"} << "2| | | | | | | | " << "013456789" << "2" + blanks8;

        // The associated list.
        QTest::newRow("choose category") << QStringList{"dominant 2", "choose 2"} << "2|3| | | | | | | "
                                         << "01456789" << "23" + QString(7, ' ');
        QTest::newRow("chosen category cannot be chosen twice")
            << QStringList{"dominant 2", "choose 2", "choose 2"} << "2|3|4| | | | | | " << "0156789"
            << "234" + QString(6, ' ');
        QTest::newRow("choose item 0 resets, keeps dominant")
            << QStringList{"load 235", "choose 0"} << "2| | | | | | | | " << "013456789" << "2" + blanks8;
        QTest::newRow("choose nothing") << QStringList{"load 235", "choose -1", "choose 7"} << "2|3|5||||||"
                                        << "0146789" << "235";
        QTest::newRow("list down to item 0")
            << QStringList{"dominant 9", "choose 1", "choose 1", "choose 1", "choose 1", "choose 1", "choose 1",
                           "choose 1", "choose 1"}
            << "9|1|2|3|4|5|6|7|8" << "0" << "912345678";

        // Removing from the list.
        QTest::newRow("remove index") << QStringList{"remove 3"} << none << "012456789" << "";
        QTest::newRow("item 0 never removed by index") << QStringList{"remove 0"} << none << "0123456789" << "";
        QTest::newRow("index outside the list") << QStringList{"remove 10", "remove -1"} << none << "0123456789"
                                                << "";
        QTest::newRow("remove index of shortened list") << QStringList{"load 235", "remove 2"} << "2|3|5||||||"
                                                        << "016789" << "235";
        QTest::newRow("remove by code") << QStringList{"removeCode 7"} << none << "012345689" << "";
        QTest::newRow("item 0 never removed by code") << QStringList{"removeCode 0"} << none << "0123456789"
                                                      << "";
        QTest::newRow("empty and blank code match nothing")
            << QStringList{"removeCode ", "removeCode  "} << none << "0123456789" << "";
        QTest::newRow("code already gone") << QStringList{"load 235", "removeCode 3"} << "2|3|5||||||"
                                           << "0146789" << "235";
        QTest::newRow("fill restores the list") << QStringList{"load 235", "fill"} << "2|3|5||||||"
                                                << "0123456789" << "235";

        // Blank and clear.
        QTest::newRow("blank slots 1 to 8") << QStringList{"load 235", "blank"} << "2| | | | | | | | "
                                            << "0146789" << "2" + blanks8;
        QTest::newRow("clear slots 0 to 8") << QStringList{"load 235", "dominant 3", "clear"} << none
                                            << "012456789" << "";
    }
    void script()
    {
        QFETCH(QStringList, script);
        QFETCH(QString, slotTexts);
        QFETCH(QString, list);
        QFETCH(QString, stored);
        DisabilityCodes codes;
        run(codes, script);
        QCOMPARE(slotsOf(codes), slotTexts);
        QCOMPARE(listDigits(codes), list);
        QCOMPARE(codes.joined(), stored);
        // The list keeps the exact category texts in digit order.
        for (const QString &item : codes.list())
            QCOMPARE(item, DisabilityCodes::listItem(item.left(1).toInt()));
    }

    void removeByCodeReportsIndexAndEmptiesCode()
    {
        DisabilityCodes codes;
        codes.load(QStringLiteral("235"));
        QString code = QStringLiteral("4");
        QCOMPARE(codes.removeByCode(code), 2);
        QVERIFY(code.isEmpty());
        code = QStringLiteral("0");
        QCOMPARE(codes.removeByCode(code), -1);
        QVERIFY(code.isEmpty());
    }

    void dominantCode()
    {
        DisabilityCodes codes;
        QVERIFY(!codes.hasDominant());
        codes.load(QStringLiteral("235"));
        QCOMPARE(codes.dominantCode(), 2);
        QVERIFY(codes.hasDominant());
        codes.setDominant(0);
        QVERIFY(!codes.hasDominant());
        QCOMPARE(codes.chooseFromList(3), QStringLiteral("3"));
        QCOMPARE(codes.chooseFromList(20), QString());
    }
};

QTEST_GUILESS_MAIN(DisabilityCodesTest)
#include "DisabilityCodesTest.moc"
