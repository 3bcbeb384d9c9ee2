#include "Anchors.h"

#include <QElapsedTimer>
#include <QFile>
#include <sqlite3.h>
#include <unicode/ucol.h>
#include <zip.h>

namespace bench::Anchors {

namespace {

int icuCompare(void *collator, int la, const void *a, int lb, const void *b)
{
    UErrorCode status = U_ZERO_ERROR;
    return ucol_strcollUTF8(static_cast<UCollator *>(collator), static_cast<const char *>(a), la,
                            static_cast<const char *>(b), lb, &status);
}

void icuClose(void *collator) { ucol_close(static_cast<UCollator *>(collator)); }

// A read-write connection with the collation SKICU: ICU's Slovak rules at
// secondary strength (letter case ignored, as the program's list).
sqlite3 *open(const QString &dbPath)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(dbPath).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    UErrorCode status = U_ZERO_ERROR;
    UCollator *c = ucol_open("sk", &status);
    if (U_FAILURE(status)) {
        sqlite3_close(db);
        return nullptr;
    }
    ucol_setStrength(c, UCOL_SECONDARY);
    sqlite3_create_collation_v2(db, "SKICU", SQLITE_UTF8, c, icuCompare, icuClose);
    return db;
}

// Runs sql with the texts bound in order and steps through every row,
// touching each column as a reader would.
double run(const QString &dbPath, const char *sql, std::initializer_list<QString> values = {})
{
    sqlite3 *db = open(dbPath);
    if (!db)
        return -1;
    QElapsedTimer t;
    t.start();
    sqlite3_stmt *st = nullptr;
    bool ok = sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK;
    int i = 0;
    for (const QString &v : values) {
        const QByteArray u = v.toUtf8();
        sqlite3_bind_text(st, ++i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    }
    qint64 bytes = 0;
    int rc = SQLITE_ROW;
    while (ok && (rc = sqlite3_step(st)) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            bytes += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
    ok = ok && rc == SQLITE_DONE;
    sqlite3_finalize(st);
    const double ms = t.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return ok && bytes >= 0 ? ms : -1;
}

} // namespace

double listByName(const QString &dbPath)
{
    return run(dbPath, "SELECT rowid, idkod, meno, priezv, datnar, katcis FROM k_zaklad "
                       "ORDER BY priezv COLLATE SKICU, meno COLLATE SKICU, rowid");
}

double listByCatalogue(const QString &dbPath)
{
    return run(dbPath, "SELECT rowid, idkod, meno, priezv, datnar, katcis FROM k_zaklad "
                       "ORDER BY CAST(katcis AS INTEGER), rowid");
}

double ageSection(const QString &dbPath, const QString &from, const QString &until, const QString &today)
{
    return run(dbPath,
               "SELECT min(18, CAST(strftime('%Y', ?3) AS INTEGER) - CAST(strftime('%Y', datnar) AS INTEGER)"
               " - (strftime('%m-%d', ?3) < strftime('%m-%d', datnar))) AS vek,"
               " pohlav = 'Z', substr(trim(postih), 1, 1), substr(trim(postih), 2, 1) BETWEEN '1' AND '9', count(*)"
               " FROM k_zaklad WHERE datnar IS NOT NULL AND idkod IN"
               " (SELECT idkod FROM k_zaznam_spc WHERE datum >= ?1 AND datum < ?2)"
               " GROUP BY 1, 2, 3, 4",
               {from, until, today});
}

double educationSection(const QString &dbPath, const QString &from, const QString &until)
{
    return run(dbPath,
               "SELECT lower(s.nazzar), k.pohlav = 'Z', substr(trim(k.postih), 1, 1), length(trim(k.postih)) > 1,"
               " count(DISTINCT k.idkod)"
               " FROM k_zariad s JOIN k_zaklad k ON k.idkod = s.idkod"
               " WHERE s.akronym = 'VYCH' COLLATE NOCASE AND (s.vzar_do IS NULL OR s.vzar_do = '')"
               " AND k.idkod IN (SELECT idkod FROM k_zaznam_spc WHERE datum >= ?1 AND datum < ?2)"
               " GROUP BY 1, 2, 3, 4",
               {from, until});
}

double employeeSection(const QString &dbPath)
{
    return run(dbPath, "SELECT prac_zar, \"int-ext\", pohlavie, kvalifikacia, count(*) FROM zamestnanci "
                       "GROUP BY 1, 2, 3, 4");
}

void clearAges(const QString &dbPath) { run(dbPath, "UPDATE k_zaklad SET vek = NULL"); }

double vacuumInto(const QString &dbPath, const QString &target)
{
    QFile::remove(target);
    const double ms = run(dbPath, "VACUUM INTO ?1", {target});
    QFile::remove(target);
    return ms;
}

double zipPack(const QString &filePath, const QString &zipPath)
{
    QFile::remove(zipPath);
    QElapsedTimer t;
    t.start();
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return -1;
    zip_source_t *src = zip_source_file(z, QFile::encodeName(filePath).constData(), 0, -1);
    const zip_int64_t i = src ? zip_file_add(z, "ulk.mdb", src, ZIP_FL_ENC_UTF_8) : -1;
    if (i < 0 || zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_DEFLATE, 1) != 0 || zip_close(z) != 0) {
        zip_discard(z);
        return -1;
    }
    return t.nsecsElapsed() / 1e6;
}

double zipUnpack(const QString &zipPath, const QString &target)
{
    QElapsedTimer t;
    t.start();
    int code = 0;
    zip_t *z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code);
    if (!z)
        return -1;
    zip_file_t *f = zip_fopen(z, "ulk.mdb", 0);
    QFile out(target);
    bool ok = f && out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    zip_int64_t n = 0;
    while (ok && (n = zip_fread(f, buffer.data(), zip_uint64_t(buffer.size()))) > 0)
        ok = out.write(buffer.constData(), n) == n;
    ok = ok && n == 0 && out.flush();
    out.close();
    if (f)
        zip_fclose(f);
    zip_close(z);
    const double ms = t.nsecsElapsed() / 1e6;
    QFile::remove(target);
    return ok ? ms : -1;
}

} // namespace bench::Anchors
