#pragma once
#include "archive/ZipArchive.h"

#include <QString>

typedef struct zip zip_t;
typedef struct zip_file zip_file_t;

namespace ulk {

// Reads one entry of a zip archive piece by piece, so that the reader can
// stop as soon as the data is not what it should be. Errors are told as
// Slovak causes.
class ZipEntryReader {
public:
    ZipEntryReader() = default;
    ~ZipEntryReader();
    ZipEntryReader(const ZipEntryReader &) = delete;
    ZipEntryReader &operator=(const ZipEntryReader &) = delete;

    // Opens the entry whose name is exactly entryName. Ok, NotAnArchive,
    // NoEntry, DamagedEntry, or ReadFailed when the file cannot be read.
    ZipArchive::ReadResult open(const QString &zipPath, const QString &entryName, QString *error);
    // The size the archive declares for the entry's data.
    qint64 declaredSize() const { return m_declared; }

    static constexpr qint64 kDamaged = -1; // the data does not match the archive (CRC, inflate)
    static constexpr qint64 kFailed = -2;  // the archive could not be read (disk, memory)
    // Up to max bytes into buffer; 0 at the end, kDamaged or kFailed.
    qint64 read(char *buffer, qint64 max, QString *error);

private:
    void close();

    zip_t *m_archive = nullptr;
    zip_file_t *m_entry = nullptr;
    qint64 m_declared = -1;
};

} // namespace ulk
