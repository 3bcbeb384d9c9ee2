#pragma once
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

namespace ulk::test {

// A temporary program directory with a fresh ulk.mdb from the database tool.
class ProgramDir {
public:
    explicit ProgramDir(bool withDatabase = true);
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const;
    QString dbPath() const { return file(QStringLiteral("ulk.mdb")); }
    bool isValid() const { return m_dir.isValid() && m_ok; }
    // Opens the directory's register as the program opens it (Database::open);
    // a failure fails the test.
    void openRegister() const;

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// A program directory whose fresh register is open as the program opens it
// (Database::open; a failure fails the test). The register is closed when the
// fixture goes, unless another one has been opened meanwhile.
class OpenRegister : public ProgramDir {
public:
    OpenRegister();
    ~OpenRegister();
    OpenRegister(const OpenRegister &) = delete;
    OpenRegister &operator=(const OpenRegister &) = delete;
};

// Closes the register and gives the program's shared variables back their
// first values, as the next start of the program finds them: the clean-up
// between two cases that drive the program's windows.
void closeProgram();

// Runs one statement on the program's connection; fails the test on error.
void sql(const QString &statement, const QVariantList &values = {});
// The first column of the first row of a query, or an invalid value.
QVariant scalar(const QString &query, const QVariantList &values = {});
// The number of rows of a table, or of those a condition selects ("WHERE
// ...", with its bound values).
int rowCount(const QString &table, const QString &where = QString(), const QVariantList &values = {});

// The tables of the open register that have this column, letter case
// ignored: read from the register the database tool created, not from the
// program's own description of it.
QStringList tablesWithColumn(const QString &column);
// Every "table.column" of the open register that holds this value (trailing
// blanks ignored), in the register's order.
QStringList placesHolding(const QString &value);
// Gives the client one row under its key in every table of the register
// with a client key (idkod) that holds none yet; employees excepted.
void addRowsEverywhere(const QString &idkod);

// Inserts a client with the given key and names (other columns empty).
void addClient(const QString &idkod, const QString &meno, const QString &priezv,
               const QString &katcis = QString(), const QString &datnar = QString());
void addEmployee(const QString &idkod, const QString &meno, const QString &priezv, int pracZar = 2,
                 const QString &pohlavie = QStringLiteral("z"), const QString &intExt = QStringLiteral("i"),
                 const QString &kvalifikacia = QStringLiteral("a"));

// Puts the register at path in WAL mode, as another program may.
bool putInWalMode(const QString &path);

} // namespace ulk::test
