#include "archive/ZipArchive.h"


#include <QFile>
#include <zip.h>

namespace ulk {

namespace {
QString describe(int code)
{
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&e));
    zip_error_fini(&e);
    return text;
}

QString describe(zip_t *archive) { return QString::fromUtf8(zip_strerror(archive)); }

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}
} // namespace

bool ZipArchive::writeSingleEntry(const QString &zipPath, const QString &entryName,
                                  const QString &sourcePath, QString *error)
{
    int code = 0;
    // ZIP_TRUNCATE: an archive already there is not read, only replaced.
    zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        setError(error, QStringLiteral("archív %1 nie je možné vytvoriť: %2").arg(zipPath, describe(code)));
        return false;
    }
    zip_source_t *source = zip_source_file(archive, QFile::encodeName(sourcePath).constData(), 0, -1);
    if (!source) {
        setError(error, QStringLiteral("súbor %1 nie je možné čítať: %2").arg(sourcePath, describe(archive)));
        zip_discard(archive);
        return false;
    }
    const zip_int64_t index = zip_file_add(archive, entryName.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        setError(error, QStringLiteral("súbor nie je možné pridať do archívu: %1").arg(describe(archive)));
        zip_source_free(source);
        zip_discard(archive);
        return false;
    }
    // The fastest deflate level: a database packs well at any level, and a
    // large register is archived in a fraction of the time of the default.
    zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    // libzip writes the archive into a temporary file beside it and renames
    // that over zipPath only when everything has been written.
    if (zip_close(archive) != 0) {
        setError(error, QStringLiteral("archív %1 nie je možné zapísať: %2").arg(zipPath, describe(archive)));
        zip_discard(archive);
        return false;
    }
    return true;
}

} // namespace ulk
