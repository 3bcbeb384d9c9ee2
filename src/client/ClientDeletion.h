#pragma once
#include <QString>

namespace ulk {

// The delete of a client: the client's row and every row recorded about the
// client, all or nothing, in one transaction on the program's connection.
// Keys are compared ignoring trailing blanks, as everywhere in the register,
// so a row stored with a padded key goes too.
class ClientDeletion {
public:
    // False with *error set when nothing was deleted.
    static bool remove(const QString &idkod, QString *error);
};

} // namespace ulk
