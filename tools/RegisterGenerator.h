#pragma once
#include <QString>

// Writes a realistic register into a new ulk.mdb for measurements: clients
// with Slovak names, valid birth numbers, towns of the code list, disability
// strings, sub-records and memo texts, and employees. Deterministic per seed.
namespace ulk {

struct GeneratorOptions {
    int clients = 20000;
    int employees = 60;
    quint32 seed = 1;
};

bool generateRegister(const QString &directory, const GeneratorOptions &options, QString *error = nullptr);

} // namespace ulk
