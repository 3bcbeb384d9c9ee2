#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The key idkod of clients and employees: a stem made of the first six
// characters of the surname and the first two of the first name, upper case,
// followed by a counter "00", "01" ... "99", "100" ... The characters are
// counted as a reader sees them (a letter with its combining marks is one,
// blanks and punctuation count), and symbols such as emoji are left out.
namespace ulk::RecordKey {

QString stem(const QString &surname, const QString &firstName);
QString counterText(int counter);
// The stem of a stored key: the key without its counter (all trailing digits).
QString stemOfKey(const QString &key);

// Whether an edit keeps the stored key: the trimmed names are unchanged, or
// the stem of the new names equals the stem of the stored key.
bool editKeepsKey(const QString &storedKey, const QString &storedFirstName,
                  const QString &storedSurname, const QString &firstName, const QString &surname);

// The first key stem + counter (from "00" on) that no row of table.idkod
// holds; ownKey (the record's own stored key) counts as free.
// Returns an empty text and sets *error when the table cannot be read.
QString firstFreeKey(QSqlDatabase db, const QString &table, const QString &stem,
                     const QString &ownKey = QString(), QString *error = nullptr);
// The same over several tables that share the key (a client's k_zaklad and
// k_memo rows): the key must be free in each of them.
QString firstFreeKey(QSqlDatabase db, const QStringList &tables, const QString &stem,
                     const QString &ownKey = QString(), QString *error = nullptr);

// A column that refers to the key.
struct KeyReference {
    QString table;
    QString column;
};

// Carries a changed key from oldKey to newKey into every referring column
// (rows compared without trailing blanks). Runs inside the caller's
// transaction; on the first failure it stops, sets *error and returns false,
// and the caller rolls back.
bool cascadeKeyChange(QSqlDatabase db, const QList<KeyReference> &references, const QString &oldKey,
                      const QString &newKey, QString *error = nullptr);

} // namespace ulk::RecordKey
