#pragma once
#include <QSqlDatabase>
#include <QString>

// The key idkod of clients and employees: a stem made of the first six
// characters of the surname and the first two of the first name, upper case,
// followed by a counter "00", "01" ... "99", "100" ...
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

} // namespace ulk::RecordKey
