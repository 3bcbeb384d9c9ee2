#pragma once
// Drives the client record window through the main window, as a user does.
#include "app/ui/MainWindow.h"
#include "client/ui/BasicDataPages.h"
#include "client/ui/ClientWindow.h"
#include "common/SharedState.h"
#include "common/ui/FieldEdit.h"
#include "data/PersonListModel.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/ProgramWindow.h"
#include "support/ui/WhenModal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>

namespace ulk::test {

inline QPushButton *mainButton(MainWindow &w, const char *name) { return w.findChild<QPushButton *>(name); }

// The main window in client mode.
inline bool chooseClients(MainWindow &w)
{
    auto *label = w.findChild<QLabel *>(QStringLiteral("Label1"));
    if (!label)
        return false;
    QTest::mouseClick(label, Qt::LeftButton);
    return w.listMode() == 1;
}

// Runs fn in the client window opened by a click on opener; a window that fn
// leaves open is cancelled. Returns whether the window was shown.
inline bool inClientWindow(QWidget *opener, const std::function<void(ClientWindow *)> &fn, int timeoutMs = 10000)
{
    auto shown = std::make_shared<bool>(false);
    whenModal("ulk::ClientWindow", [shown, fn](QWidget *w) {
        *shown = true;
        auto *window = static_cast<ClientWindow *>(w);
        window->activateWindow();
        if (QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
            fn(window);
        else
            qWarning("the client window did not become active");
        if (window->isVisible())
            window->done(QDialog::Rejected);
    }, timeoutMs);
    QTest::mouseClick(opener, Qt::LeftButton);
    return *shown;
}

// Selects the client with this key in the main window's list.
inline bool selectClient(MainWindow &w, const QString &key)
{
    auto *grid = w.findChild<QTableView *>(QStringLiteral("dbgKlient"));
    const int row = w.clientList()->rowOfKey(key);
    if (!grid || row < 0)
        return false;
    grid->setCurrentIndex(w.clientList()->index(row, 0));
    return true;
}

inline int focusedField(ClientWindow *window)
{
    auto *f = qobject_cast<FieldEdit *>(QApplication::focusWidget());
    return f && window->isAncestorOf(f) ? f->index() : -1;
}

// Types text character by character (Slovak letters included).
inline void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        const int key = c.isLetter() ? c.toUpper().unicode() : (c == QLatin1Char(' ') ? int(Qt::Key_Space) : c.unicode());
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(key), QString(c), Qt::NoModifier);
    }
}

// Types text into the field that has the focus, then presses key.
inline void typeAndPress(const QString &text, Qt::Key key = Qt::Key_Return)
{
    QWidget *w = QApplication::focusWidget();
    if (!text.isEmpty())
        typeText(w, text);
    QTest::keyClick(w, key);
}

// Clicks into a field and replaces its text as the user would.
inline void retype(QWidget *field, const QString &text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    if (!text.isEmpty())
        typeText(field, text);
}

inline void clickTab(ClientWindow *window, int tab)
{
    QTest::mouseClick(window->findChild<QAbstractButton *>(QStringLiteral("tabCaption%1").arg(tab)), Qt::LeftButton);
}

inline void clickButton(ClientWindow *window, const char *name)
{
    QTest::mouseClick(window->button(QString::fromLatin1(name)), Qt::LeftButton);
}

// Turns the main window, loaded and shown, to client mode and runs fn in the
// window of the stored client key (Edit) or, with an empty key, of a new client.
inline bool inClientWindowOf(MainWindow &w, const QString &key, const std::function<void(ClientWindow *)> &fn)
{
    if (!chooseClients(w))
        return false;
    if (key.isEmpty())
        return inClientWindow(mainButton(w, "CmdNovy"), fn);
    if (!selectClient(w, key))
        return false;
    return inClientWindow(mainButton(w, "cmdOprava"), fn);
}

// Opens the main window in client mode and runs fn in the window of the
// stored client key (Edit) or, with an empty key, of a new client.
inline bool openClient(MainWindow &w, const QString &key, const std::function<void(ClientWindow *)> &fn)
{
    return start(w) && inClientWindowOf(w, key, fn);
}

// Clicks a combo box where its drop-down button is.
inline void clickDropDown(QComboBox *combo)
{
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.frame = true;
    opt.subControls = QStyle::SC_All;
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
}

// Opens a combo box's list with a click on its drop-down button and clicks
// the item, as the user chooses a row.
inline bool clickItem(QComboBox *combo, int index)
{
    clickDropDown(combo);
    QAbstractItemView *view = combo->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }))
        return false;
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item, QAbstractItemView::PositionAtCenter);
    // Rows may be wider than a narrow list shows.
    const QRect row = view->visualRect(item);
    const QPoint at(qMin(row.center().x(), view->viewport()->width() / 2), row.center().y());
    // A move away from where the list was opened, or the list takes the
    // release for the end of the opening click.
    // Along the row, so that no other row is hovered.
    QTest::mouseMove(view->viewport(), at - QPoint(12, 0));
    QTest::mouseMove(view->viewport(), at + QPoint(12, 0));
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    return QTest::qWaitFor([view] { return !view->isVisible(); });
}

// Gives a combo box the focus as a click on it does, without its list open.
inline void focusCombo(QComboBox *combo)
{
    QTest::mouseClick(combo, Qt::LeftButton);
    // The list is closed once it has come up (and taken the activation that
    // its showing asks for, which would otherwise arrive after it is gone).
    QAbstractItemView *view = combo->view();
    (void)QTest::qWaitFor([view] { return view->isVisible() && QApplication::activePopupWidget(); });
    (void)QTest::qWaitFor([view] { return QApplication::activeWindow() == view->window(); }, 200);
    combo->hidePopup();
    QWidget *window = combo->window();
    (void)QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

} // namespace ulk::test
