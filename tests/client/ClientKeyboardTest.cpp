// The client record by keyboard and by assistive tools: the captions are one
// tab list whose press brings a page to the front, and Tab follows each page
// from top to bottom, left to right, through the buttons and round again.
#include "ClientWindowDriver.h"
#include "client/ui/TabRows.h"
#include "data/Database.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPlainTextEdit>

using namespace ulk;

namespace {

// The controls Tab goes through from the focus, until the focus comes back.
QStringList tabRound(ClientWindow *window)
{
    QStringList names;
    QWidget *start = QApplication::focusWidget();
    for (int i = 0; i < 100; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (!now || !window->isAncestorOf(now))
            return names << QStringLiteral("out of the window");
        names << now->objectName();
        if (now == start)
            break;
    }
    return names;
}

QStringList fields(int from, int to)
{
    QStringList names;
    for (int i = from; i <= to; ++i)
        names << QStringLiteral("textKrz%1").arg(i);
    return names;
}

const QStringList kButtons = {"cmdzapNew", "cmdZap", "cmdStorno", "cmdTlac"};

// Runs fn in the record window of a stored client opened from the list.
void inStoredClient(const std::function<void(ClientWindow *)> &fn)
{
    test::ProgramWindow program;
    auto &[dir, p, w] = program;
    dir.openRegister();
    test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1", "2015-03-04");
    QVERIFY(test::openClient(w, "KOVÁČOMÁ00", fn));
    QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
}

} // namespace

class ClientKeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void init() { shared() = SharedState(); }
    void cleanup() { Database::close(); }

    // Both pages of basic data: each field followed by the picker beside it,
    // the option buttons at the top of their frames, the disabilities under
    // the fields (the associated codes wait for a dominant one), then the
    // buttons, and from "Tlač záložku" back to the first field of the page;
    // the same round on a page of a long text.
    void tabFollowsThePageAndComesRound()
    {
        inStoredClient([&](ClientWindow *window) {
            QCOMPARE(QApplication::focusWidget(), window->field(0));
            const QStringList clientPage =
                QStringList{"textKrz1",  "textKrz2",  "dbcvolby0", "textKrz3",  "textKrz4",  "textKrz5",
                            "cmbPos3",   "textKrz6",  "textKrz7",  "dbcvolby8", "textKrz8",  "dbcvolby1",
                            "textKrz9",  "dbcvolby2", "textKrz10", "dbcvolby3", "textKrz11", "dbcvolby9",
                            "textKrz12", "textKrz13", "dbcvolby4"}
                + fields(14, 18) + QStringList{"cmbPos2"} + kButtons + QStringList{"textKrz0"};
            QCOMPARE(tabRound(window), clientPage);

            test::clickTab(window, 1);
            QCOMPARE(QApplication::focusWidget(), window->field(20));
            const QStringList parentsPage = fields(21, 25) + QStringList{"dbcvolby5"} + fields(26, 33)
                + QStringList{"cmbPos1", "optKrz2"} + fields(35, 40) + QStringList{"dbcvolby6"} + fields(41, 48)
                + QStringList{"cmbPos0", "optKrz4"} + fields(50, 52) + QStringList{"dbcvolby7"} + fields(53, 56)
                + kButtons + QStringList{"optKrz0", "textKrz20"};
            QCOMPARE(tabRound(window), parentsPage);

            // A long text is left by Tab as every other field.
            test::clickTab(window, 3);
            QCOMPARE(QApplication::focusWidget(), window->memoField(3));
            QCOMPARE(tabRound(window), kButtons + QStringList{"rtbDUK3"});
        });
    }

    // The captions are page tabs of one tab list; an assistive tool's press
    // brings the page to the front as a click does.
    void captionsArePageTabsPressedByAssistiveTools()
    {
        inStoredClient([&](ClientWindow *window) {
            auto *rows = window->findChild<TabRows *>();
            QAccessibleInterface *list = QAccessible::queryAccessibleInterface(rows);
            QCOMPARE(list->role(), QAccessible::PageTabList);
            QAccessibleInterface *parents = QAccessible::queryAccessibleInterface(rows->tab(1));
            QCOMPARE(parents->role(), QAccessible::PageTab);
            QCOMPARE(parents->parent()->role(), QAccessible::PageTabList);
            QCOMPARE(parents->text(QAccessible::Name), QString("Rodičia"));
            QCOMPARE(parents->text(QAccessible::Description), QString("záložka 2 zo 14"));
            QCOMPARE(QAccessible::queryAccessibleInterface(rows->tab(13))->text(QAccessible::Description),
                     QString("záložka 14 zo 14"));
            QVERIFY(!parents->state().selected);
            QVERIFY(QAccessible::queryAccessibleInterface(rows->tab(0))->state().selected);

            for (int t : {1, 9, 13}) {
                QAccessibleInterface *caption = QAccessible::queryAccessibleInterface(rows->tab(t));
                caption->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                QCOMPARE(window->tabs()->currentIndex(), t);
                QVERIFY(caption->state().selected);
            }
            QVERIFY(!QAccessible::queryAccessibleInterface(rows->tab(0))->state().selected);
        });
    }
};

QTEST_MAIN(ClientKeyboardTest)
#include "ClientKeyboardTest.moc"
