#include "client/ui/ClientFieldChecks.h"
#include "client/ui/DisabilityEntry.h"
#include "client/ui/DisabilityPanel.h"

#include "client/BasicDataFields.h"
#include "client/ParentAge.h"
#include "common/Prompter.h"
#include "client/ui/BasicDataEditor.h"
#include "client/ui/BasicDataPages.h"
#include "common/ui/CodePicker.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FieldProcedures.h"

namespace ulk {

namespace F = BasicDataFields;

ClientFieldChecks::ClientFieldChecks(BasicDataPages &pages, BasicDataEditor &editor)
    : m_pages(pages), m_editor(editor)
{
}

void ClientFieldChecks::capitaliseFirst(int index)
{
    FieldEdit *f = m_pages.field(index);
    const QString t = F::capitaliseFirst(f->text());
    if (t != f->text())
        f->setText(t);
}

void ClientFieldChecks::capitaliseTwoWords(int index)
{
    FieldEdit *f = m_pages.field(index);
    const QString t = F::capitaliseTwoWords(f->text());
    if (t != f->text())
        f->setText(t);
}

CheckResult ClientFieldChecks::checkCodeField(int index)
{
    CodePicker *picker = m_pages.pickerOfField(index);
    return checkCodeList(picker, m_pages.field(index), picker ? picker->codeList() : nullptr,
                         BasicDataPages::looksUpByName(index));
}

CheckResult ClientFieldChecks::checkParentYear(int index)
{
    const ParentAge age = ParentAge::of(m_pages.field(4)->text(), m_pages.field(index)->text());
    switch (age.kind) {
    case ParentAge::NotComputed:
        return CheckResult::Accepted;
    case ParentAge::Computed:
        m_pages.field(index + 1)->setText(QString::number(age.age));
        return CheckResult::Accepted;
    case ParentAge::Illogical:
        break;
    }
    tell(index == 21 ? motherDatesMessage() : fatherDatesMessage(), FieldMessages::errorTitle(),
         PromptIcon::Exclamation);
    // The year stays as typed; its leave checks nothing again, and the
    // client's birth date is the one to look at.
    m_pages.field(index)->setTag(QStringLiteral("BK"));
    m_editor.sendFocusTo(4);
    return CheckResult::Accepted;
}

DisabilityEntry *ClientFieldChecks::disability(int index) const
{
    const auto person = index < 20 ? BasicDataPages::Client
                                   : (index < 35 ? BasicDataPages::Mother : BasicDataPages::Father);
    return m_pages.disabilityPanel(person)->entry();
}

CheckResult ClientFieldChecks::checkField(int index, bool onKeyDown)
{
    switch (index) {
    case 0:
    case 1:
    case 12:
    case 15:
    case 16:
    case 24:
    case 30:
    case 39:
    case 45:
    case 53:
        capitaliseFirst(index);
        return CheckResult::Accepted;
    case 20:
    case 35:
    case 50:
        capitaliseTwoWords(index);
        return CheckResult::Accepted;
    case 2:
    case 13:
    case 25:
    case 40:
    case 52:
        // A town: capitalised, then looked up by name.
        capitaliseFirst(index);
        return checkCodeField(index);
    case 3:
        return checkBirthNumber(m_pages.field(3), m_pages.field(5), m_pages.field(4));
    case 4:
    case 17:
        return checkDate(m_pages.field(index));
    case 5:
        return checkSex(m_pages.field(5));
    case 6:
        // A number that another client has keeps the focus in the field.
        return m_catalogue && m_catalogue(m_pages.field(6)) ? CheckResult::Retry : CheckResult::Accepted;
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
        return checkCodeField(index);
    case 18:
    case 33:
    case 48:
        return disability(index)->enterDominantCode();
    case 19:
    case 34:
    case 49:
        return disability(index)->enterAssociatedCode();
    case 21:
    case 36:
        return checkParentYear(index);
    case 22:
    case 37:
        // An age left empty holds 0 (it shows empty again while edited).
        if (!onKeyDown && m_pages.field(index)->text().isEmpty())
            m_pages.field(index)->setText(QStringLiteral("0"));
        return CheckResult::Accepted;
    default:
        return CheckResult::Accepted;
    }
}

} // namespace ulk
