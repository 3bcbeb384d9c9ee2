#include "support/GeneratedRegister.h"

#include "RegisterGenerator.h"

#include <QDir>
#include <QFile>

namespace ulk::test {

bool putGeneratedRegister(const QString &programDirectory, int clients)
{
    QFile::remove(QDir(programDirectory).filePath(QStringLiteral("ulk.mdb")));
    GeneratorOptions options;
    options.clients = clients;
    QString error;
    if (generateRegister(programDirectory, options, &error))
        return true;
    qWarning("%s", qPrintable(error));
    return false;
}

} // namespace ulk::test
