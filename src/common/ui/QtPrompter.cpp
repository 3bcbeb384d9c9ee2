#include "common/ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace ulk {

namespace {
QMessageBox::StandardButton toQt(PromptAnswer a)
{
    switch (a) {
    case PromptAnswer::Ok: return QMessageBox::Ok;
    case PromptAnswer::Cancel: return QMessageBox::Cancel;
    case PromptAnswer::Abort: return QMessageBox::Abort;
    case PromptAnswer::Retry: return QMessageBox::Retry;
    case PromptAnswer::Ignore: return QMessageBox::Ignore;
    case PromptAnswer::Yes: return QMessageBox::Yes;
    case PromptAnswer::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}
} // namespace

PromptAnswer QtPrompter::message(const MessageRequest &r)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(titleOr(r.title));
    box.setText(r.text);
    switch (r.icon) {
    case PromptIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case PromptIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case PromptIcon::Question: box.setIcon(QMessageBox::Question); break;
    case PromptIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case PromptIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    const QList<PromptAnswer> answers = buttonsOf(r.buttons);
    QMessageBox::StandardButtons buttons;
    for (PromptAnswer a : answers)
        buttons |= toQt(a);
    box.setStandardButtons(buttons);
    box.setDefaultButton(toQt(answers.value(r.defaultButton, answers.first())));
    if (answers.contains(PromptAnswer::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (answers.contains(PromptAnswer::Ignore))
        box.setEscapeButton(QMessageBox::Ignore); // Esc never clears a field
    else if (answers.contains(PromptAnswer::No))
        box.setEscapeButton(QMessageBox::No);
    const int pressed = box.exec();
    for (PromptAnswer a : answers)
        if (toQt(a) == pressed)
            return a;
    return answers.contains(PromptAnswer::Cancel) ? PromptAnswer::Cancel : answers.last();
}

std::optional<QString> QtPrompter::input(const QString &prompt, const QString &title,
                                         const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), titleOr(title), prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtPrompter::saveFile(const FileRequest &r)
{
    QFileDialog dialog(QApplication::activeWindow(), titleOr(r.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(r.filters);
    if (r.filterIndex >= 0 && r.filterIndex < r.filters.size())
        dialog.selectNameFilter(r.filters.at(r.filterIndex));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.confirmOverwrite);
    dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtPrompter::openFile(const FileRequest &r)
{
    QFileDialog dialog(QApplication::activeWindow(), titleOr(r.title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(r.filters);
    if (r.filterIndex >= 0 && r.filterIndex < r.filters.size())
        dialog.selectNameFilter(r.filters.at(r.filterIndex));
    dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace ulk
