#include "client/subrecords/SubRecordWrite.h"

#include "client/subrecords/SubRecordRows.h"
#include "client/subrecords/SubRecordRules.h"
#include "common/FieldMessages.h"
#include "common/FieldRules.h"
#include "data/CodeList.h"

#include <QVariantMap>

namespace ulk {

namespace {

SubRecordWrite::Outcome refused(const QString &message, int focusBox = SubRecordWrite::noFocus)
{
    SubRecordWrite::Outcome out;
    out.message = message;
    out.focusBox = focusBox;
    return out;
}

// The employee key a new row stores; empty when there is none.
QString employeeOfNewRow(CodeList &employees, const QString &boxText)
{
    if (employees.current() >= 0)
        return employees.code(employees.current()).trimmed();
    // No employee was chosen or found in this window yet: the one the box names.
    const int row = employees.findCode(boxText);
    if (row < 0)
        return QString();
    employees.setCurrent(row);
    return employees.code(row).trimmed();
}

// Whether a row found by a search is another row than the one edited.
bool isOtherRow(const SubRecordRows &rows, int found)
{
    if (found < 0)
        return false;
    switch (rows.state()) {
    case SubRecordRows::State::Adding:
        return true;
    case SubRecordRows::State::Editing:
        return found != rows.current();
    case SubRecordRows::State::Idle:
        return false;
    }
    return false;
}

} // namespace

SubRecordWrite::Outcome SubRecordWrite::save(SubRecordRows &rows, const SubRecordEntry &entry, CodeList &employees)
{
    const SubRecordFamilyDef &family = rows.family();
    const auto box = [&](int index) { return entry.boxes.value(index); };
    for (const SubRecordRequired &r : family.required)
        if (box(r.box).trimmed().isEmpty())
            return refused(QString::fromUtf8(r.message), r.box);
    // Sub-records belong to a client whose basic data are stored.
    if (entry.clientKey.trimmed().isEmpty())
        return refused(QStringLiteral("Záznam nie je možné zapísať, základné údaje klienta ešte nie sú zapísané."));

    // A date that cannot be stored is not turned into no date.
    QVariantMap values;
    for (const SubRecordBoxDef &def : family.boxes) {
        if (!def.column)
            continue;
        bool ok = true;
        const QVariant v = SubRecordRules::storedValue(def.value, box(def.index), &ok);
        if (!ok)
            return refused(FieldMessages::dateMessage(), def.index);
        values.insert(QString::fromLatin1(def.column), v);
    }
    if (family.longTextColumn)
        values.insert(QString::fromLatin1(family.longTextColumn),
                      entry.longText.isEmpty() ? QVariant() : QVariant(entry.longText));
    if (entry.siblingCodes)
        values.insert(QStringLiteral("postih"), *entry.siblingCodes);

    const bool adding = rows.state() == SubRecordRows::State::Adding;
    if (family.employeeBox >= 0) {
        const QString column = QString::fromLatin1(SubRecordFamilies::box(family, family.employeeBox).column);
        if (adding) {
            const QString employee = employeeOfNewRow(employees, box(family.employeeBox));
            if (employee.isEmpty())
                return refused(QString::fromUtf8(family.required.at(1).message), family.employeeBox);
            values.insert(column, employee);
        } else {
            // An employee chosen in a picker during this edit; otherwise the key in the box.
            const QString key =
                entry.pickedEmployee != SubRecordRules::noEmployee() ? entry.pickedEmployee : box(family.employeeBox);
            values.insert(column, key.trimmed());
        }
    }

    QString error;
    bool ok = false;
    if (adding) {
        values.insert(QStringLiteral("idkod"), entry.clientKey);
        if (family.kind == SubRecordKind::Facilities)
            values.insert(QStringLiteral("akronym"), entry.facilityKind);
        ok = rows.insert(values, &error);
    } else {
        ok = rows.update(rows.current(), values, &error);
    }
    if (!ok)
        return refused(SubRecordRules::writeFailedMessage(error));
    Outcome out;
    out.written = true;
    out.added = adding;
    out.rowAfter = !adding && family.keepsPosition ? rows.current() : 0;
    return out;
}

QString SubRecordWrite::deletePrompt(const SubRecordRows &rows, int row, const CodeList &facilities,
                                     const QString &meno, const QString &priezv)
{
    const SubRecordFamilyDef &family = rows.family();
    QString facilityName;
    if (family.kind == SubRecordKind::Facilities) {
        const QString code = rows.value(row, QStringLiteral("nazzar")).toString();
        const int f = code.trimmed().isEmpty() ? -1 : facilities.findCode(code);
        // A code that the list of this kind lacks is shown as it is stored.
        facilityName = f >= 0 ? facilities.name(f) : code;
    }
    return SubRecordRules::deletePrompt(family, rows, row, facilityName, meno, priezv);
}

bool SubRecordWrite::duplicateDate(const SubRecordRows &rows, const QString &typed)
{
    if (typed.isEmpty())
        return false;
    const FieldRules::TypedDate date = FieldRules::normaliseDate(typed);
    return date.kind == FieldRules::TypedDate::Ok && isOtherRow(rows, rows.findDate(QStringLiteral("datum"), date.date));
}

bool SubRecordWrite::duplicateSibling(const SubRecordRows &rows, const QString &name)
{
    return !name.isEmpty() && isOtherRow(rows, rows.findText(QStringLiteral("meno"), name));
}

} // namespace ulk
