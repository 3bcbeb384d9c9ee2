#pragma once
#include "app/ui/MainWindow.h"
#include "common/Prompter.h"
#include "data/PersonListModel.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <functional>
#include <memory>

// The program as the measuring process drives it: its main window over the
// register measured, a prompter that answers as a user would, and the ways a
// figure is timed until its result is on screen.
namespace bench {

class StallMeter;

// Answers every question Yes, the search's input box with `typed`, the save
// dialog with `saveAs` and the open dialog with `openAs`; keeps the text of
// the last message.
class BenchPrompter : public ulk::Prompter {
public:
    ulk::PromptAnswer message(const ulk::MessageRequest &request) override
    {
        lastMessage = request.text;
        return ulk::PromptAnswer::Yes;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return typed; }
    std::optional<QString> saveFile(const ulk::FileRequest &) override { return saveAs; }
    std::optional<QString> openFile(const ulk::FileRequest &) override { return openAs; }

    std::optional<QString> typed;
    std::optional<QString> saveAs;
    std::optional<QString> openAs;
    QString lastMessage;
};

struct Session {
    BenchPrompter *prompter = nullptr;
    QString dir, db;
    std::unique_ptr<ulk::MainWindow> window;
    QLabel *clientsTile = nullptr;
    QTableView *grid = nullptr;

    ulk::PersonListModel *list() const { return window->clientList(); }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QString::fromLatin1(name)); }
    QPushButton *button(const char *name) const
    {
        return window->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    // The client list shown by its tile, until painted.
    double showClients(double *stall = nullptr);
    // The main window loaded, shown and exposed again after Koniec.
    void startAgain();
};

double since(const QElapsedTimer &t);

// The window's frame handed to the window system and, on an X server, taken
// in by it.
void paintedOnScreen(QWidget *window);

// Times a user's action until its result is on screen: the action, then a
// synchronous repaint of the window that shows the result. *stall: the
// longest stall of the window thread meanwhile.
double untilPainted(QWidget *window, const std::function<void()> &action, double *stall = nullptr);

// Times an action that opens a modal window (and returns once it is closed)
// until that window has been shown (mapped and exposed, on an X server) and
// painted; then `after` runs on it (it may take further times) and the
// window is closed. *closeWait: from the close until the action returned;
// *stall: the longest stall of the window thread until the window was shown
// and from its closing until the action returned.
double untilModalPainted(const std::function<void()> &action, const std::function<void(QWidget *)> &after = {},
                         double *closeWait = nullptr, double *stall = nullptr);

// Times a menu action of the main window that hides it for its work
// (archive, restore, Koniec) until the user has the program back: the
// action returned and no other window of the program is shown, and the main
// window shown and painted again, or, when it ends the program (`ends`),
// closed. *stall: the longest stall of the window thread meanwhile.
double untilSettled(Session &s, const char *action, bool ends, double *stall);

} // namespace bench
