#include "app/ui/MainWindow.h"
#include "common/ui/ListAccessible.h"
#include "common/ui/QtPrompter.h"
#include "common/ui/SlovakTranslation.h"
#include "common/ui/WaitingWindow.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // No display name: Qt would append it to every window's title, so that a
    // message box would no longer show its own title whole.
    QApplication::setApplicationName(QStringLiteral("ULK"));
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    ulk::installSlovakTranslation(app);
    ulk::installListAccessible();
    ulk::QtPrompter prompter(QStringLiteral("Evidencia klientov ULK"));
    ulk::setPrompter(&prompter);
    // Every long wait without a window of its own shows the waiting window.
    ulk::WaitingWindow waiting;
    ulk::LongWork::setView(&waiting);

    // The program ends when its main window is closed for good, also when it
    // was hidden before (the exit with compaction).
    QApplication::setQuitOnLastWindowClosed(false);
    ulk::MainWindow window(QApplication::applicationDirPath());
    QObject::connect(&window, &ulk::MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!window.load())
        return 0;
    window.show();
    const int rc = app.exec();
    ulk::LongWork::setView(nullptr);
    ulk::setPrompter(nullptr);
    return rc;
}
