#include "archive/ZipArchive.h"

#include "common/FailureText.h"
#include "common/LongWork.h"

#include <QFile>
#include <zip.h>

namespace ulk {

namespace {
void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString causeOf(zip_error_t *e)
{
    return ZipArchive::cause(zip_error_code_zip(e),
                             zip_error_system_type(e) == ZIP_ET_SYS ? zip_error_code_system(e) : 0);
}
} // namespace

bool ZipArchive::isDamage(int zipCode)
{
    switch (zipCode) {
    case ZIP_ER_MULTIDISK:
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_EOF:
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_COMPRESSED_DATA: return true;
    default: return false;
    }
}

QString ZipArchive::cause(int zipCode, int errnoValue)
{
    if (errnoValue != 0)
        return systemCause(errnoValue);
    switch (zipCode) {
    case ZIP_ER_NOZIP: return QStringLiteral("súbor nie je archív zip");
    case ZIP_ER_MULTIDISK: return QStringLiteral("archív je rozdelený na viac častí");
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_INCONS:
    case ZIP_ER_COMPRESSED_DATA: return QStringLiteral("archív je poškodený");
    case ZIP_ER_EOF: return QStringLiteral("archív je neúplný");
    case ZIP_ER_COMPNOTSUPP: return QStringLiteral("archív je zbalený nepodporovaným spôsobom");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD: return QStringLiteral("archív je zašifrovaný");
    case ZIP_ER_MEMORY: return QStringLiteral("nie je dosť pamäte");
    case ZIP_ER_NOENT: return QStringLiteral("súbor alebo adresár neexistuje");
    case ZIP_ER_EXISTS: return QStringLiteral("súbor už existuje");
    case ZIP_ER_CANCELLED: return QStringLiteral("zrušené používateľom");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL: return QStringLiteral("súbor archívu sa nepodarilo prečítať");
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
    case ZIP_ER_RENAME:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_REMOVE: return QStringLiteral("súbor archívu sa nepodarilo zapísať");
    default: return QStringLiteral("chyba archívu (kód %1)").arg(zipCode);
    }
}

namespace {
void reportProgress(zip_t *, double done, void *progress)
{
    static_cast<WorkProgress *>(progress)->advance(qint64(done * 1000), 1000);
}

int stopWanted(zip_t *, void *progress) { return static_cast<WorkProgress *>(progress)->stopRequested() ? 1 : 0; }
} // namespace

bool ZipArchive::writeSingleEntry(const QString &zipPath, const QString &entryName,
                                  const QString &sourcePath, QString *error, WorkProgress *progress)
{
    int code = 0;
    // ZIP_TRUNCATE: an archive already there is not read, only replaced.
    zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        setError(error, cause(code, 0));
        return false;
    }
    zip_source_t *source = zip_source_file(archive, QFile::encodeName(sourcePath).constData(), 0, -1);
    if (!source) {
        setError(error, causeOf(zip_get_error(archive)));
        zip_discard(archive);
        return false;
    }
    const zip_int64_t index = zip_file_add(archive, entryName.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        setError(error, causeOf(zip_get_error(archive)));
        zip_source_free(source);
        zip_discard(archive);
        return false;
    }
    // The fastest deflate level: a database packs well at any level, and a
    // large register is archived in a fraction of the time of the default.
    zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    if (progress) {
        zip_register_progress_callback_with_state(archive, 0.001, reportProgress, nullptr, progress);
        zip_register_cancel_callback_with_state(archive, stopWanted, nullptr, progress);
    }
    // libzip writes the archive into a temporary file beside it and renames
    // that over zipPath only when everything has been written.
    if (zip_close(archive) != 0) {
        setError(error, causeOf(zip_get_error(archive)));
        zip_discard(archive);
        return false;
    }
    return true;
}

} // namespace ulk
