#include "app/ui/MainWindow.h"
#include "common/ui/QtPrompter.h"
#include "common/ui/SlovakTranslation.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ULK"));
    QApplication::setApplicationDisplayName(QStringLiteral("Evidencia klientov ULK"));
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    ulk::installSlovakTranslation(app);
    ulk::QtPrompter prompter;
    ulk::setPrompter(&prompter);

    ulk::MainWindow window(QApplication::applicationDirPath());
    if (!window.load())
        return 0;
    window.show();
    const int rc = app.exec();
    ulk::setPrompter(nullptr);
    return rc;
}
