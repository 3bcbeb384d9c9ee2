#pragma once
#include <QString>

// The few zip operations that archive and restore need, over libzip.
namespace ulk {

class WorkProgress;

class ZipArchive {
public:
    enum class ReadResult {
        Ok,
        NotAnArchive,  // the file cannot be read as a zip archive
        NoEntry,       // the archive has no entry of that name
        DamagedEntry,  // the entry cannot be read back intact (CRC, method, encryption)
        WriteFailed,   // the entry was read but could not be written out
        ReadFailed     // the file could not be read at all (a disk error, no memory, ...)
    };

    // Writes a new archive at zipPath whose one entry, entryName, holds the
    // file sourcePath. Whatever stood at zipPath before is replaced, and only
    // once the new archive is complete.
    // With progress, the writing reports how far it got and stops when asked
    // to (ZIP_ER_CANCELLED): then nothing new is left at zipPath or beside it.
    static bool writeSingleEntry(const QString &zipPath, const QString &entryName,
                                 const QString &sourcePath, QString *error, WorkProgress *progress = nullptr);

    // The Slovak cause of a libzip error code; errnoValue (when not 0) is the
    // system's error behind it.
    static QString cause(int zipCode, int errnoValue);
    // Whether a libzip error code says that the data is no intact archive,
    // rather than that it could not be read or written.
    static bool isDamage(int zipCode);
};

} // namespace ulk
