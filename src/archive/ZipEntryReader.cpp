#include "archive/ZipEntryReader.h"

#include "common/FailureText.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace ulk {

namespace {
using ReadResult = ZipArchive::ReadResult;

ReadResult failed(QString *error, ReadResult result, const QString &why)
{
    if (error)
        *error = why;
    return result;
}

// Whether the file can be read at all; libzip tells only that it could not.
ReadResult readable(const QString &path, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failed(error, ReadResult::ReadFailed, systemCause(errno));
    struct stat st {};
    const bool directory = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    ::close(fd);
    if (directory)
        return failed(error, ReadResult::ReadFailed, systemCause(EISDIR));
    return ReadResult::Ok;
}
} // namespace

ZipEntryReader::~ZipEntryReader() { close(); }

void ZipEntryReader::close()
{
    if (m_entry)
        zip_fclose(m_entry);
    m_entry = nullptr;
    if (m_archive)
        zip_discard(m_archive);
    m_archive = nullptr;
}

ReadResult ZipEntryReader::open(const QString &zipPath, const QString &entryName, QString *error)
{
    close();
    if (readable(zipPath, error) != ReadResult::Ok)
        return ReadResult::ReadFailed;
    int code = 0;
    m_archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code);
    if (!m_archive)
        return failed(error, ZipArchive::isDamage(code) ? ReadResult::NotAnArchive : ReadResult::ReadFailed,
                      ZipArchive::cause(code, 0));
    const zip_int64_t index = zip_name_locate(m_archive, entryName.toUtf8().constData(), 0);
    if (index < 0)
        return failed(error, ReadResult::NoEntry, QStringLiteral("archív nemá položku %1").arg(entryName));
    auto entryFailed = [&](zip_error_t *e) {
        const int zipCode = zip_error_code_zip(e);
        const int system = zip_error_system_type(e) == ZIP_ET_SYS ? zip_error_code_system(e) : 0;
        return failed(error, ZipArchive::isDamage(zipCode) ? ReadResult::DamagedEntry : ReadResult::ReadFailed,
                      ZipArchive::cause(zipCode, system));
    };
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(m_archive, zip_uint64_t(index), 0, &st) != 0)
        return entryFailed(zip_get_error(m_archive));
    if (!(st.valid & ZIP_STAT_SIZE))
        return failed(error, ReadResult::DamagedEntry, ZipArchive::cause(ZIP_ER_INCONS, 0));
    m_declared = qint64(st.size);
    m_entry = zip_fopen_index(m_archive, zip_uint64_t(index), 0);
    if (!m_entry)
        return entryFailed(zip_get_error(m_archive));
    return ReadResult::Ok;
}

qint64 ZipEntryReader::read(char *buffer, qint64 max, QString *error)
{
    if (!m_entry)
        return kFailed;
    const zip_int64_t n = zip_fread(m_entry, buffer, zip_uint64_t(max));
    if (n >= 0)
        return n;
    zip_error_t *e = zip_file_get_error(m_entry);
    const int zipCode = zip_error_code_zip(e);
    const int system = zip_error_system_type(e) == ZIP_ET_SYS ? zip_error_code_system(e) : 0;
    if (error)
        *error = ZipArchive::cause(zipCode, system);
    return ZipArchive::isDamage(zipCode) ? kDamaged : kFailed;
}

} // namespace ulk
