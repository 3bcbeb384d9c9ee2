#include "client/BasicDataFields.h"
#include "client/ClientRecord.h"
#include "client/MemoFields.h"
#include "data/Database.h"
#include "support/ProgramDir.h"

#include <QSet>
#include <QSqlQuery>
#include <QTest>

using namespace ulk;
namespace F = ulk::BasicDataFields;

class BasicDataFieldsTest : public QObject {
    Q_OBJECT
private slots:
    // Held against the register the database tool creates, not a copy.
    void fieldsShowTheColumnsOfTheCreatedRegister()
    {
        test::OpenRegister dir;
        QSet<QString> registerColumns;
        QSet<QString> numberColumns;
        QSqlQuery q = runSql("SELECT name, type FROM pragma_table_info('k_zaklad')");
        while (q.next()) {
            registerColumns.insert(q.value(0).toString());
            if (q.value(1).toString() == "INTEGER")
                numberColumns.insert(q.value(0).toString());
        }
        QSet<QString> columns;
        for (int i = 0; i < F::count; ++i) {
            QCOMPARE(F::at(i).index, i);
            QCOMPARE(F::objectName(i), QStringLiteral("textKrz%1").arg(i));
            QCOMPARE(F::at(i).tab, i < 20 ? 0 : 1);
            // The six disability digits are bound to no column; every other
            // field to a column of its own, a number column for an age.
            const QString c = F::columnOf(i);
            QCOMPARE(c.isEmpty(), QSet<int>({18, 19, 33, 34, 48, 49}).contains(i));
            QCOMPARE(c.isEmpty(), F::at(i).kind == FieldKind::Disability);
            if (c.isEmpty())
                continue;
            QVERIFY2(registerColumns.contains(c) && !columns.contains(c), qPrintable(c));
            QCOMPARE(F::at(i).kind == FieldKind::Age, numberColumns.contains(c));
            columns.insert(c);
        }
        const QStringList bound = F::boundColumns();
        QCOMPARE(QSet<QString>(bound.cbegin(), bound.cend()), columns);
        // With the key and the statement's age, the save writes every column.
        QStringList written = ClientRecord::writtenColumns();
        written << "idkod" << "vek";
        QCOMPARE(QSet<QString>(written.cbegin(), written.cend()), registerColumns);
        QCOMPARE(written.size(), registerColumns.size());
    }

    void digitsOnlyFields()
    {
        const QSet<int> digits = {3, 6, 7, 8, 14, 18, 19, 21, 22, 26, 33, 34, 36, 37, 41, 48, 49, 54};
        for (int i = 0; i < F::count; ++i)
            QVERIFY2(F::at(i).digitsOnly == digits.contains(i), qPrintable(QString::number(i)));
    }

    void labelsLimitsAndTooltips_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("0") << 0 << "meno" << "Meno" << 20 << "krstné meno klienta";
        QTest::newRow("6") << 6 << "katcis" << "Kat. čís." << 0 << "jednoznačné katalógové číslo klienta";
        QTest::newRow("7") << 7 << "zdrpoi" << "Zdravotná poisťovňa" << 50
                           << "dvojmiestný kód zdravotnej poisťovne( z číselníka)";
        QTest::newRow("11") << 11 << "jaz_doma" << "Jazyk, ktorým klient komunikuje doma" << 0
                            << "dvojmiestny kód(z číselníka)";
        QTest::newRow("16") << 16 << "odporu" << "Kto klienta odporučil" << 30 << "";
        QTest::newRow("17") << 17 << "datevi" << "V evidencii zar.od" << 12 << "dátum v tvare DD.MM.RRRR";
        QTest::newRow("18") << 18 << "" << "Výber domin. postihnutia" << 1 << "";
        QTest::newRow("29") << 29 << "matzam" << "Zamest." << 20 << "zamestnanie matky";
        QTest::newRow("44") << 44 << "otezam" << "Zamest." << 30 << "zamestnanie otca";
        QTest::newRow("49") << 49 << "" << "Výber pridruženého postihnutia" << 1 << "";
        QTest::newRow("54") << 54 << "kon_psc" << "Psč" << 0 << "";
        QTest::newRow("56") << 56 << "kon_mail" << "E-mail" << 0 << "";
    }
    void labelsLimitsAndTooltips()
    {
        QFETCH(int, index);
        QFETCH(QString, column);
        QFETCH(QString, label);
        QFETCH(int, limit);
        QFETCH(QString, tooltip);
        QCOMPARE(F::columnOf(index), column);
        QCOMPARE(F::label(index), label);
        QCOMPARE(F::at(index).maxLength, limit);
        QCOMPARE(F::tooltip(index), tooltip);
    }

    void pickersPairWithTheirFields()
    {
        const QList<QPair<QString, int>> pairs = {
            {"dbcvolby0", 2},  {"dbcvolby1", 8},  {"dbcvolby2", 9},  {"dbcvolby3", 10}, {"dbcvolby4", 13},
            {"dbcvolby5", 25}, {"dbcvolby6", 40}, {"dbcvolby7", 52}, {"dbcvolby8", 7},  {"dbcvolby9", 11},
            {"cmbPos0", 48},   {"cmbPos1", 33},   {"cmbPos2", 18},   {"cmbPos3", 5},    {"cmbSek0", 19},
            {"cmbSek1", 34},   {"cmbSek2", 49}};
        for (const auto &[picker, field] : pairs) {
            QCOMPARE(F::fieldOfPicker(picker), field);
            QCOMPARE(F::pickerOf(field), picker);
        }
        QCOMPARE(F::fieldOfPicker("cmbSek3"), -1);
        QCOMPARE(F::fieldOfPicker("cmbSur1"), -1);
    }

    void moveTargets_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("move");
        QTest::addColumn<bool>("associatedEnabled");
        QTest::addColumn<int>("to");
        const int next = int(FieldMove::Next), prev = int(FieldMove::Previous);
        QTest::newRow("next 0") << 0 << next << true << 1;
        QTest::newRow("next 17") << 17 << next << true << 18;
        QTest::newRow("next 18 enabled") << 18 << next << true << 19;
        QTest::newRow("next 18 disabled") << 18 << next << false << 18;
        QTest::newRow("next 19 stays") << 19 << next << true << 19;
        QTest::newRow("next 33 enabled") << 33 << next << true << 34;
        QTest::newRow("next 33 disabled") << 33 << next << false << 35;
        QTest::newRow("next 48 disabled") << 48 << next << false << 50;
        QTest::newRow("next 56 stays") << 56 << next << true << 56;
        QTest::newRow("up 0 stays") << 0 << prev << true << 0;
        QTest::newRow("up 20 stays") << 20 << prev << true << 20;
        QTest::newRow("up 19") << 19 << prev << true << 18;
        QTest::newRow("up 35 disabled") << 35 << prev << false << 33;
        QTest::newRow("up 35 enabled") << 35 << prev << true << 34;
        QTest::newRow("up 50 disabled") << 50 << prev << false << 48;
        QTest::newRow("page") << 30 << int(FieldMove::SaveButton) << true << -1;
    }
    void moveTargets()
    {
        QFETCH(int, from);
        QFETCH(int, move);
        QFETCH(bool, associatedEnabled);
        QFETCH(int, to);
        const auto enabled = [&](int i) { return associatedEnabled || (i != 19 && i != 34 && i != 49); };
        QCOMPARE(F::moveTarget(from, FieldMove(move), enabled), to);
    }

    void capitals_data()
    {
        QTest::addColumn<bool>("twoWords");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("first") << false << "mária" << "Mária";
        QTest::newRow("diacritic") << false << "čierna" << "Čierna";
        QTest::newRow("digit") << false << "12 ulica" << "12 ulica";
        QTest::newRow("blank") << false << " ján" << " ján";
        QTest::newRow("empty") << false << "" << "";
        QTest::newRow("two") << true << "jana nováková" << "Jana Nováková";
        QTest::newRow("three") << true << "jana mária nováková" << "Jana Mária nováková";
        QTest::newRow("one") << true << "šimon" << "Šimon";
        QTest::newRow("trailing blank") << true << "eva " << "Eva ";
    }
    void capitals()
    {
        QFETCH(bool, twoWords);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QCOMPARE(twoWords ? F::capitaliseTwoWords(typed) : F::capitaliseFirst(typed), result);
    }

    void valuesAndTexts_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("date") << 4 << "1.2.1999" << QVariant("1999-02-01") << "1.2.1999";
        QTest::newRow("padded date") << 17 << "01.02.1999" << QVariant("1999-02-01") << "1.2.1999";
        QTest::newRow("empty date") << 4 << "" << QVariant() << "";
        QTest::newRow("impossible date") << 4 << "31.2.2005" << QVariant() << "";
        QTest::newRow("age") << 22 << "30" << QVariant(30) << "30";
        QTest::newRow("empty age") << 37 << "" << QVariant(0) << "0";
        QTest::newRow("text") << 1 << "O'Neil" << QVariant("O'Neil") << "O'Neil";
        QTest::newRow("empty text") << 12 << "" << QVariant() << "";
    }
    void valuesAndTexts()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        QFETCH(QString, shown);
        const QVariant v = F::valueOf(index, text);
        QCOMPARE(v.isNull(), value.isNull());
        if (!value.isNull())
            QCOMPARE(v.toString(), value.toString());
        QCOMPARE(F::textOf(index, v), shown);
        if (F::at(index).kind == FieldKind::Date)
            QCOMPARE(F::isStorableDate(text), QByteArray(QTest::currentDataTag()) != "impossible date");
    }

    void memoFieldsOnTheirTabs()
    {
        const QList<QPair<int, QString>> byTab = {{3, "u_dieta"},  {4, "u_ziak"},   {5, "u_zhrn"},
                                                  {6, "u_dolezite"}, {7, "poznamky"}, {8, "ip_ulkz"}};
        for (const auto &[tab, column] : byTab) {
            const int i = MemoFields::fieldOnTab(tab);
            QVERIFY(i >= 0);
            QCOMPARE(QString::fromLatin1(MemoFields::all()[std::size_t(i)].column), column);
        }
        QCOMPARE(MemoFields::fieldOnTab(6), 0);
        QCOMPARE(MemoFields::fieldOnTab(2), -1);
    }
};

QTEST_GUILESS_MAIN(BasicDataFieldsTest)
#include "BasicDataFieldsTest.moc"
