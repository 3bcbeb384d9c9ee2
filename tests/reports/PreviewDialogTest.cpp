#include "reports/ReportLayout.h"
#include "reports/ui/PageView.h"
#include "reports/ui/PreviewDialog.h"

#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

using namespace ulk;
using namespace ulk::report;

class PreviewDialogTest : public QObject {
    Q_OBJECT

    static QString firstName(const PreviewDialog &dlg)
    {
        return dlg.pageView()->page().textsOf("Section1").first().text;
    }

private slots:
    // A user turns the pages of a 5-page list with the keys, the tool bar
    // and the page box, zooms, fits the page to the window and closes it.
    void pagesTurnedZoomedAndClosed()
    {
        ReportDefinition r("rptSkuska");
        r.caption = QStringLiteral("Zoznam klientov");
        r.section(SectionKind::Detail).height = 1000;
        r.section(SectionKind::Detail).add(ReportControl::textBox("txtMeno", "meno", 0, 0, 3000, ReportFont::arial(9)));
        RowSet rows({"meno"});
        for (int i = 0; i < 60; ++i)
            rows.append({QStringLiteral("Klient %1").arg(i)});
        const std::optional<ReportDocument> doc = ReportLayout::layOut(r, rows, QDate(2026, 12, 29));
        QVERIFY(doc);
        QCOMPARE(doc->pageCount(), 5);

        PreviewDialog dlg(*doc);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCOMPARE(dlg.windowTitle(), QString("Zoznam klientov"));
        QCOMPARE(dlg.findChild<QLabel *>("lblPocetStran")->text(), QString(" z 5 "));
        const QStringList tips = {"Prvá strana", "Predchádzajúca strana", "Nasledujúca strana", "Posledná strana",
                                  "Zmenšiť zobrazenie", "Zväčšiť zobrazenie", "Prispôsobiť šírke okna",
                                  "Zobraziť celú stranu", "Vytlačí zostavu", "Uloží zostavu do súboru PDF",
                                  "Zavrie ukážku pred tlačou"};
        QStringList shown;
        for (const char *name : {"actPrvaStrana", "actPredchadzajuca", "actNasledujuca", "actPoslednaStrana",
                                 "actZmensit", "actZvacsit", "actNaSirku", "actCelaStrana", "actTlacit",
                                 "actUlozitPdf", "actZavriet"})
            shown << dlg.findChild<QAction *>(name)->toolTip();
        QCOMPARE(shown, tips);
        QCOMPARE(firstName(dlg), QString("Klient 0"));
        QVERIFY(!dlg.findChild<QAction *>("actPredchadzajuca")->isEnabled());

        QTest::keyClick(&dlg, Qt::Key_PageDown);
        QCOMPARE(dlg.currentPage(), 1);
        QCOMPARE(firstName(dlg), QString("Klient 13"));
        QTest::keyClick(&dlg, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(dlg.currentPage(), 4);
        QCOMPARE(dlg.findChild<QSpinBox *>("spnStrana")->value(), 5);
        QCOMPARE(firstName(dlg), QString("Klient 52"));
        QVERIFY(!dlg.findChild<QAction *>("actNasledujuca")->isEnabled());
        auto *pageBox = dlg.findChild<QSpinBox *>("spnStrana");
        pageBox->setFocus();
        QTest::keyClick(pageBox, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(pageBox, "3");
        QTest::keyClick(pageBox, Qt::Key_Return);
        QCOMPARE(dlg.currentPage(), 2);

        const double fitted = dlg.zoom();
        dlg.findChild<QAction *>("actZvacsit")->trigger();
        QCOMPARE(dlg.zoom(), fitted * 1.25);
        dlg.findChild<QAction *>("actNaSirku")->trigger();
        QCOMPARE(dlg.zoom(), fitted);
        auto *scroll = dlg.findChild<QScrollArea *>("scrStrana");
        QVERIFY(dlg.pageView()->width() <= scroll->viewport()->width());
        QVERIFY(dlg.pageView()->width() > scroll->viewport()->width() * 0.9);

        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(PreviewDialogTest)
#include "PreviewDialogTest.moc"
