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
};

QTEST_MAIN(RowSetTest)
#include "RowSetTest.moc"
