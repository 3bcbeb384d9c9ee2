#pragma once
#include "app/ui/MainWindow.h"
#include "support/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/ui/WhenModal.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QObject>
#include <functional>
#include <memory>

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

// The base of a statement window's test: each case has a fresh register,
// open, the prompter that answers the window's boxes and, once opened, the
// window. The test's init and cleanup slots call startCase and endCase.
template <class Window>
class WindowCaseTest : public QObject {
protected:
    std::unique_ptr<OpenRegister> m_dir;
    std::unique_ptr<ScriptedPrompter> m_p;
    std::unique_ptr<Window> m_w;

    void startCase()
    {
        m_dir = std::make_unique<OpenRegister>();
        m_p = std::make_unique<ScriptedPrompter>();
    }
    // Fails the case on a box that had no answer; the window goes first.
    void endCase()
    {
        if (m_p)
            QVERIFY2(m_p->unexpected.isEmpty(), qPrintable(m_p->unexpected.join(" | ")));
        m_w.reset();
        m_p.reset();
        m_dir.reset();
    }
    // The window on the register, shown and holding the focus.
    bool openWindow()
    {
        m_w = std::make_unique<Window>(m_dir->path());
        m_w->show();
        return waitForFocus(m_w.get());
    }
};

} // namespace ulk::test
