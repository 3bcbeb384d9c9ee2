// A day's work in the main window with the keyboard only: the side bar's
// tiles by Tab, Shift+Tab and the arrow keys, acting on Enter and Space; the
// list left by Tab; Enter on a row and on a focused button.
#include "../client/ClientWindowDriver.h"
#include "common/Clock.h"
#include "data/Database.h"

#include <QAction>

using namespace ulk;

namespace {

QString focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Presses key while the client window it opens is run by fn; true when it
// was shown and the main window is active again.
bool pressIntoClientWindow(MainWindow &main, Qt::Key key, const std::function<void(ClientWindow *)> &fn)
{
    bool shown = false;
    test::whenModal("ulk::ClientWindow", [&](QWidget *w) {
        shown = true;
        fn(static_cast<ClientWindow *>(w));
        static_cast<QDialog *>(w)->done(QDialog::Rejected);
    });
    press(key);
    main.activateWindow();
    return shown && QTest::qWaitForWindowActive(&main);
}

} // namespace

class MainKeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        Database::close();
        Clock::setToday({});
    }

    void aDayByKeyboard()
    {
        Clock::setToday(QDate(2024, 11, 5));
        test::ProgramWindow program;
        auto &[dir, p, w] = program;
        dir.openRegister();
        test::addClient("KOVÁČOMÁ00", "Mária", "Kováčová", "1", "2015-03-04");
        test::addClient("NOVÁKJÁ00", "Ján", "Novák", "2", "2016-05-06");
        QVERIFY(program.start());

        // The keyboard starts at the first tile and goes down the bar and round.
        QCOMPARE(focused(), QString("Picture1"));
        QStringList tiles;
        for (int i = 0; i < 6; ++i) {
            press(Qt::Key_Tab);
            tiles << focused();
        }
        QCOMPARE(tiles, QStringList({"Picture2", "Picture3", "Picture5", "Picture6", "Picture4", "Picture1"}));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), QString("Picture4"));
        press(Qt::Key_Down);
        QCOMPARE(focused(), QString("Picture1"));
        press(Qt::Key_Down);
        press(Qt::Key_Right);
        QCOMPARE(focused(), QString("Picture3"));
        press(Qt::Key_Up);
        press(Qt::Key_Left);
        QCOMPARE(focused(), QString("Picture1"));

        // Space on "ŠKOLSKÝ ROK" asks for the year as a click does.
        press(Qt::Key_Up);
        press(Qt::Key_Up);
        QCOMPARE(focused(), QString("Picture6"));
        p.cancelInput();
        press(Qt::Key_Space);
        QCOMPARE(p.texts(), QStringList{"Aktuálny školský rok je: '2024/2025' zadaj iný,ak nevyhovuje "});

        // Enter on "KLIENTI" shows the list; Tab leaves it for its buttons.
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(focused(), QString("Picture1"));
        press(Qt::Key_Return);
        QCOMPARE(w.listMode(), 1);
        QCOMPARE(focused(), QString("dbgKlient"));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QString("CmdNovy"));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), QString("dbgKlient"));

        // Enter on a row opens its record.
        press(Qt::Key_Down);
        QString title;
        QVERIFY(pressIntoClientWindow(w, Qt::Key_Return, [&](ClientWindow *c) { title = c->windowTitle(); }));
        QCOMPARE(title, QString("Údaje klientaNOVÁKJÁ00 : Ján  Novák"));
        QCOMPARE(focused(), QString("dbgKlient"));

        // Enter on a focused button presses it.
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QString("cmdOprava"));
        QVERIFY(pressIntoClientWindow(w, Qt::Key_Enter, [&](ClientWindow *c) { title = c->windowTitle(); }));
        QCOMPARE(title, QString("Údaje klientaNOVÁKJÁ00 : Ján  Novák"));
        QCOMPARE(focused(), QString("dbgKlient"));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QString("CmdNovy"));
        QVERIFY(pressIntoClientWindow(w, Qt::Key_Return, [&](ClientWindow *c) { title = c->windowTitle(); }));
        QCOMPARE(title, QString("Údaje klienta"));

        // After an archive the keyboard starts at the first tile again.
        p.cancelFile().answer(PromptAnswer::Ok);
        w.findChild<QAction *>("mniArchiv")->trigger();
        QVERIFY(w.isVisible());
        QCOMPARE(w.listMode(), 0);
        QCOMPARE(w.focusWidget()->objectName(), QString("Picture1"));
        QVERIFY(p.pending() == 0);
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join('\n')));
    }
};

QTEST_MAIN(MainKeyboardTest)
#include "MainKeyboardTest.moc"
