#include "support/ProgramDir.h"

#include "NewDatabase.h"
#include "data/Database.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace ulk::test {

ProgramDir::ProgramDir(bool withDatabase)
{
    if (!m_dir.isValid())
        return;
    if (!withDatabase) {
        m_ok = true;
        return;
    }
    QString error;
    m_ok = createNewDatabase(m_dir.path(), &error);
    if (!m_ok)
        qWarning("cannot create test database: %s", qPrintable(error));
}

QString ProgramDir::file(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

void sql(const QString &statement, const QVariantList &values)
{
    QString error;
    QSqlQuery q = runSql(statement, values, &error);
    if (!error.isEmpty())
        QFAIL(qPrintable(error + QStringLiteral(" in: ") + statement));
}

QVariant scalar(const QString &query, const QVariantList &values)
{
    QString error;
    QSqlQuery q = runSql(query, values, &error);
    if (!error.isEmpty()) {
        qWarning("%s in: %s", qPrintable(error), qPrintable(query));
        return {};
    }
    return q.next() ? q.value(0) : QVariant();
}

void addClient(const QString &idkod, const QString &meno, const QString &priezv,
               const QString &katcis, const QString &datnar)
{
    sql(QStringLiteral("INSERT INTO k_zaklad (idkod, meno, priezv, katcis, datnar) VALUES (?,?,?,?,?)"),
        {idkod, meno, priezv, katcis.isNull() ? QVariant() : QVariant(katcis),
         datnar.isNull() ? QVariant() : QVariant(datnar)});
    sql(QStringLiteral("INSERT INTO k_memo (idkod) VALUES (?)"), {idkod});
}

void addEmployee(const QString &idkod, const QString &meno, const QString &priezv, int pracZar,
                 const QString &pohlavie, const QString &intExt, const QString &kvalifikacia)
{
    sql(QStringLiteral("INSERT INTO zamestnanci (idkod, meno, priezv, prac_zar, pohlavie, \"int-ext\", "
                       "kvalifikacia) VALUES (?,?,?,?,?,?,?)"),
        {idkod, meno, priezv, pracZar, pohlavie, intExt, kvalifikacia});
}

void whenModal(const char *className, std::function<void(QWidget *)> fn, int timeoutMs)
{
    auto *timer = new QTimer;
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    const QByteArray name(className);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, name, fn, timeoutMs]() {
        QWidget *w = QApplication::activeModalWidget();
        if (w && w->inherits(name.constData()) && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            fn(w);
            return;
        }
        if (elapsed->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            qWarning("modal window %s did not appear", name.constData());
        }
    });
    timer->start();
}

} // namespace ulk::test
