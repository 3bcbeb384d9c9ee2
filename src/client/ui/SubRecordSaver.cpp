#include "client/ui/SubRecordSaver.h"

#include "client/subrecords/SubRecordRules.h"
#include "client/subrecords/SubRecordWrite.h"
#include "client/ui/SiblingFields.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordTab.h"
#include "client/ui/SubRecordTabs.h"
#include "common/FieldMessages.h"
#include "common/Prompter.h"
#include "common/SharedState.h"
#include "common/ui/FieldEdit.h"

#include <QPlainTextEdit>

namespace ulk {

namespace {
void tellError(const QString &text) { tell(text, FieldMessages::errorTitle(), PromptIcon::Exclamation); }
} // namespace

static_assert(SubRecordSaver::noFocus == SubRecordWrite::noFocus);

SubRecordSaver::SubRecordSaver(SubRecordTab &tab) : m_tab(tab) {}

SubRecordSaver::Outcome SubRecordSaver::save()
{
    SubRecordPage &page = m_tab.page();
    SubRecordTabs &hub = m_tab.hub();
    SubRecordEntry entry;
    for (const SubRecordBoxDef &def : m_tab.family().boxes) {
        while (entry.boxes.size() <= def.index)
            entry.boxes.append(QString());
        entry.boxes[def.index] = page.box(def.index)->text();
    }
    if (QPlainTextEdit *text = page.longText())
        entry.longText = text->toPlainText();
    if (SiblingFields *sibling = m_tab.sibling())
        entry.siblingCodes = sibling->codeString();
    entry.clientKey = hub.clientKey();
    entry.facilityKind = hub.facilityKind();
    entry.pickedEmployee = hub.selectedEmployeeId();

    const SubRecordWrite::Outcome written = SubRecordWrite::save(m_tab.rows(), entry, hub.employees());
    if (!written.written) {
        tellError(written.message);
        return {false, written.focusBox};
    }
    if (written.added)
        m_tab.readRows(entry.clientKey);
    else
        m_tab.rereadRows(written.rowAfter);
    return {true, noFocus};
}

void SubRecordSaver::remove()
{
    SubRecordRows &rows = m_tab.rows();
    if (rows.atEnd())
        return;
    const int row = rows.current();
    const SubRecordTabs &hub = m_tab.hub();
    const QString prompt =
        SubRecordWrite::deletePrompt(rows, row, hub.facilities(), hub.clientMeno(), hub.clientPriezv());
    const QString title = SubRecordRules::deleteTitle(m_tab.family(), shared().recordCaption);
    if (ask(prompt, title, PromptIcon::None, PromptButtons::YesNo, 0) != PromptAnswer::Yes)
        return;
    QString error;
    if (!rows.remove(row, &error)) {
        tellError(SubRecordRules::deleteFailedMessage(error));
        return;
    }
    m_tab.rereadRows(0);
}

bool SubRecordSaver::checkDuplicateDate(FieldEdit *dateBox)
{
    if (!dateBox || !SubRecordWrite::duplicateDate(m_tab.rows(), dateBox->text()))
        return false;
    tellError(SubRecordRules::duplicateDateMessage(dateBox->text()));
    return true;
}

bool SubRecordSaver::checkDuplicateSibling(FieldEdit *nameBox)
{
    if (!nameBox || !SubRecordWrite::duplicateSibling(m_tab.rows(), nameBox->text()))
        return false;
    tellError(SubRecordRules::duplicateSiblingMessage(nameBox->text()));
    return true;
}

} // namespace ulk
