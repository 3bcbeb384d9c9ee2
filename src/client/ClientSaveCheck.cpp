#include "client/ClientSaveCheck.h"

#include "client/BasicDataFields.h"
#include "client/ClientRecord.h"
#include "common/FailureText.h"
#include "common/FieldMessages.h"
#include "common/FieldRules.h"

namespace ulk {

namespace {

MessageRequest error(const QString &text)
{
    return {text, FieldMessages::errorTitle(), PromptIcon::Exclamation, PromptButtons::Ok, 0};
}

constexpr int kCatalogueNumber = 6;

} // namespace

ClientSaveCheck::CatalogueVerdict ClientSaveCheck::catalogueNumber(const QString &number, quint8 recordMode,
                                                                   const QString &ownKey)
{
    CatalogueVerdict verdict;
    if (recordMode != 1 && recordMode != 2)
        return verdict;
    QString why;
    switch (ClientRecord::catalogueNumberTaken(number, ownKey, &why)) {
    case ClientRecord::Lookup::Free:
        break;
    case ClientRecord::Lookup::Taken:
        verdict.taken = true;
        verdict.message = MessageRequest{catalogueNumberTakenMessage(), QStringLiteral("Upozornenie"),
                                         PromptIcon::Information, PromptButtons::Ok, 0};
        break;
    case ClientRecord::Lookup::Failed:
        verdict.message = error(failureMessage(QStringLiteral("Katalógové číslo sa nepodarilo overiť."), why));
        break;
    }
    return verdict;
}

ClientSaveCheck::Verdict ClientSaveCheck::check(const FieldText &text, quint8 recordMode, const QString &ownKey)
{
    Verdict verdict;
    const auto stop = [&](int field, const std::optional<MessageRequest> &message) {
        verdict.mayGoOn = false;
        verdict.focusField = field;
        if (message)
            verdict.messages.append(*message);
        return verdict;
    };
    const std::pair<int, const char *> required[] = {
        {0, "Meno je povinný údaj !"},
        {1, "Priezvisko je povinný údaj !"},
        {kCatalogueNumber, "Katalógové číslo je povinný údaj !"},
    };
    for (const auto &[field, message] : required)
        if (text(field).trimmed().isEmpty())
            return stop(field, error(QString::fromUtf8(message)));
    // A catalogue number of another client is never stored, also when the
    // save button is pressed straight from a refused catalogue number.
    const CatalogueVerdict catalogue = catalogueNumber(text(kCatalogueNumber), recordMode, ownKey);
    if (catalogue.taken)
        return stop(kCatalogueNumber, catalogue.message);
    if (catalogue.message)
        verdict.messages.append(*catalogue.message);
    // A date that cannot be stored is not turned into no date.
    for (int field : {4, 17}) {
        const QString date = text(field).trimmed();
        if (!BasicDataFields::isStorableDate(date)) {
            const bool wellFormed = FieldRules::normaliseDate(date).kind == FieldRules::TypedDate::Nonexistent;
            return stop(field, error(wellFormed ? FieldMessages::nonexistentDateMessage()
                                                : FieldMessages::dateMessage()));
        }
    }
    return verdict;
}

} // namespace ulk
