// Assistive tools can tell every control apart; the keyboard roads of the
// disability code boxes are whole; a window larger than the screen scrolls.
#include "../client/ClientWindowDriver.h"
#include "../statement/StatementDriver.h"
#include "app/ui/Tile.h"
#include "client/ui/SubRecordTab.h"
#include "client/ui/SubRecordTabs.h"
#include "reports/ReportLayout.h"
#include "reports/ui/PreviewDialog.h"
#include "common/ui/ScreenFit.h"
#include "support/ui/AccessibleNames.h"

#include <QAccessible>
#include <QScrollArea>

using namespace ulk;

namespace {
const QString kClient = QStringLiteral("O'NEILMA00");
// 1366×768 scaled by 1.25, less a window's frame and title bar.
const QSize kRoom(1085, 582);

void named(QWidget *window)
{
    const QStringList unnamed = test::unnamedControls(window);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
}

// The control, brought into view by the window's scroll area, lies wholly
// inside the area's viewport, where the mouse reaches it.
void reachable(QWidget *window, const char *control)
{
    auto *area = window->findChild<QScrollArea *>(QStringLiteral("screenFit"));
    auto *w = window->findChild<QWidget *>(QString::fromLatin1(control));
    QVERIFY2(area && w, control);
    QVERIFY(window->width() <= kRoom.width() && window->height() <= kRoom.height());
    area->ensureWidgetVisible(w, 0, 0);
    const QRect place(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
    QVERIFY2(area->viewport()->rect().contains(place), control);
    QCOMPARE(area->viewport()->childAt(place.center()), w);
}
} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void init() { shared() = SharedState(); }
    void cleanup()
    {
        ScreenFit::setRoom(QSize());
        test::closeProgram();
    }

    // The main window in both lists, its tiles as buttons, the employee
    // window, sections IV and V, and the preview.
    void everyControlNamed()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(program.start());
        // On a screen of 1024×768 nothing scrolls.
        QVERIFY(!w.findChild<QScrollArea *>(QStringLiteral("screenFit")));
        const QList<Tile *> tiles = w.findChildren<Tile *>();
        QCOMPARE(tiles.size(), 6);
        for (Tile *t : tiles)
            QCOMPARE(QAccessible::queryAccessibleInterface(t)->role(), QAccessible::Button);
        QVERIFY(test::chooseClients(w));
        named(&w);
        test::clickTile(w, "Label2");
        named(&w);
        QStringList employee{"not shown"};
        test::whenModal("ulk::EmployeeWindow", [&](QWidget *e) {
            employee = test::unnamedControls(e);
            static_cast<QDialog *>(e)->done(QDialog::Rejected);
        });
        QTest::mouseClick(test::mainButton(w, "CmdNovy"), Qt::LeftButton);
        QVERIFY2(employee.isEmpty(), qPrintable(employee.join(QLatin1Char('\n'))));
        for (const auto &[type, tile] : {std::pair{"ulk::DoUkazWindow", "Label3"}, {"ulk::OdbStarWindow", "Label6"}})
            QVERIFY(test::openFromTile(w, type, tile, [](QDialog *d) {
                named(d);
            }));
        report::ReportDefinition r("rptZozKlient");
        report::PreviewDialog preview(*report::ReportLayout::layOut(r, RowSet({"meno"}), QDate(2026, 12, 29)));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        named(&preview);
        QVERIFY(p.unexpected.isEmpty());
    }

    // Every tab of a stored client, and the siblings' boxes in edit mode.
    void clientRecordNamed()
    {
        test::ProgramWindow program;
        QVERIFY(program.window.load());
        test::addClient(kClient, "Mary", "O'Neil", "7");
        QVERIFY(test::openClient(program.window, kClient, [&](ClientWindow *window) {
            for (int t = 0; t < ClientWindow::tabCount; ++t) {
                test::clickTab(window, t);
                named(window);
            }
            test::clickTab(window, SubRecordFamilies::of(SubRecordKind::Siblings).tab);
            QTest::mouseClick(window->subRecords().tab(SubRecordKind::Siblings)->button(SubRecordButton::New), Qt::LeftButton);
            QStringList road; // Tab from the first box on, before the buttons
            for (QWidget *x = window->findChild<QWidget *>("textSur0"); road.size() < 8; x = x->nextInFocusChain())
                if (x->isVisible() && x->isEnabled() && (x->focusPolicy() & Qt::TabFocus))
                    road << x->objectName();
            QCOMPARE(road, QStringList({"textSur0", "textSur1", "textSur2", "cmbSur0", "textSur3", "textSur4", "cmbSur1", "cmdSurZap"}));
            named(window);
        }));
    }

    // In the disability code boxes, Ctrl+Tab brings the next page to the
    // front and Esc presses "Storno", as in every other field.
    void codeBoxKeys_data()
    {
        QTest::addColumn<int>("field");
        for (int field : {18, 19, 33})
            QTest::addRow("field %d", field) << field;
    }
    void codeBoxKeys()
    {
        QFETCH(int, field);
        test::ProgramWindow program;
        QVERIFY(program.window.load());
        test::addClient(kClient, "Mary", "O'Neil", "7");
        test::sql("UPDATE k_zaklad SET postih = '3'");
        QVERIFY(test::openClient(program.window, kClient, [&](ClientWindow *window) {
            const int tab = field == 33 ? 1 : 0;
            FieldEdit *box = window->field(field);
            const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
                test::clickTab(window, tab);
                QTest::mouseClick(box, Qt::LeftButton);
                QTRY_COMPARE(QApplication::focusWidget(), box);
                QTest::keyClick(box, key, modifiers);
            };
            press(Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(window->tabs()->currentIndex(), tab + 1);
            press(Qt::Key_Escape, Qt::NoModifier);
            QVERIFY(!window->isVisible());
        }));
        QCOMPARE(shared().recordMode, quint8(0));
        QVERIFY(program.prompter.unexpected.isEmpty());
    }

    // On a small screen the main window, the client record and section V
    // scroll, so that the mouse reaches their bottom buttons.
    void smallScreenScrolls()
    {
        ScreenFit::setRoom(kRoom);
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(w.load());
        test::addClient(kClient, "Mary", "O'Neil", "7");
        QVERIFY(test::openClient(w, kClient, [&](ClientWindow *window) { reachable(window, "cmdTlac"); }));
        reachable(&w, "CmdSort");
        QVERIFY(test::openFromTile(w, "ulk::OdbStarWindow", "Label6", [](QDialog *d) { reachable(d, "cmdZrusit"); }));
        QVERIFY(p.unexpected.isEmpty());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
