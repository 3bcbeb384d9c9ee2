#include "archive/ZipEntryReader.h"

#include <QFile>
#include <zip.h>

namespace ulk {

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

ZipArchive::ReadResult ZipEntryReader::open(const QString &zipPath, const QString &entryName, QString *error)
{
    close();
    auto failed = [&](ZipArchive::ReadResult result, const QString &why) {
        if (error)
            *error = why;
        return result;
    };
    int code = 0;
    m_archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code);
    if (!m_archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        const QString text = QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        return failed(ZipArchive::ReadResult::NotAnArchive, text);
    }
    const zip_int64_t index = zip_name_locate(m_archive, entryName.toUtf8().constData(), 0);
    if (index < 0)
        return failed(ZipArchive::ReadResult::NoEntry, QStringLiteral("archív nemá položku %1").arg(entryName));
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(m_archive, zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        return failed(ZipArchive::ReadResult::DamagedEntry, QString::fromUtf8(zip_strerror(m_archive)));
    m_declared = qint64(st.size);
    m_entry = zip_fopen_index(m_archive, zip_uint64_t(index), 0);
    if (!m_entry)
        return failed(ZipArchive::ReadResult::DamagedEntry, QString::fromUtf8(zip_strerror(m_archive)));
    return ZipArchive::ReadResult::Ok;
}

qint64 ZipEntryReader::read(char *buffer, qint64 max, QString *error)
{
    if (!m_entry)
        return -1;
    const zip_int64_t n = zip_fread(m_entry, buffer, zip_uint64_t(max));
    if (n < 0 && error)
        *error = QString::fromUtf8(zip_file_strerror(m_entry));
    return n;
}

} // namespace ulk
