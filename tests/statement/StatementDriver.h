#pragma once
#include "app/ui/MainWindow.h"
#include "support/ProgramDir.h"
#include "support/ui/WhenModal.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <functional>

// Driving the statement windows as the user does.
namespace ulk::test {

inline QWidget *focused() { return QApplication::focusWidget(); }

// Waits until the window is active and holds the focus.
inline bool waitForFocus(QWidget *window)
{
    const auto ready = [window] {
        return QApplication::activeWindow() == window && focused() && focused()->window() == window;
    };
    if (!QTest::qWaitFor(ready, 2000)) {
        window->activateWindow();
        (void)QTest::qWaitFor(ready, 2000);
    }
    return ready();
}

// Clicks into a number box; once the click has settled, the box's text is
// selected as its focus rule says, so that typing replaces it.
inline void clickInto(QLineEdit *box)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QTRY_COMPARE(box->selectedText().size(), box->text().trimmed().size());
}

// Clicks a control of a side-bar tile: a picture beside its labels, or a label.
inline void clickTile(MainWindow &w, const char *control)
{
    auto *widget = w.findChild<QWidget *>(QString::fromLatin1(control));
    QVERIFY2(widget, control);
    if (QString::fromLatin1(control).startsWith(QLatin1String("Picture")))
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() - 4));
    else
        QTest::mouseClick(widget, Qt::LeftButton);
}

// Opens a statement window from the tile of the main window and lets drive
// work in it; a window still open afterwards is closed, so that a failed
// check cannot leave the test waiting. True when the window was shown.
inline bool openFromTile(MainWindow &w, const char *className, const char *control,
                         const std::function<void(QDialog *)> &drive)
{
    bool shown = false;
    whenModal(className, [&](QWidget *window) {
        shown = true;
        auto *d = static_cast<QDialog *>(window);
        if (waitForFocus(d))
            drive(d);
        else
            qWarning("%s not active", className);
        if (d->isVisible())
            d->done(QDialog::Rejected);
    });
    clickTile(w, control);
    return shown;
}

} // namespace ulk::test
