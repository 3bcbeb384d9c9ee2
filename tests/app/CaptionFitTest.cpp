// Every window shows each of its captions whole in the program's font.
#include "../client/ClientWindowDriver.h"
#include "../statement/StatementDriver.h"
#include "client/ui/TabRows.h"
#include "common/SharedState.h"
#include "data/Database.h"
#include "support/CaptionFit.h"

#include <QAccessible>

using namespace ulk;

namespace {
void checkWhole(QWidget *window, const QString &where)
{
    const QStringList clipped = test::clippedCaptions(window);
    QVERIFY2(clipped.isEmpty(), qPrintable(where + ": " + clipped.join(QStringLiteral(" | "))));
}
} // namespace

class CaptionFitTest : public QObject {
    Q_OBJECT
private slots:
    void init() { shared() = SharedState(); }
    void cleanup() { Database::close(); }

    void mainWindowAndStatementWindows()
    {
        test::ProgramDir dir;
        test::ScriptedPrompter p;
        MainWindow w(dir.path());
        QVERIFY(w.load());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        checkWhole(&w, "main window");
        QVERIFY(test::chooseClients(w));
        checkWhole(&w, "main window, clients");
        test::clickTile(w, "Label2");
        QCOMPARE(w.listMode(), 2);
        checkWhole(&w, "main window, employees");
        bool shown = false;
        test::whenModal("ulk::EmployeeWindow", [&](QWidget *e) {
            shown = true;
            checkWhole(e, "employee");
            static_cast<QDialog *>(e)->done(QDialog::Rejected);
        });
        QTest::mouseClick(test::mainButton(w, "CmdNovy"), Qt::LeftButton);
        QVERIFY(shown);
        QVERIFY(test::openFromTile(w, "ulk::DoUkazWindow", "Label3", [](QDialog *d) { checkWhole(d, "section IV"); }));
        QVERIFY(test::openFromTile(w, "ulk::OdbStarWindow", "Label6", [](QDialog *d) { checkWhole(d, "section V"); }));
        QVERIFY(p.unexpected.isEmpty());
    }

    // Every tab of a stored client; the representative's name shows whole.
    void clientRecordEveryTab()
    {
        test::ProgramDir dir;
        test::ScriptedPrompter p;
        QCOMPARE(Database::open(dir.path()), Database::OpenResult::Ok);
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1", "2015-03-04");
        MainWindow w(dir.path());
        QVERIFY(test::openClient(w, "KOVÁČOMÁ00", [&](ClientWindow *window) {
            for (int t = 0; t < ClientWindow::tabCount; ++t) {
                test::clickTab(window, t);
                QCOMPARE(window->tabs()->currentIndex(), t);
                checkWhole(window, window->tabs()->tabText(t));
            }
            FieldEdit *representative = window->field(50);
            representative->setText(QStringLiteral("Zuzana Blahová"));
            QVERIFY(representative->fontMetrics().horizontalAdvance(representative->text())
                    < representative->width() - 8);
        }));
        QVERIFY(p.unexpected.isEmpty());
    }

    // A new client's tabs other than the first cannot be opened, and say so
    // to assistive tools, until the basic data are saved.
    void newClientTabsLockedForAssistiveTools()
    {
        test::ProgramDir dir;
        test::ScriptedPrompter p;
        MainWindow w(dir.path());
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            checkWhole(window, "new client");
            auto *rows = window->findChild<TabRows *>();
            const auto disabled = [rows](int t) {
                return QAccessible::queryAccessibleInterface(rows->tab(t))->state().disabled;
            };
            QVERIFY(!disabled(0));
            for (int t = 1; t < ClientWindow::tabCount; ++t)
                QVERIFY2(disabled(t), qPrintable(window->tabs()->tabText(t)));
            test::clickTab(window, 1);
            QCOMPARE(window->tabs()->currentIndex(), 0);
            test::typeAndPress("Mária");
            test::typeAndPress("Kováčová");
            test::retype(window->field(6), "3");
            test::clickButton(window, "cmdZaklUd");
            for (int t = 0; t < ClientWindow::tabCount; ++t)
                QVERIFY2(!disabled(t), qPrintable(window->tabs()->tabText(t)));
        }));
        QVERIFY(p.unexpected.isEmpty());
    }
};

QTEST_MAIN(CaptionFitTest)
#include "CaptionFitTest.moc"
