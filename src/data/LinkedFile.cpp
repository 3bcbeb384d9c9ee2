#include "data/LinkedFile.h"

#include "common/FailureText.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace ulk {

bool LinkedFile::isLink(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

QString LinkedFile::resolve(const QString &path, QString *why)
{
    if (!isLink(path))
        return path;
    const QString name = QFileInfo(path).fileName();
    const auto fail = [&](const QString &cause) {
        if (why)
            *why = cause + QStringLiteral("; odkaz ani súbor sa nezmenili");
        return QString();
    };
    char real[PATH_MAX];
    if (!::realpath(QFile::encodeName(path).constData(), real)) {
        const int cause = errno;
        if (cause == ENOENT)
            return fail(QStringLiteral("%1 je symbolický odkaz na súbor, ktorý neexistuje (%2)")
                            .arg(name, QFileInfo(path).symLinkTarget()));
        if (cause == ELOOP)
            return fail(QStringLiteral("%1 je symbolický odkaz na %2, odkazy sa však zacyklili")
                            .arg(name, QFileInfo(path).symLinkTarget()));
        return fail(QStringLiteral("%1 je symbolický odkaz, ktorý nie je možné sledovať: ").arg(name)
                    + systemCause(cause));
    }
    const QString target = QFile::decodeName(real);
    if (!QFileInfo(target).isFile())
        return fail(QStringLiteral("%1 je symbolický odkaz na %2, ktorý nie je súbor").arg(name, target));
    return target;
}

} // namespace ulk
