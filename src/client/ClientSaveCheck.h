#pragma once
#include "common/Prompter.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// Whether the basic data of a client may be saved, checked in this order:
// the first name, the surname and the catalogue number are required, the
// catalogue number is no other client's, and the two dates of the client
// (born, field 4, and field 17) are calendar dates. The client record window
// shows the messages and moves the focus; the rules need no window.
namespace ulk {

class ClientSaveCheck {
public:
    // The text of a basic-data field, by its index.
    using FieldText = std::function<QString(int index)>;

    struct Verdict {
        bool mayGoOn = true;
        // The field the focus goes to when the save stops; -1 none.
        int focusField = -1;
        // The messages to show, in order. A catalogue number that could not
        // be checked is told and the save goes on.
        QList<MessageRequest> messages;
    };
    // recordMode: the shared record mode (1 new client, 2 edit); ownKey:
    // the client's key as last stored (empty: never stored).
    static Verdict check(const FieldText &text, quint8 recordMode, const QString &ownKey);

    struct CatalogueVerdict {
        // The number belongs to another client.
        bool taken = false;
        // What to tell: the number is taken, or it could not be checked.
        std::optional<MessageRequest> message;
    };
    // The catalogue number alone, as the field's own check runs it when the
    // field is left. Only a client being entered or edited (record mode 1
    // or 2) can collide with another; its own stored row never does.
    static CatalogueVerdict catalogueNumber(const QString &number, quint8 recordMode, const QString &ownKey);

    static QString catalogueNumberTakenMessage()
    {
        return QStringLiteral("V databáze už existuje klient s tým istým kat.číslom!");
    }
};

} // namespace ulk
