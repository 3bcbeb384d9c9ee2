#include "common/ui/FieldProcedures.h"

#include "common/FieldRules.h"
#include "common/Prompter.h"
#include "common/ui/CodePicker.h"
#include "common/ui/FieldEdit.h"
#include "data/CodeList.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace ulk {

using namespace FieldMessages;

namespace {

// Retry/Cancel with Cancel as the default: Retry keeps the text for the
// correction, Cancel empties the field.
CheckResult retryOrClear(FieldEdit *field, const QString &text)
{
    if (ask(text, errorTitle(), PromptIcon::Exclamation, PromptButtons::RetryCancel, 1) == PromptAnswer::Retry)
        return CheckResult::Retry;
    field->setText(QString());
    return CheckResult::Accepted;
}

} // namespace

bool confirmFix(const QString &message)
{
    const bool yes = ask(message + QStringLiteral(" Opraviť ?"), fixTitle(), PromptIcon::Critical,
                         PromptButtons::YesNo, 0)
        == PromptAnswer::Yes;
    // The question may have interrupted a mouse press: leave no button held.
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    return yes;
}

bool enterAsTab(QWidget *field, int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (field) {
        // The same as the user pressing Tab in the field.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(field, &tab);
    }
    return true;
}

CheckResult checkSex(FieldEdit *sexField)
{
    if (!sexField || !sexField->dataChanged())
        return CheckResult::Accepted;
    const FieldRules::Sex sex = FieldRules::normaliseSex(sexField->text());
    switch (sex.kind) {
    case FieldRules::Sex::Ok:
        sexField->setText(sex.letter);
        return CheckResult::Accepted;
    case FieldRules::Sex::Empty:
        sexField->setText(QString());
        return CheckResult::Accepted;
    case FieldRules::Sex::Bad:
        break;
    }
    return retryOrClear(sexField, sexMessage());
}

CheckResult checkDisability(FieldEdit *codeField, bool duplicateTest, const QString &person,
                            const QStringList &codeSlots)
{
    Q_UNUSED(person);
    if (!codeField || !codeField->dataChanged())
        return CheckResult::Accepted;
    switch (FieldRules::checkDisabilityCode(codeField->text(), duplicateTest, codeSlots)) {
    case FieldRules::DisabilityVerdict::Accepted:
        return CheckResult::Accepted;
    case FieldRules::DisabilityVerdict::Skipped:
        return CheckResult::Skipped;
    case FieldRules::DisabilityVerdict::Duplicate:
        break;
    }
    return retryOrClear(codeField, disabilityMessage());
}

CheckResult checkBirthNumber(FieldEdit *number, FieldEdit *sex, FieldEdit *birthDate)
{
    if (!number || number->text().isEmpty() || !number->dataChanged())
        return CheckResult::Accepted;
    const FieldRules::BirthNumber bn = FieldRules::parseBirthNumber(number->text());
    if (!bn.valid) {
        switch (ask(birthNumberMessage(), errorTitle(), PromptIcon::Exclamation,
                    PromptButtons::AbortRetryIgnore, 0)) {
        case PromptAnswer::Retry:
            return CheckResult::Retry;
        case PromptAnswer::Abort:
            number->setText(QString());
            return CheckResult::Accepted;
        default: // Ignore: the number stays unchecked, nothing is derived
            return CheckResult::Accepted;
        }
    }
    if (sex)
        sex->setText(bn.sex);
    if (birthDate && birthDate->text().isEmpty())
        birthDate->setText(bn.birthDate);
    return CheckResult::Accepted;
}

CheckResult checkDate(FieldEdit *date)
{
    if (!date)
        return CheckResult::Accepted;
    const FieldRules::TypedDate d = FieldRules::normaliseDate(date->text());
    if (date->text() != d.stripped)
        date->setText(d.stripped);
    QString message;
    switch (d.kind) {
    case FieldRules::TypedDate::Empty:
        return CheckResult::Accepted;
    case FieldRules::TypedDate::Ok:
        date->setText(d.text);
        return CheckResult::Accepted;
    case FieldRules::TypedDate::Bad:
        message = dateMessage();
        break;
    case FieldRules::TypedDate::Nonexistent:
        message = nonexistentDateMessage();
        break;
    }
    if (ask(message, errorTitle(), PromptIcon::Exclamation, PromptButtons::RetryCancel, 0) == PromptAnswer::Retry)
        return CheckResult::Retry;
    date->setText(QString());
    return CheckResult::Accepted;
}

CheckResult checkCodeList(CodePicker *picker, FieldEdit *field, CodeList *list, bool byName,
                          Qt::CaseSensitivity codeCase)
{
    if (!field || !field->isEnabled())
        return CheckResult::Skipped;
    if (!list && picker)
        list = picker->codeList();
    const int picked = picker ? picker->pickedRow() : -1;
    if (field->text().isEmpty() && picked < 0)
        return CheckResult::Accepted;

    if (picked >= 0) {
        if (picker->escPressed()) {
            picker->setEscPressed(false);
            return CheckResult::Skipped;
        }
        if (!list)
            return CheckResult::Skipped;
        list->setCurrent(picked);
        picker->writePick(picked, byName ? list->name(picked) : list->code(picked));
        return CheckResult::Accepted;
    }

    if (!list)
        return CheckResult::Skipped;
    if (!byName) {
        const QString key = field->text().trimmed();
        const int row = list->findCode(key, codeCase);
        if (row >= 0) {
            list->setCurrent(row);
            // Found regardless of letter case: the field holds the code as listed.
            if (field->text() != list->code(row).trimmed() && key.compare(list->code(row).trimmed(), Qt::CaseSensitive) != 0)
                field->setText(list->code(row).trimmed());
            return CheckResult::Accepted;
        }
        return retryOrClear(field, codeNotFound(key));
    }

    const QString key = field->text().left(30).trimmed();
    const int row = list->findName(key, codeCase);
    if (row >= 0) {
        list->setCurrent(row);
        // A name typed in other letter case is written as the code list has it.
        if (key.compare(list->name(row), Qt::CaseSensitive) != 0)
            field->setText(list->name(row));
        return CheckResult::Accepted;
    }
    switch (ask(nameNotFound(field->text().trimmed()), errorTitle(), PromptIcon::Exclamation,
                PromptButtons::AbortRetryIgnore, 1)) {
    case PromptAnswer::Retry:
        return CheckResult::Retry;
    case PromptAnswer::Abort:
        field->setText(QString());
        return CheckResult::Accepted;
    default: // Ignore: the text stays
        return CheckResult::Accepted;
    }
}

} // namespace ulk
