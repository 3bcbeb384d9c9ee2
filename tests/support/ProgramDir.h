#pragma once
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>
#include <functional>

class QWidget;

// A temporary program directory with a fresh ulk.mdb from the database tool.
namespace ulk::test {

class ProgramDir {
public:
    explicit ProgramDir(bool withDatabase = true);
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const;
    QString dbPath() const { return file(QStringLiteral("ulk.mdb")); }
    bool isValid() const { return m_dir.isValid() && m_ok; }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// Runs one statement on the program's connection; fails the test on error.
void sql(const QString &statement, const QVariantList &values = {});
// The first column of the first row of a query, or an invalid value.
QVariant scalar(const QString &query, const QVariantList &values = {});

// Inserts a client with the given key and names (other columns empty).
void addClient(const QString &idkod, const QString &meno, const QString &priezv,
               const QString &katcis = QString(), const QString &datnar = QString());
void addEmployee(const QString &idkod, const QString &meno, const QString &priezv, int pracZar = 2,
                 const QString &pohlavie = QStringLiteral("z"), const QString &intExt = QStringLiteral("i"),
                 const QString &kvalifikacia = QStringLiteral("a"));

// Calls fn with the modal window of type T once it is shown (fn runs inside
// the window's event loop). Use before the action that opens the window.
void whenModal(const char *className, std::function<void(QWidget *)> fn, int timeoutMs = 10000);

} // namespace ulk::test
