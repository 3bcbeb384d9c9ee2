#pragma once
#include <QString>

// The same work as the program's, done the plainest way on the same file:
// SQLite's C interface with a Slovak collation written against ICU directly,
// one SQL statement per figure, and libzip's own pack and unpack. Each
// function returns the milliseconds of one run, or a negative value when the
// work failed.
namespace bench::Anchors {

// The client list in Slovak order (surname, first name), every row read.
double listByName(const QString &dbPath);
// The client list by the number in the catalogue number, every row read.
double listByCatalogue(const QString &dbPath);
// One aggregate for each computed statement section over the rows it counts:
// the clients with a care record in [from, until) by age, sex and dominant
// disability; the same clients by their open stay, sex and disability; the
// employees by job, contract, sex and qualification.
double ageSection(const QString &dbPath, const QString &from, const QString &until, const QString &today);
double educationSection(const QString &dbPath, const QString &from, const QString &until);
double employeeSection(const QString &dbPath);
// Forgets every stored age (vek), on a connection of its own, so that the
// next section I writes the age of each client it counts.
void clearAges(const QString &dbPath);
// VACUUM INTO a new file (removed afterwards).
double vacuumInto(const QString &dbPath, const QString &target);
// A zip archive of one entry holding the file, deflated at level 1 (as the
// program packs), and that entry unpacked into a file.
double zipPack(const QString &filePath, const QString &zipPath);
double zipUnpack(const QString &zipPath, const QString &target);

} // namespace bench::Anchors
