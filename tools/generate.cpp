#include "RegisterGenerator.h"

#include <QCoreApplication>
#include <cstdio>

// ulk-generate DIRECTORY [CLIENTS [SEED]]: writes a generated register into a
// new DIRECTORY/ulk.mdb (default 20000 clients, 60 employees, seed 1).
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 2 || a.size() > 4) {
        std::fprintf(stderr, "usage: ulk-generate DIRECTORY [CLIENTS [SEED]]\n");
        return 2;
    }
    ulk::GeneratorOptions o;
    if (a.size() > 2)
        o.clients = a.at(2).toInt();
    if (a.size() > 3)
        o.seed = a.at(3).toUInt();
    QString error;
    if (!ulk::generateRegister(a.at(1), o, &error)) {
        std::fprintf(stderr, "ulk-generate: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
