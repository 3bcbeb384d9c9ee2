#include "client/ui/SubRecordChecks.h"

#include "client/BasicDataFields.h"
#include "client/subrecords/SubRecordRules.h"
#include "client/ui/SiblingFields.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordSaver.h"
#include "client/ui/SubRecordTab.h"
#include "client/ui/SubRecordTabs.h"
#include "common/ui/CodePicker.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FieldProcedures.h"

namespace ulk {

SubRecordChecks::SubRecordChecks(SubRecordTab &tab) : m_tab(tab) {}

void SubRecordChecks::capitals(int index)
{
    FieldEdit *box = m_tab.page().box(index);
    const QString t = BasicDataFields::capitaliseTwoWords(box->text());
    if (t != box->text())
        box->setText(t);
}

void SubRecordChecks::firstCapital(int index)
{
    FieldEdit *box = m_tab.page().box(index);
    const QString t = BasicDataFields::capitaliseFirst(box->text());
    if (t != box->text())
        box->setText(t);
}

CheckResult SubRecordChecks::check(int index, bool onKeyDown)
{
    SubRecordPage &page = m_tab.page();
    FieldEdit *box = page.box(index);
    switch (SubRecordFamilies::box(m_tab.family(), index).check) {
    case SubRecordCheck::None:
        return CheckResult::Accepted;
    case SubRecordCheck::Date:
        return checkDate(box);
    case SubRecordCheck::UniqueDate:
        if (retry(checkDate(box)))
            return CheckResult::Retry;
        return m_tab.saver().checkDuplicateDate(box) ? CheckResult::Retry : CheckResult::Accepted;
    case SubRecordCheck::EmployeeKey:
        capitals(index);
        return checkCodeList(page.codePicker(), box, &m_tab.hub().employees(), false);
    case SubRecordCheck::Hour: {
        const QString cut = SubRecordRules::hour(box->text());
        if (cut != box->text())
            box->setText(cut);
        return CheckResult::Accepted;
    }
    case SubRecordCheck::FacilityCode:
        return checkCodeList(page.codePicker(), box, &m_tab.hub().facilities(), false);
    case SubRecordCheck::FirstCapital:
        if (onKeyDown)
            firstCapital(index);
        return CheckResult::Accepted;
    case SubRecordCheck::SiblingName:
        capitals(index);
        return m_tab.saver().checkDuplicateSibling(box) ? CheckResult::Retry : CheckResult::Accepted;
    case SubRecordCheck::SiblingYear:
        if (!onKeyDown && box->text().isEmpty())
            box->setText(QStringLiteral("0"));
        return CheckResult::Accepted;
    case SubRecordCheck::Sex:
        return checkSex(box);
    case SubRecordCheck::DominantCode:
        return m_tab.sibling() ? m_tab.sibling()->enterDominantCode() : CheckResult::Accepted;
    case SubRecordCheck::AssociatedCode:
        return m_tab.sibling() ? m_tab.sibling()->enterAssociatedCode() : CheckResult::Accepted;
    }
    return CheckResult::Accepted;
}

} // namespace ulk
