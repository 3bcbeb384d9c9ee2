#include "data/RowSet.h"

#include <QDate>
#include <QTest>

using namespace ulk;

class RowSetTest : public QObject {
    Q_OBJECT

private slots:
    // Every value comes back as it was handed in, of the same type, also
    // from the rows put in another order and from a copy changed later
    // (the original keeps what it had).
    void valuesKeptPacked()
    {
        const QList<QVariantList> given = {
            {QStringLiteral("Ľubica Šťastná"), qlonglong(-42), 2.5, QVariant(), QDate(2004, 11, 30)},
            {QString(""), qlonglong(1) << 40, -0.125, QByteArray("\x00\x01", 2), QString()},
        };
        RowSet rows({"meno", "cislo", "podiel", "prazdne", "datum"}, given);
        QCOMPARE(rows.size(), 2);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 5; ++c) {
                QCOMPARE(rows.value(r, c).metaType(), given[r][c].metaType());
                QCOMPARE(rows.value(r, c), given[r][c]);
            }
        QVERIFY(rows.value(1, "datum").toString().isNull());
        QVERIFY(!rows.value(1, "MENO").toString().isNull());

        const RowSet turned = rows.reordered({1, 0});
        QCOMPARE(turned.row(0), given[1]);
        QCOMPARE(turned.row(1), given[0]);

        RowSet copy = turned;
        copy.append({QStringLiteral("Žofia"), qlonglong(7)});
        QCOMPARE(copy.size(), 3);
        QCOMPARE(copy.value(2, 0).toString(), QString("Žofia"));
        QVERIFY(!copy.value(2, 4).isValid());
        QCOMPARE(turned.size(), 2);
        QCOMPARE(rows.row(0), given[0]);
        QCOMPARE(copy.row(1), given[0]);
    }

    // Parts read side by side are joined in an order given across them:
    // every value comes back from its own part, a row added later too, and
    // a text's bytes are there as held.
    void partsJoinedInAnOrder()
    {
        RowSet first({"meno", "datum"}, {{QStringLiteral("Ľuba"), QDate(2001, 1, 2)}, {QStringLiteral("Ján"), QVariant()}});
        RowSet second({"meno", "datum"}, {{qlonglong(7), QDate(2003, 4, 5)}});
        second = second.reordered({0});
        const std::optional<RowSet> joined = RowSet::joined({first, second}, {2, 0, 1});
        QVERIFY(joined);
        QCOMPARE(joined->size(), 3);
        QCOMPARE(joined->row(0), QVariantList({qlonglong(7), QDate(2003, 4, 5)}));
        QCOMPARE(joined->row(1), QVariantList({QStringLiteral("Ľuba"), QDate(2001, 1, 2)}));
        QCOMPARE(joined->row(2), QVariantList({QStringLiteral("Ján"), QVariant()}));
        QCOMPARE(*joined->text(1, 0), QByteArrayView("Ľuba"));
        QVERIFY(!joined->text(0, 0));
        QVERIFY(!joined->text(2, 1));

        RowSet more = *joined;
        more.append({QStringLiteral("Žofia"), QDate(2005, 6, 7)});
        QCOMPARE(more.row(3), QVariantList({QStringLiteral("Žofia"), QDate(2005, 6, 7)}));
        QCOMPARE(more.reordered({3, 0}).row(0), more.row(3));
        QCOMPARE(joined->size(), 3);
        QCOMPARE(second.row(0), QVariantList({qlonglong(7), QDate(2003, 4, 5)}));
    }
};

QTEST_MAIN(RowSetTest)
#include "RowSetTest.moc"
