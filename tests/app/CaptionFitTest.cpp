// Every window shows each of its captions whole in the program's font.
#include "../client/ClientWindowDriver.h"
#include "../statement/StatementDriver.h"
#include "client/ui/TabRows.h"
#include "data/Database.h"
#include "support/ui/CaptionFit.h"

#include <QAccessible>

using namespace ulk;

class CaptionFitTest : public QObject {
    Q_OBJECT
private slots:
    void init() { shared() = SharedState(); }
    void cleanup() { Database::close(); }

    void mainEmployeeAndStatementWindows()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(program.start());
        QVERIFY(test::chooseClients(w));
        QCOMPARE(test::clippedCaptions(&w), QStringList());
        test::clickTile(w, "Label2");
        QCOMPARE(test::clippedCaptions(&w), QStringList());
        QStringList employee{"not shown"};
        test::whenModal("ulk::EmployeeWindow", [&](QWidget *e) {
            employee = test::clippedCaptions(e);
            static_cast<QDialog *>(e)->done(QDialog::Rejected);
        });
        QTest::mouseClick(test::mainButton(w, "CmdNovy"), Qt::LeftButton);
        QCOMPARE(employee, QStringList());
        for (const auto &[type, tile] : {std::pair{"ulk::DoUkazWindow", "Label3"}, {"ulk::OdbStarWindow", "Label6"}})
            QVERIFY(test::openFromTile(w, type, tile, [](QDialog *d) {
                QCOMPARE(test::clippedCaptions(d), QStringList());
            }));
        QVERIFY(p.unexpected.isEmpty());
    }

    // Every tab of a stored client; the representative's name shows whole.
    void clientRecordEveryTab()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        dir.openRegister();
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1", "2015-03-04");
        QVERIFY(test::openClient(w, "KOVÁČOMÁ00", [&](ClientWindow *window) {
            for (int t = 0; t < ClientWindow::tabCount; ++t) {
                test::clickTab(window, t);
                QCOMPARE(window->tabs()->currentIndex(), t);
                QCOMPARE(test::clippedCaptions(window), QStringList());
            }
            // Ctrl+Tab still goes through the pages, also from a caption.
            QAbstractButton *last = window->findChild<TabRows *>()->tab(ClientWindow::tabCount - 1);
            last->setFocus();
            QTest::keyClick(last, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(window->tabs()->currentIndex(), 0);
            FieldEdit *name = window->field(50);
            name->setText(QStringLiteral("Zuzana Blahová"));
            QVERIFY(name->fontMetrics().horizontalAdvance(name->text()) < name->width() - 8);
        }));
    }

    // A new client's tabs other than the first cannot be opened, and say so
    // to assistive tools, until the basic data are saved.
    void newClientTabsLockedForAssistiveTools()
    {
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        QVERIFY(test::openClient(w, QString(), [&](ClientWindow *window) {
            QCOMPARE(test::clippedCaptions(window), QStringList());
            auto *rows = window->findChild<TabRows *>();
            const auto lockedTabs = [rows] {
                QList<int> locked;
                for (int t = 0; t < ClientWindow::tabCount; ++t)
                    if (QAccessible::queryAccessibleInterface(rows->tab(t))->state().disabled)
                        locked << t;
                return locked;
            };
            QCOMPARE(lockedTabs(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
            test::clickTab(window, 1);
            QCOMPARE(window->tabs()->currentIndex(), 0);
            test::typeAndPress("Mária");
            test::typeAndPress("Kováčová");
            test::retype(window->field(6), "3");
            test::clickButton(window, "cmdZaklUd");
            QCOMPARE(lockedTabs(), QList<int>());
        }));
        QVERIFY(p.unexpected.isEmpty());
    }
};

QTEST_MAIN(CaptionFitTest)
#include "CaptionFitTest.moc"
