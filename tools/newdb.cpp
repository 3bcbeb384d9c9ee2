#include "NewDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

// ulk-newdb DIRECTORY: creates a new, empty ulk.mdb in DIRECTORY.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: ulk-newdb DIRECTORY\n");
        return 2;
    }
    QString error;
    if (!ulk::createNewDatabase(args.at(1), &error)) {
        std::fprintf(stderr, "ulk-newdb: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("created %s\n", qPrintable(QDir(args.at(1)).filePath("ulk.mdb")));
    return 0;
}
