#pragma once
#include <QString>

// The key idkod of clients and employees: a stem made of the first six
// characters of the surname and the first two of the first name, upper case,
// followed by a counter "00", "01" ... "99", "100" ... The characters are
// counted as a reader sees them (a letter with its combining marks is one,
// blanks and punctuation count), and symbols such as emoji are left out.
// The rules alone: the free keys of a table and the carrying of a changed
// key into the tables that refer to it are data/RecordKeyLookup.h.
namespace ulk::RecordKey {

QString stem(const QString &surname, const QString &firstName);
QString counterText(int counter);
// The stem of a stored key: the key without its counter (all trailing digits).
QString stemOfKey(const QString &key);

// Whether an edit keeps the stored key: the trimmed names are unchanged, or
// the stem of the new names equals the stem of the stored key.
bool editKeepsKey(const QString &storedKey, const QString &storedFirstName,
                  const QString &storedSurname, const QString &firstName, const QString &surname);

} // namespace ulk::RecordKey
