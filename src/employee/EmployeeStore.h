#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <optional>

// Reading and writing the table zamestnanci: one employee with its job
// function, sex, internal/external and qualification letters, stored under
// a key made from the names. A changed key is carried into every record of
// client work that names the employee; an employee that such a record names
// is not deleted.
namespace ulk {

struct EmployeeRecord {
    QString idkod;
    QString meno;
    QString priezv;
    QVariant pracZar;      // fc_idkod of c_funkcie
    QVariant pohlavie;     // "m" / "z"; null when never chosen
    QVariant intExt;       // "i" / "e"
    QVariant kvalifikacia; // "a" / "n"
};

struct JobFunction {
    int code = 0;
    QString name;
};

class EmployeeStore {
public:
    explicit EmployeeStore(QSqlDatabase db);

    // Every row of c_funkcie in the order of fc_idkod.
    QList<JobFunction> jobFunctions(QString *error = nullptr) const;
    // The employee with this key as stored, or nothing.
    std::optional<EmployeeRecord> read(const QString &idkod, QString *error = nullptr) const;

    // Stores a new employee under the first free key of its names' stem.
    // Returns the key, or an empty text with *error set (nothing stored).
    QString insert(const EmployeeRecord &record, QString *error = nullptr) const;

    // Stores an edited employee opened as `original`. When the names no
    // longer fit the stored key, a new key is made and the examinations,
    // records of care and recorded changes that named the old key follow it;
    // row and references change together or not at all. Returns the key the
    // employee has afterwards, or an empty text with *error set.
    QString update(const EmployeeRecord &original, const EmployeeRecord &edited,
                   QString *error = nullptr) const;

    enum class Lookup { Free, Named, Failed };
    // Whether a record of client work (an examination, a record of care, a
    // recorded change) names the employee with this key, compared without
    // trailing blanks. Named: *table is the first table of
    // RegisterSchema::employeeKeyColumns() that does. Failed: *error says why; nothing may be deleted then.
    Lookup namedInRecords(const QString &idkod, QString *table, QString *error = nullptr) const;
    // Deletes the employee stored under this key. False, with *error, when
    // the statement fails (nothing is deleted then).
    bool remove(const QString &idkod, QString *error = nullptr) const;

private:
    QSqlDatabase m_db;
};

} // namespace ulk
