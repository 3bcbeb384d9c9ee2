#include "common/FieldMessages.h"

namespace ulk {

namespace FieldMessages {
QString errorTitle() { return QStringLiteral("Chybová správa"); }
QString fixTitle() { return QStringLiteral("Chyba !"); }
QString sexMessage() { return QStringLiteral("Pohlavie môže nadobudnúť len hodnotu M alebo Z!"); }
QString disabilityMessage()
{
    return QStringLiteral("Postihnutie môže nadobudnúť len hodnotu 1 až 9 bez duplicít !");
}
QString birthNumberMessage() { return QStringLiteral("Nesprávne rodné číslo ,opraviť ?"); }
QString dateMessage() { return QStringLiteral("Chybný dátum, zadaj v tvare dd.mm.rrrr!"); }
QString nonexistentDateMessage()
{
    return QStringLiteral("Zadaný dátum neexistuje, zadaj v tvare dd.mm.rrrr!");
}
QString codeNotFound(const QString &code)
{
    return QStringLiteral("Zadaný kód :") + code + QStringLiteral(" sa nenašiel v číselníku");
}
QString nameNotFound(const QString &name)
{
    return QStringLiteral("Zadaný reťazec :") + name + QStringLiteral(" nie je v číselníku");
}
} // namespace FieldMessages

} // namespace ulk
