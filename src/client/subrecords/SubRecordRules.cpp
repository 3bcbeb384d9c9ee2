#include "client/subrecords/SubRecordRules.h"

#include "client/subrecords/SubRecordRows.h"
#include "common/FieldRules.h"

namespace ulk {

QString SubRecordRules::shownText(SubRecordValue kind, const QVariant &stored)
{
    if (stored.isNull() || !stored.isValid())
        return QString();
    if (kind == SubRecordValue::Date) {
        const QDate d = SubRecordRows::storedDate(stored);
        return d.isValid() ? FieldRules::dateToText(d) : stored.toString();
    }
    return stored.toString();
}

QVariant SubRecordRules::storedValue(SubRecordValue kind, const QString &text, bool *ok)
{
    if (ok)
        *ok = true;
    switch (kind) {
    case SubRecordValue::Unbound:
        return QVariant();
    case SubRecordValue::Text:
        return text.isEmpty() ? QVariant() : QVariant(text);
    case SubRecordValue::Date: {
        if (text.trimmed().isEmpty())
            return QVariant();
        const FieldRules::TypedDate d = FieldRules::normaliseDate(text);
        if (d.kind != FieldRules::TypedDate::Ok) {
            if (ok)
                *ok = false;
            return QVariant();
        }
        return d.date.toString(Qt::ISODate);
    }
    }
    return QVariant();
}

QString SubRecordRules::paddedEmployeeKey(const QString &key) { return key.leftJustified(10, QLatin1Char(' '), true); }

QString SubRecordRules::deletePrompt(const SubRecordFamilyDef &family, const SubRecordRows &rows, int row,
                                     const QString &facilityName, const QString &meno, const QString &priezv)
{
    const auto date = [&](const char *column) {
        return shownText(SubRecordValue::Date, rows.value(row, QString::fromLatin1(column))).trimmed();
    };
    QString pieces;
    switch (family.deletePieces) {
    case DeletePieces::SiblingName:
        pieces = rows.value(row, QStringLiteral("meno")).toString().left(50).trimmed();
        break;
    case DeletePieces::Facility:
        pieces = facilityName.trimmed() + QStringLiteral("  ") + date("vzar_od") + QStringLiteral(" - ")
            + date("vzar_do");
        break;
    case DeletePieces::DateAndClient:
        pieces = date("datum") + QStringLiteral("  ") + priezv.trimmed() + QStringLiteral("  ") + meno.trimmed();
        break;
    case DeletePieces::Date:
        pieces = date("datum");
        break;
    }
    return QString::fromUtf8(family.deleteOpening) + pieces + QStringLiteral(" ?");
}

QString SubRecordRules::deleteTitle(const SubRecordFamilyDef &family, const QString &recordCaption)
{
    const QString own = QString::fromUtf8(family.deleteTitle);
    return own.isEmpty() ? QString() : own + recordCaption;
}

} // namespace ulk
