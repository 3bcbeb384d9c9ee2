// The page of each tab of the client record as it is laid out: header,
// texts, columns and positions, from the client's rows in the database.
#include "DossierFixture.h"
#include "support/ScriptedPrompter.h"

#include <QTest>

using namespace ulk;
using namespace ulk::test;
using report::PlacedText;
using report::ReportFont;

namespace {

const QString kKey = QStringLiteral("NOVAKJA00");

void addBasicClient()
{
    sql("INSERT INTO k_zaklad (idkod, meno, priezv, rodcis, katcis, datnar, zdrpoi, narodn, stprisl, jazyk, "
        "jaz_doma, ulica, psc, obec, skola, odporu, datevi, postih) VALUES "
        "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
        {kKey, "Ján", "Novák", "0105171234", "17", "2001-05-17", "25", "01", "SK", "01", "02", "Hlavná 5", "94901",
         "Nitra", "ZŠ Benkova", "pediater", "2006-09-01", "25"});
    sql("INSERT INTO k_memo (idkod) VALUES (?)", {kKey});
}

// Sorted copies, to compare what does not depend on order.
QStringList sorted(QStringList l)
{
    l.sort();
    return l;
}

} // namespace

class DossierPagesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    // Every page: its report, orientation, title, the client's name and the
    // date of printing, where the design puts them; the detail under them.
    void headerOfEveryTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("report");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QList<int>>("titleGeometry"); // top, width, height
        QTest::addColumn<QList<int>>("menoGeometry");  // top, width
        QTest::addColumn<QList<int>>("dateGeometry");  // left, top, width
        QTest::addColumn<bool>("dateInTimes");
        QTest::addColumn<int>("bodyTop");              // header height + page header height

        const QList<int> zak{57, 2835, 330};
        QTest::newRow("0") << 0 << "rptZakUdaj" << true << "Základné údaje o klientovi :" << zak
                           << QList<int>{624, 4365} << QList<int>{7087, 0, 1440} << true << 1530;
        QTest::newRow("1") << 1 << "rptRodicia" << true << "Údaje o rodičoch :" << QList<int>{57, 1984, 330}
                           << QList<int>{624, 4365} << QList<int>{7370, 0, 1440} << false << 1320;
        QTest::newRow("2") << 2 << "rptSurodenci" << true << "Zoznam súrodencov klienta :"
                           << QList<int>{57, 2895, 330} << QList<int>{567, 4365} << QList<int>{10828, 57, 1440}
                           << true << 1185;
        const QList<int> demo{0, 7650, 225};
        QTest::newRow("3") << 3 << "rptDemo" << false << "Dieťa v rannom predškolskom veku" << demo
                           << QList<int>{510, 3975} << QList<int>{7880, 57, 1020} << false << 900;
        QTest::newRow("8") << 8 << "rptDemo" << false << "Individuálny plán klienta ulk.por.zar." << demo
                           << QList<int>{510, 3975} << QList<int>{7880, 57, 1020} << false << 900;
        QTest::newRow("9") << 9 << "rptUdajVV" << false << "Údaje o výchove a vzdelávaní :"
                           << QList<int>{57, 3231, 330} << QList<int>{567, 4365} << QList<int>{7370, 57, 1440}
                           << false << 1110 + 360;
        QTest::newRow("10") << 10 << "rptVysetrenie" << false
                            << "Priebeh a závery špeciálneho pedagogického vyšetrenia :" << QList<int>{57, 6236, 330}
                            << QList<int>{737, 4485} << QList<int>{7880, 624, 900} << false << 1470;
        QTest::newRow("11") << 11 << "rptZaz_spc" << false << "Záznam o špeciálno-pedagogickej činnosti :"
                            << QList<int>{57, 4309, 330} << QList<int>{624, 4365} << QList<int>{7370, 0, 1440}
                            << false << 1185;
        QTest::newRow("12") << 12 << "rptZaz_zmeny" << false << "Zaznamenané zmeny :" << QList<int>{57, 2211, 330}
                            << QList<int>{680, 4200} << QList<int>{6973, 57, 1440} << false << 1305;
        QTest::newRow("13") << 13 << "rptNavstevy" << false << "Zoznam návštev klienta :"
                            << QList<int>{57, 2608, 330} << QList<int>{737, 4365} << QList<int>{7370, 57, 1440}
                            << false << 1425 + 330;
    }

    void headerOfEveryTab()
    {
        QFETCH(int, tab);
        QFETCH(QString, report);
        QFETCH(bool, landscape);
        QFETCH(QString, title);
        QFETCH(QList<int>, titleGeometry);
        QFETCH(QList<int>, menoGeometry);
        QFETCH(QList<int>, dateGeometry);
        QFETCH(bool, dateInTimes);
        QFETCH(int, bodyTop);

        ScriptedPrompter p;
        OpenRegister dir;
        addBasicClient();
        addEmployee("MALAEV00", "Eva", "Malá");
        sql("INSERT INTO k_surodenci (idkod, meno) VALUES (?, 'Peter')", {kKey});
        sql("INSERT INTO k_zariad (idkod, nazzar, akronym) VALUES (?, '01', 'VYCH')", {kKey});
        sql("INSERT INTO k_vysetrenie (idkod, datum, idkod_p) VALUES (?, '2007-01-10', 'MALAEV00')", {kKey});
        sql("INSERT INTO k_zaznam_spc (idkod, datum, idkod_P) VALUES (?, '2007-01-11', 'MALAEV00')", {kKey});
        sql("INSERT INTO k_zaznam_zmeny (idkod, datum, idkod_P) VALUES (?, '2007-01-12', 'MALAEV00')", {kKey});
        sql("INSERT INTO k_navstevy (idkod, datum) VALUES (?, '2007-01-13')", {kKey});

        ShownReports shown;
        QVERIFY(print(dir, tab, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(shown.docs.size(), 1);
        const report::ReportDocument &doc = shown.last();
        QCOMPARE(doc.reportName, report);
        QCOMPARE(doc.orientation, landscape ? report::Orientation::Landscape : report::Orientation::Portrait);
        QCOMPARE(doc.pageSize.width() > doc.pageSize.height(), landscape);
        QCOMPARE(doc.pageCount(), 1);
        QVERIFY(shown.connectedWhileShown);
        QVERIFY(!DataEnvironment::denUlk().isLoaded());

        const QList<PlacedText> header = shown.page().textsOf("Section4");
        QCOMPARE(header.size(), 3);
        QCOMPARE(header[0].name, QString("lblNadpis"));
        QCOMPARE(header[0].text, title);
        QCOMPARE(header[0].rect.topLeft(), QPointF(kMargin, kMargin + titleGeometry[0]));
        QCOMPARE(header[0].rect.width(), double(titleGeometry[1]));
        // The box is as high as designed, or as one line of its font where that is taller.
        QCOMPARE(header[0].rect.height(), std::max(double(titleGeometry[2]), header[0].font.lineHeight()));
        QCOMPARE(header[0].font, ReportFont::timesNewRoman(11.25, true, false, true));
        QCOMPARE(header[1].name, QString("lblMeno"));
        QCOMPARE(header[1].text, QString("Ján  Novák"));
        QCOMPARE(header[1].rect.topLeft(), QPointF(kMargin, kMargin + menoGeometry[0]));
        QCOMPARE(header[1].rect.width(), double(menoGeometry[1]));
        QCOMPARE(header[1].font, ReportFont::timesNewRoman(11.25, true, true));
        QCOMPARE(header[2].text, QString("5.3.2007"));
        QCOMPARE(header[2].rect.topLeft(), QPointF(kMargin + dateGeometry[0], kMargin + dateGeometry[1]));
        QCOMPARE(header[2].rect.width(), double(dateGeometry[2]));
        QCOMPARE(header[2].font, dateInTimes ? ReportFont::timesNewRoman(9) : ReportFont::arial(8.25));

        // The one row's detail starts under the headers.
        const QList<PlacedText> detail = shown.page().textsOf("Section1");
        QVERIFY(!detail.isEmpty());
        double top = detail[0].rect.top();
        for (const PlacedText &t : detail)
            top = std::min(top, t.rect.top());
        QCOMPARE(top, kMargin + bodyTop);
    }

    void basicDataPage()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        addBasicClient();
        ShownReports shown;
        QVERIFY(print(dir, 0, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(described(shown.page(), "Section1", kMargin + 1530),
                 QStringList({
                     "rodné číslo : @0,0,1077",
                     "rodcis=0105171234 @3402,0,1695",
                     "katalógové číslo : @0,283,1410",
                     "katcis=17 @3402,283,680",
                     "dátum narodenia : @0,563,1984",
                     "datnar=17.05.2001 @3402,566,1701",
                     "zdravotná poisťovňa : @0,849,1984",
                     "c_zdrpoi.nazov=Všeobecná zdravotná poisťovňa, a. s. @3402,849,2835",
                     "národnosť : @0,1132,1191",
                     "c_narodn.nazov=slovenská @3402,1132,1984",
                     "štátna príslušnosť : @0,1413,1984",
                     "c_iczeme.nazov=Slovenská republika @3402,1413,2041",
                     "jazyk, ktorým klient komunikuje : @0,1696,2835",
                     "c_jazyk.nazov=slovenský @3402,1696,2098",
                     "jazyk, ktorým klient komunikuje doma : @0,1979,3288",
                     "c_jazyk_1.nazov=maďarský @3402,1979,2098",
                     "postihnutie klienta : @0,2262,1984",
                     "retaz1=mentálne @3402,2262,1133",
                     "retaz2=rečové @4592,2262,1077",
                     "retaz3= @5726,2262,1134",
                     "retaz4= @6917,2262,1077",
                     "retaz5= @8107,2262,1021",
                     "retaz6= @9184,2262,907",
                     "retaz7= @10148,2262,1191",
                     "retaz8= @11452,2262,1077",
                     "retaz9= @12643,2262,907",
                     "bydlisko klienta : @0,3394,1470",
                     "ulica=Hlavná 5 @3402,3394,2385",
                     "psc=94901 @3402,3677,735",
                     "obec=Nitra @4252,3677,2895",
                     "škola, zariad.,  ktoré klient navštevuje : @0,3968,3285",
                     "skola=ZŠ Benkova @3402,3960,5265",
                     "kto klienta odporučil : @0,4243,2160",
                     "odporu=pediater @3402,4243,5325",
                     "odkedy je v evidencii zariadenia : @0,4526,2835",
                     "datevi=01.09.2006 @3402,4526,2490",
                 }));
        for (const PlacedText &t : shown.page().textsOf("Section1"))
            QCOMPARE(t.font, ReportFont::timesNewRoman(9, t.field.isEmpty()));
    }

    // The nine columns of a disability code string, and how their texts wrap.
    void disabilityTexts_data()
    {
        QTest::addColumn<QVariant>("postih");
        QTest::addColumn<QStringList>("texts");
        const QString none;
        QTest::newRow("25") << QVariant("25")
                            << QStringList{"mentálne", "rečové", none, none, none, none, none, none, none};
        QTest::newRow("0") << QVariant("0") << QStringList{"žiadne", none, none, none, none, none, none, none, none};
        QTest::newRow("blank at 2") << QVariant("3 4") << QStringList{"sluchové", none, "zrakové", none, none, none,
                                                                       none, none, none};
        QTest::newRow("no string") << QVariant() << QStringList{none, none, none, none, none, none, none, none, none};
        QTest::newRow("all nine") << QVariant("123456789")
                                  << QStringList{"syndróm autizmu", "mentálne", "sluchové", "zrakové", "rečové",
                                                 "telesné", "špecifické vývinové poruchy správania",
                                                 "špecifické vývinové poruchy učenia", "iné"};
    }

    void disabilityTexts()
    {
        QFETCH(QVariant, postih);
        QFETCH(QStringList, texts);
        ScriptedPrompter p;
        OpenRegister dir;
        sql("INSERT INTO k_zaklad (idkod, meno, priezv, postih, matpos, otepos) VALUES (?, 'A', 'B', ?, ?, ?)",
            {kKey, postih, postih, postih});
        sql("INSERT INTO k_surodenci (idkod, meno, postih) VALUES (?, 'C', ?)", {kKey, postih});
        ShownReports shown;
        for (int tab : {0, 1, 2})
            QVERIFY(print(dir, tab, kKey, "A", "B"));
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(shown.docs.size(), 3);
        for (int i = 0; i < 9; ++i) {
            const QString n = QString::number(i + 1);
            // A grown box has one placed text per line: join them back.
            const QStringList zak = columnTexts(shown.docs[0].pages[0], "retaz" + n);
            const bool grows = i < 7;
            if (grows)
                QCOMPARE(zak.join(' '), texts[i]);
            else
                QCOMPARE(zak, QStringList{texts[i]});
            QCOMPARE(columnTexts(shown.docs[1].pages[0], "retaz" + n + "M").join(' '), texts[i]);
            QCOMPARE(columnTexts(shown.docs[1].pages[0], "retaz" + n + "O").join(' '), texts[i]);
            QCOMPARE(columnTexts(shown.docs[2].pages[0], "retaz" + n).join(' '), texts[i]);
        }
        if (texts[6].size() > 20) {
            // The long texts wrap in retaz7 of the basic data page, not in retaz8.
            QVERIFY(columnTexts(shown.docs[0].pages[0], "retaz7").size() > 1);
            QCOMPARE(columnTexts(shown.docs[0].pages[0], "retaz8").size(), 1);
            // Wrapping moves the address under the grown line.
            const QList<PlacedText> street = shown.docs[0].pages[0].textsOfField("ulica");
            QVERIFY(street[0].rect.top() > kMargin + 1530 + 3394);
        }
    }

    void parentsPage_data()
    {
        QTest::addColumn<QVariant>("matvla");
        QTest::addColumn<QVariant>("otevla");
        QTest::addColumn<QString>("mother");
        QTest::addColumn<QString>("father");
        QTest::newRow("own") << QVariant(1) << QVariant(1) << "vlastná" << "vlastný";
        QTest::newRow("not own") << QVariant(0) << QVariant(0) << "nevlastná" << "nevlastný";
        QTest::newRow("empty") << QVariant() << QVariant() << "nevlastná" << "nevlastný";
        QTest::newRow("mixed") << QVariant(0) << QVariant(1) << "nevlastná" << "vlastný";
    }

    void parentsPage()
    {
        QFETCH(QVariant, matvla);
        QFETCH(QVariant, otevla);
        QFETCH(QString, mother);
        QFETCH(QString, father);
        ScriptedPrompter p;
        OpenRegister dir;
        sql("INSERT INTO k_zaklad (idkod, meno, priezv, matka, matnar, matvla, matpos, otec, otenar, otevla, otepos, "
            "oteobe, otezam, kon_meno, kon_pomer, kon_uli, kon_obe, kon_psc, kon_tel, kon_mail) "
            "VALUES (?, 'Ján', 'Novák', 'Mária Nováková', '1975', ?, '5', 'Peter Novák', '1972', ?, '', 'Nitra', "
            "'vodič', 'Mária Nováková', 'matka', 'Hlavná 5', 'Nitra', '94901', '0905111222', 'm@n.sk')",
            {kKey, matvla, otevla});
        ShownReports shown;
        QVERIFY(print(dir, 1, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        const report::ReportPage &page = shown.page();
        QCOMPARE(columnTexts(page, "vlnevlM"), QStringList{mother});
        QCOMPARE(columnTexts(page, "vlnevlO"), QStringList{father});

        const QStringList all = described(page, "Section1", kMargin + 1320);
        auto has = [&](const QString &entry) {
            if (!all.contains(entry))
                qWarning("%s not in:\n%s", qPrintable(entry), qPrintable(all.join('\n')));
            return all.contains(entry);
        };
        QVERIFY(has("matka : @0,0,1365"));
        QVERIFY(has("vlnevlM=" + mother + " @2268,0,850"));
        QVERIFY(has("meno a priezvisko : @0,283,2154"));
        QVERIFY(has("dátum narodenia: @6860,283,1474"));
        QVERIFY(has("matka=Mária Nováková @2268,283,4535"));
        QVERIFY(has("matnar=1975 @8334,283,1710"));
        QVERIFY(has("adresa zamestnávateľa : @5443,1415,1980"));
        QVERIFY(has("postihnutie : @0,2264,2160"));
        QVERIFY(has("retaz1M=rečové @2268,2264,1133"));
        QVERIFY(has("retaz9M= @11452,2264,1140"));
        QVERIFY(has("otec : @0,3175,1365"));
        QVERIFY(has("vlnevlO=" + father + " @2268,3175,850"));
        QVERIFY(has("meno a priezvisko  : @0,3458,2205"));
        QVERIFY(has("dátum narodenia: @6803,3458,1474"));
        QVERIFY(has("otec=Peter Novák @2268,3458,4480"));
        QVERIFY(has("otenar=1972 @8277,3458,1710"));
        QVERIFY(has("oteobe=Nitra @4535,4025,3345"));
        QVERIFY(has("otezam=vodič @2211,4590,3060"));
        QVERIFY(has("adresa zamestnávateľa : @5443,4590,1984"));
        QVERIFY(has("prekonané vážne choroby : @0,5156,2145"));
        QVERIFY(has("otechor= @2268,5156,9015"));
        QVERIFY(has("retaz1O= @2268,5439,1133"));
        QVERIFY(has("retaz9O= @11395,5439,1140"));
        QVERIFY(has("meno kontaktnej osoby : @0,6463,2385"));
        QVERIFY(has("kon_meno=Mária Nováková @3175,6463,4309"));
        QVERIFY(has("pomer kontaktnej osoby ku klientovi : @0,6746,3118"));
        QVERIFY(has("kon_pomer=matka @3175,6746,3525"));
        QVERIFY(has("adresa kontaktnej osoby : @0,7029,2835"));
        QVERIFY(has("kon_uli=Hlavná 5 @3175,7029,2494"));
        QVERIFY(has("kon_obe=Nitra @5953,7029,3288"));
        QVERIFY(has("kon_psc=94901 @9468,7029,1077"));
        QVERIFY(has("telefón, email kontaktnej osoby : @0,7312,2948"));
        QVERIFY(has("kon_tel=0905111222 @3175,7312,1935"));
        QVERIFY(has("kon_mail=m@n.sk @5102,7312,2835"));
        // 11 labels and 22 fields in each parent's block, 4 labels and 7
        // fields for the contact person.
        QCOMPARE(all.size(), 2 * (11 + 22) + 4 + 7);
        // The two solid lines under "matka :" and "otec :".
        QCOMPARE(page.lines.size(), 2);
        const double top = kMargin + 1320;
        QCOMPARE(page.lines[0].line, QLineF(kMargin, top + 227, kMargin + 3118, top + 227));
        QCOMPARE(page.lines[1].line, QLineF(kMargin, top + 3402, kMargin + 3118, top + 3402));
        QCOMPARE(page.lines[0].style, report::LineStyle::Solid);
    }

    void siblingsPage()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        addBasicClient();
        sql("INSERT INTO k_surodenci (idkod, meno, pohlavie, roknar, choroby, postih) VALUES "
            "(?, 'Peter', 'M', '1998', 'astma', '5'), (?, 'Anna', 'Z', '2003', '', '0')",
            {kKey, kKey});
        // A row of the client whose key was stored with a trailing blank, and
        // another client's row.
        sql("INSERT INTO k_surodenci (idkod, meno) VALUES (?, 'Eva'), ('NOVAKJA01', 'Cudzí')", {kKey + " "});
        ShownReports shown;
        QVERIFY(print(dir, 2, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        const report::ReportPage &page = shown.page();
        QCOMPARE(detailRows(page), 3);
        const double top = kMargin + 1185;
        QCOMPARE(described(page, "Section1", top, 0),
                 QStringList({"meno : @0,0,900",
                              "meno=Peter @2835,0,1470",
                              "pohlavie: @0,283,1304",
                              "pohlavie=M @2835,283,570",
                              "rok narodenia : @0,566,2608",
                              "roknar=1998 @2835,566,690",
                              "choroby : @0,849,795",
                              "choroby=astma @2835,849,2385",
                              "postihnutia : @0,1132,1980",
                              "retaz1=rečové @2835,1132,1134",
                              "retaz2= @4025,1132,1077",
                              "retaz3= @5159,1132,1077",
                              "retaz4= @6293,1132,1077",
                              "retaz5= @7427,1132,1077",
                              "retaz6= @8561,1132,1077",
                              "retaz7= @9694,1132,1077",
                              "retaz8= @10828,1132,1077",
                              "retaz9= @11962,1132,1077"}));
        QCOMPARE(described(page, "Section1", top + 1590, 1).mid(0, 2),
                 QStringList({"meno : @0,0,900", "meno=Anna @2835,0,1470"}));
        QCOMPARE(columnTexts(page, "retaz1"), QStringList({"rečové", "žiadne", ""}));
        QCOMPARE(sorted(columnTexts(page, "meno")), QStringList({"Anna", "Eva", "Peter"}));
        // A dotted separator under each sibling.
        QCOMPARE(page.lines.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const double y = top + 1590 * i + 1474;
            QCOMPARE(page.lines[i].line, QLineF(kMargin, y, kMargin + 1020, y));
            QCOMPARE(page.lines[i].style, report::LineStyle::Dot);
        }
    }

    void memoPage()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        addBasicClient();
        const QString longText = QString("Dieťa rozpráva vo vetách. ").repeated(40) + "\nKoniec.";
        sql("UPDATE k_memo SET u_zhrn = ? WHERE idkod = ?", {longText, kKey});
        ShownReports shown;
        QVERIFY(print(dir, 5, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(shown.last().caption, QString("Zhrnutie výsledkov predchádzajúceho odborného vyšetrenia"));
        const QList<PlacedText> lines = shown.page().textsOf("Section1", "txtPolozka");
        QVERIFY(lines.size() > 5);
        QCOMPARE(lines.last().text, QString("Koniec."));
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines[i].field, QString("u_zhrn"));
            QCOMPARE(lines[i].font, ReportFont::arial(8.25));
            QCOMPARE(lines[i].rect.left(), kMargin);
            QCOMPARE(lines[i].rect.width(), 8790.0);
        }
        QCOMPARE(lines[0].rect.top(), kMargin + 900);
        QString joined;
        for (const PlacedText &t : lines)
            joined += t.text + ' ';
        QCOMPARE(joined.simplified(), longText.simplified());
    }

    void facilitiesPage()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        addBasicClient();
        sql("INSERT INTO k_zariad (idkod, nazzar, adresa, vzar_od, vzar_do, akronym) VALUES "
            "(?, '01', 'Hlavná 1, Nitra', '2004-09-01', '2006-06-30', 'VYCH'),"
            "(?, '30', 'Školská 2, Nitra', '2006-09-01', NULL, 'ULK'),"
            "('INYKLI00', '04', 'x', '2004-09-01', NULL, 'VYCH')",
            {kKey, kKey});
        ShownReports shown;
        QVERIFY(print(dir, 9, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        const report::ReportPage &page = shown.page();
        QCOMPARE(described(page, "Section2", kMargin + 1110),
                 QStringList({"Názov zariadenia @0,0,1474", "Adresa zariadenia @2835,0,3402",
                              "v zariadení je od-do @6406,0,2381"}));
        for (const PlacedText &t : page.textsOf("Section2"))
            QCOMPARE(t.font, ReportFont::timesNewRoman(9, true));
        QCOMPARE(page.lines.size(), 1);
        QCOMPARE(page.lines[0].line, QLineF(kMargin, kMargin + 1110 + 283, kMargin + 8844, kMargin + 1110 + 283));
        const double top = kMargin + 1110 + 360;
        QCOMPARE(described(page, "Section1", top, 0),
                 QStringList({"nazov=Materská škola @0,0,2665", "adresa=Hlavná 1, Nitra @2891,0,3232",
                              "vzar_od=01.09.2004 @6236,0,900", "-- @7257,0,285", "vzar_do=30.06.2006 @7540,0,964"}));
        QCOMPARE(described(page, "Section1", top + 255, 1),
                 QStringList({"nazov=Špeciálnopedagogická poradňa @0,0,2665", "adresa=Školská 2, Nitra @2891,0,3232",
                              "vzar_od=01.09.2006 @6236,0,900", "-- @7257,0,285", "vzar_do= @7540,0,964"}));
        QCOMPARE(detailRows(page), 2);
        const PlacedText dash = page.textsOf("Section1").at(3);
        QCOMPARE(dash.font, ReportFont::arial(8.25));
        QCOMPARE(dash.rect.height(), std::max(165.0, dash.font.lineHeight()));
    }

    void examinationsPage()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        addBasicClient();
        addEmployee("MALAEV00", " Eva ", "Malá ");
        addEmployee("KOVJO00", "Jozef", "Kováč");
        // An employee without a first name is still named by the surname.
        sql("UPDATE zamestnanci SET meno = NULL WHERE idkod = 'KOVJO00'");
        // The picker's buffer leaves the employee key padded to ten characters.
        sql("INSERT INTO k_vysetrenie (idkod, datum, idkod_p, popis) VALUES "
            "(?, '2007-01-10', 'MALAEV00  ', 'Prvé vyšetrenie.'), (?, '2007-02-11', 'KOVJO00', ?)",
            {kKey, kKey, QString("Dlhý popis priebehu vyšetrenia. ").repeated(12)});
        ShownReports shown;
        QVERIFY(print(dir, 10, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        const report::ReportPage &page = shown.page();
        QCOMPARE(detailRows(page), 2);
        const double top = kMargin + 1470;
        QCOMPARE(described(page, "Section1", top, 0),
                 QStringList({"dátum vyšetrenia : @0,0,1635", "datum=10.01.2007 @2778,0,1530",
                              "meno vyšetrujúceho psychológa: @0,283,2610", "Expr1=Eva  Malá @2778,283,3458",
                              "Popis vyšetrenia : @0,566,1590", "popis=Prvé vyšetrenie. @0,850,8277"}));
        QCOMPARE(page.textsOf("Section1", "txtpopis").first().font, ReportFont::arial(8.25));
        QCOMPARE(columnTexts(page, "Expr1"), QStringList({"Eva  Malá", "  Kováč"}));
        // The second description grows over several lines.
        const QList<PlacedText> popis = page.textsOfField("popis");
        QVERIFY(popis.size() > 2);
        QCOMPARE(popis[1].rect.top(), top + 1710 + 850);
    }

    void careRecordsPage()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        addBasicClient();
        addEmployee("MALAEV00", "Eva", "Malá");
        sql("INSERT INTO k_zaznam_spc (idkod, datum, hod_od, hod_do, idkod_P, cinnost) VALUES "
            "(?, '2007-01-15', '8', '9', 'MALAEV00', 'Logopedická starostlivosť.')",
            {kKey});
        ShownReports shown;
        QVERIFY(print(dir, 11, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(described(shown.page(), "Section1", kMargin + 1185),
                 QStringList({"dátum : @0,0,675", "datum=15.01.2007 @850,0,1185", "od - do(hodiny) @2098,0,1247",
                              "hod_od=8 @3402,0,270", "- @3742,57,227", "hod_do=9 @3969,0,231",
                              "meno zamestnanca : @4309,0,1695", "Expr1=Eva  Malá @6009,0,2835",
                              "činnosť : @0,283,964", "cinnost=Logopedická starostlivosť. @0,567,9015"}));
    }

    void visitsInDateOrder()
    {
        ScriptedPrompter p;
        OpenRegister dir;
        addBasicClient();
        sql("INSERT INTO k_navstevy (idkod, datum, dat_budn) VALUES (?, '2007-02-20', '2007-03-20'), "
            "(?, '2006-11-02', '2007-02-20'), (?, '2007-01-05', NULL), ('INYKLI00', '2006-01-01', NULL)",
            {kKey, kKey, kKey});
        ShownReports shown;
        QVERIFY(print(dir, 13, kKey, "Ján", "Novák"));
        QVERIFY(p.unexpected.isEmpty());
        const report::ReportPage &page = shown.page();
        QCOMPARE(described(page, "Section2", kMargin + 1425),
                 QStringList({"dátum návštevy : @0,0,1695", "dátum budúcej návštevy : @1984,0,2205"}));
        const double top = kMargin + 1425 + 330;
        QCOMPARE(described(page, "Section1", top),
                 QStringList({"datum=02.11.2006 @0,0,1470", "dat_budn=20.02.2007 @1984,0,1200",
                              "datum=05.01.2007 @0,285,1470", "dat_budn= @1984,285,1200",
                              "datum=20.02.2007 @0,570,1470", "dat_budn=20.03.2007 @1984,570,1200"}));
    }
};

QTEST_MAIN(DossierPagesTest)
#include "DossierPagesTest.moc"
