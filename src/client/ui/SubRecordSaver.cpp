#include "client/ui/SubRecordSaver.h"

#include "client/subrecords/SubRecordRules.h"
#include "client/ui/SiblingFields.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordTab.h"
#include "client/ui/SubRecordTabs.h"
#include "common/FieldRules.h"
#include "common/Prompter.h"
#include "common/SharedState.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FieldProcedures.h"
#include "data/CodeList.h"

#include <QPlainTextEdit>

namespace ulk {

namespace {
QString errorTitle() { return FieldMessages::errorTitle(); }
} // namespace

SubRecordSaver::SubRecordSaver(SubRecordTab &tab) : m_tab(tab) {}

bool SubRecordSaver::valuesFromBoxes(QVariantMap &values, int *badBox) const
{
    const SubRecordFamilyDef &family = m_tab.family();
    for (const SubRecordBoxDef &def : family.boxes) {
        if (!def.column)
            continue;
        bool ok = true;
        const QVariant v = SubRecordRules::storedValue(def.value, m_tab.page().box(def.index)->text(), &ok);
        if (!ok) {
            *badBox = def.index;
            return false;
        }
        values.insert(QString::fromLatin1(def.column), v);
    }
    if (family.longTextColumn) {
        const QString text = m_tab.page().longText()->toPlainText();
        values.insert(QString::fromLatin1(family.longTextColumn), text.isEmpty() ? QVariant() : QVariant(text));
    }
    return true;
}

QString SubRecordSaver::employeeOfNewRow() const
{
    CodeList &employees = m_tab.hub().employees();
    if (employees.current() >= 0)
        return employees.code(employees.current()).trimmed();
    // No employee was chosen or found in this window yet: the one the box names.
    const int row = employees.findCode(m_tab.page().box(m_tab.family().employeeBox)->text());
    if (row < 0)
        return QString();
    employees.setCurrent(row);
    return employees.code(row).trimmed();
}

SubRecordSaver::Outcome SubRecordSaver::save()
{
    const SubRecordFamilyDef &family = m_tab.family();
    SubRecordRows &rows = m_tab.rows();
    SubRecordPage &page = m_tab.page();
    Outcome out;
    for (int k = 0; k < family.required.size(); ++k) {
        const SubRecordRequired &r = family.required.at(k);
        if (page.box(r.box)->text().trimmed().isEmpty()) {
            tell(QString::fromUtf8(r.message), errorTitle(), PromptIcon::Exclamation);
            out.focusBox = r.box;
            out.requiredFailed = k + 1;
            return out;
        }
    }
    // Sub-records belong to a client whose basic data are stored.
    const QString clientKey = m_tab.hub().clientKey();
    if (clientKey.trimmed().isEmpty()) {
        tell(QStringLiteral("Záznam nie je možné zapísať, základné údaje klienta ešte nie sú zapísané."),
             errorTitle(), PromptIcon::Exclamation);
        return out;
    }
    // A date that cannot be stored is not turned into no date.
    QVariantMap values;
    int badBox = -1;
    if (!valuesFromBoxes(values, &badBox)) {
        tell(FieldMessages::dateMessage(), errorTitle(), PromptIcon::Exclamation);
        out.focusBox = badBox;
        return out;
    }
    if (SiblingFields *sibling = m_tab.sibling())
        values.insert(QStringLiteral("postih"), sibling->codeString());

    const bool adding = rows.state() == SubRecordRows::State::Adding;
    if (family.employeeBox >= 0) {
        const QString column = QString::fromLatin1(SubRecordFamilies::box(family, family.employeeBox).column);
        if (adding) {
            const QString employee = employeeOfNewRow();
            if (employee.isEmpty()) {
                tell(QString::fromUtf8(family.required.at(1).message), errorTitle(), PromptIcon::Exclamation);
                out.focusBox = family.employeeBox;
                out.requiredFailed = 2;
                return out;
            }
            values.insert(column, employee);
        } else {
            // An employee chosen in a picker during this edit; otherwise the key in the box.
            const QString chosen = m_tab.hub().selectedEmployeeId();
            const QString key = chosen != SubRecordRules::noEmployee() ? chosen : page.box(family.employeeBox)->text();
            values.insert(column, key.trimmed());
        }
    }

    QString error;
    bool ok = false;
    if (adding) {
        values.insert(QStringLiteral("idkod"), clientKey);
        if (family.kind == SubRecordKind::Facilities)
            values.insert(QStringLiteral("akronym"), m_tab.hub().facilityKind());
        ok = rows.insert(values, &error);
    } else {
        ok = rows.update(rows.current(), values, &error);
    }
    if (!ok) {
        tell(SubRecordRules::writeFailedMessage(error), errorTitle(), PromptIcon::Exclamation);
        return out;
    }
    if (adding)
        m_tab.readRows(clientKey);
    else
        m_tab.rereadRows(family.keepsPosition ? rows.current() : 0);
    out.written = true;
    return out;
}

void SubRecordSaver::remove()
{
    const SubRecordFamilyDef &family = m_tab.family();
    SubRecordRows &rows = m_tab.rows();
    if (rows.atEnd())
        return;
    const int row = rows.current();
    QString facilityName;
    if (family.kind == SubRecordKind::Facilities) {
        const QString code = rows.value(row, QStringLiteral("nazzar")).toString();
        CodeList &facilities = m_tab.hub().facilities();
        const int f = code.trimmed().isEmpty() ? -1 : facilities.findCode(code);
        // A code that the list of this kind lacks is shown as it is stored.
        facilityName = f >= 0 ? facilities.name(f) : code;
    }
    const QString prompt = SubRecordRules::deletePrompt(family, rows, row, facilityName, m_tab.hub().clientMeno(),
                                                        m_tab.hub().clientPriezv());
    const QString title = SubRecordRules::deleteTitle(family, shared().recordCaption);
    if (ask(prompt, title, PromptIcon::None, PromptButtons::YesNo, 0) != PromptAnswer::Yes)
        return;
    QString error;
    if (!rows.remove(row, &error)) {
        tell(SubRecordRules::deleteFailedMessage(error), errorTitle(), PromptIcon::Exclamation);
        return;
    }
    m_tab.rereadRows(0);
}

bool SubRecordSaver::isOtherRow(int found) const
{
    const SubRecordRows &rows = m_tab.rows();
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

bool SubRecordSaver::checkDuplicateDate(FieldEdit *dateBox)
{
    if (!dateBox || dateBox->text().isEmpty())
        return false;
    const FieldRules::TypedDate typed = FieldRules::normaliseDate(dateBox->text());
    if (typed.kind != FieldRules::TypedDate::Ok)
        return false;
    if (!isOtherRow(m_tab.rows().findDate(QStringLiteral("datum"), typed.date)))
        return false;
    tell(SubRecordRules::duplicateDateMessage(dateBox->text()), errorTitle(), PromptIcon::Exclamation);
    return true;
}

bool SubRecordSaver::checkDuplicateSibling(FieldEdit *nameBox)
{
    if (!nameBox || nameBox->text().isEmpty())
        return false;
    if (!isOtherRow(m_tab.rows().findText(QStringLiteral("meno"), nameBox->text())))
        return false;
    tell(SubRecordRules::duplicateSiblingMessage(nameBox->text()), errorTitle(), PromptIcon::Exclamation);
    return true;
}

} // namespace ulk
