#include "reports/ReportLayout.h"
#include "reports/ui/PageView.h"
#include "reports/ui/PageWriter.h"
#include "reports/ui/PreviewDialog.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

using namespace ulk;
using namespace ulk::report;

class PreviewDialogTest : public QObject {
    Q_OBJECT

    // A list of one client a line, `clients` lines, 57 lines a page.
    static ReportDocument listOf(int clients)
    {
        ReportDefinition r("rptZozKlient");
        r.caption = QStringLiteral("Zoznam klientov ULK");
        r.section(SectionKind::Detail).height = 244;
        r.section(SectionKind::Detail).add(ReportControl::textBox("txtMeno", "meno", 0, 0, 3000, ReportFont::arial(9)));
        RowSet rows({"meno"});
        for (int i = 0; i < clients; ++i)
            rows.append({QStringLiteral("Klient %1").arg(i)});
        return *ReportLayout::layOut(r, rows, QDate(2026, 12, 29));
    }

    // What has the focus: a tool bar button by its text, else the named
    // control it belongs to.
    static QString focused()
    {
        QWidget *w = QApplication::focusWidget();
        if (auto *b = qobject_cast<QToolButton *>(w); b && b->defaultAction())
            return b->defaultAction()->text();
        for (; w; w = w->parentWidget())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
                return w->objectName();
        return QString();
    }

    static void showActive(QDialog &dlg)
    {
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }

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
        const QStringList tips = {"Prvá strana (Ctrl+Home)", "Predchádzajúca strana (Page Up)",
                                  "Nasledujúca strana (Page Down)", "Posledná strana (Ctrl+End)",
                                  "Zmenšiť zobrazenie (Ctrl+-)", "Zväčšiť zobrazenie (Ctrl++)",
                                  "Prispôsobiť šírke okna", "Zobraziť celú stranu", "Vytlačí zostavu (Ctrl+P)",
                                  "Uloží zostavu do súboru PDF (Ctrl+S)", "Zavrie ukážku pred tlačou (Esc)"};
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

    // A zoom typed into the zoom box and Enter is taken, with or without
    // "%", within 10 % to 400 %; a text that is no number is refused.
    void typedZoomIsTaken()
    {
        const ReportDocument doc = listOf(10);
        PreviewDialog dlg(doc);
        showActive(dlg);
        QLineEdit *edit = dlg.findChild<QComboBox *>("cboZvacsenie")->lineEdit();
        const auto type = [&](const char *text) {
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        };
        type("250");
        QCOMPARE(dlg.zoom(), 2.5);
        QCOMPARE(edit->text(), QString("250 %"));
        type("60 %");
        QCOMPARE(dlg.zoom(), 0.6);
        type("500");
        QCOMPARE(dlg.zoom(), 4.0);
        QCOMPARE(edit->text(), QString("400 %"));
        type("5%");
        QCOMPARE(dlg.zoom(), 0.1);
        type("moc");
        QCOMPARE(dlg.zoom(), 0.1);
        QCOMPARE(edit->text(), QString("10 %"));
    }

    // Tab goes through every button of the tool bar to the page and round;
    // Enter on "Zavrieť" closes the preview, Ctrl+S asks where to save the
    // PDF under the report's caption.
    void toolBarByKeyboard()
    {
        test::ScriptedPrompter p;
        const ReportDocument doc = listOf(200);
        PreviewDialog dlg(doc);
        dlg.resize(920, 690); // as on a screen of 1024 x 768
        showActive(dlg);
        p.cancelFile();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.prompts[0].kind, test::Prompt::SaveFile);
        QCOMPARE(p.prompts[0].title, QString("Uložiť zostavu ako PDF"));
        QCOMPARE(p.prompts[0].defaultText, QString("Zoznam klientov ULK.pdf"));

        QStringList reached;
        for (int i = 0; i < 13; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << focused();
        }
        QCOMPARE(reached, QStringList({"spnStrana", "Nasledujúca", "Posledná", "Zmenšiť", "cboZvacsenie", "Zväčšiť",
                                       "Na šírku", "Celá strana", "Tlačiť…", "Uložiť ako PDF", "Zavrieť",
                                       "scrStrana", "spnStrana"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), QString("Zavrieť"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QVERIFY(p.unexpected.isEmpty());
    }

    // "Zrušiť" in the progress of a long save stops it at the next page: the
    // file chosen keeps what it held, no part of the PDF is left beside it,
    // and the user is told that nothing was saved.
    void cancelledSaveLeavesNothing()
    {
        test::ScriptedPrompter p;
        QTemporaryDir dir;
        const QString pdf = dir.filePath("zoznam.pdf");
        {
            QFile old(pdf);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("pôvodný obsah");
        }
        const ReportDocument doc = listOf(57 * 40);
        QCOMPARE(doc.pageCount(), 40);
        PreviewDialog dlg(doc);
        showActive(dlg);
        dlg.setProgressDelay(0);
        int last = 0;
        connect(&dlg, &PreviewDialog::pageWritten, &dlg, [&](int done, int total) {
            last = done;
            QCOMPARE(total, 40);
            auto *progress = dlg.findChild<QProgressDialog *>("prgStrany");
            QVERIFY(progress && progress->isVisible());
            QCOMPARE(progress->labelText(), QStringLiteral("Ukladá sa: strana %1 z 40").arg(done));
            if (done == 3) {
                QPushButton *cancel = progress->findChild<QPushButton *>();
                QCOMPARE(cancel->text(), QString("Zrušiť"));
                QTest::mouseClick(cancel, Qt::LeftButton);
            }
        });
        p.chooseFile(pdf);
        p.answer(PromptAnswer::Ok);
        dlg.findChild<QAction *>("actUlozitPdf")->trigger();
        QCOMPARE(last, 3);
        QCOMPARE(p.texts(), QStringList({"Uložiť zostavu ako PDF", "Ukladanie bolo zrušené, zostava sa neuložila."}));
        QCOMPARE(p.prompts[1].title, QString("Informácia"));
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"zoznam.pdf"}));
        QFile kept(pdf);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(kept.readAll()), QString("pôvodný obsah"));
    }

    // "Zrušiť" while printing into a file stops at the next page, leaves no
    // file and says so.
    void cancelledPrintIntoFileLeavesNothing()
    {
        test::ScriptedPrompter p;
        QTemporaryDir dir;
        const ReportDocument doc = listOf(57 * 40);
        PreviewDialog dlg(doc);
        showActive(dlg);
        PageWriter writer(doc, &dlg);
        writer.setProgressDelay(0);
        int last = 0;
        connect(&writer, &PageWriter::pageWritten, &dlg, [&](int done, int) {
            last = done;
            auto *progress = dlg.findChild<QProgressDialog *>("prgStrany");
            QVERIFY(progress && progress->isVisible());
            QCOMPARE(progress->labelText(), QStringLiteral("Tlačí sa: strana %1 z 40").arg(done));
            if (done == 3)
                QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
        });
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath("zoznam.pdf"));
        p.answer(PromptAnswer::Ok);
        QVERIFY(!writer.print(printer, 0, -1));
        QCOMPARE(last, 3);
        QCOMPARE(p.texts(), QStringList({"Tlač do súboru bola zrušená, súbor sa nevytvoril."}));
        QCOMPARE(p.prompts[0].title, QString("Informácia"));
        QVERIFY(p.unexpected.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // A PDF that cannot be written is told with its cause in Slovak.
    void failedSaveIsTold()
    {
        test::ScriptedPrompter p;
        QTemporaryDir dir;
        const ReportDocument doc = listOf(10);
        PreviewDialog dlg(doc);
        showActive(dlg);
        p.chooseFile(dir.filePath("nie/je/tu.pdf"));
        p.answer(PromptAnswer::Ok);
        dlg.saveAsPdf();
        QCOMPARE(p.prompts.size(), 2);
        QCOMPARE(p.prompts[1].text, QString("Zostavu sa nepodarilo uložiť.\nsúbor alebo adresár neexistuje"));
        QCOMPARE(p.prompts[1].title, QString("Chybová správa"));
        QVERIFY(p.unexpected.isEmpty());
    }

    // Paging through a long list keeps only a few pages laid out.
    void fewPagesKept()
    {
        const ReportDocument doc = listOf(57 * 30);
        PreviewDialog dlg(doc);
        showActive(dlg);
        for (int i = 0; i < 29; ++i) {
            QTest::keyClick(&dlg, Qt::Key_PageDown);
            QCOMPARE(dlg.pageView()->page().textsOf("Section1").first().text, QStringLiteral("Klient %1").arg(57 * (i + 1)));
            QVERIFY(dlg.pageView()->pagesHeld() <= 3);
        }
        QCOMPARE(dlg.pageView()->pagesHeld(), 3);
    }
};

QTEST_MAIN(PreviewDialogTest)
#include "PreviewDialogTest.moc"
