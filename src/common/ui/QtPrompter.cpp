#include "common/ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QSettings>

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

// A Qt file dialog of our own (never the desktop's), with the program's
// Slovak texts and without stored state.
void prepare(QFileDialog &dialog, const FileRequest &r)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(r.filters);
    if (r.filterIndex >= 0 && r.filterIndex < r.filters.size())
        dialog.selectNameFilter(r.filters.at(r.filterIndex));
    dialog.selectFile(r.fileName);
}

std::optional<QString> chosenFile(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}
} // namespace

QtPrompter::QtPrompter(QString programTitle) : m_programTitle(std::move(programTitle))
{
    // The program keeps no settings, yet a Qt file dialog (also the one behind
    // the print dialog's file button) stores its last folder, side bar and view
    // in the user's "QtProject" settings when it closes. Those settings are
    // pointed below /dev/null, where no file can be made: a file dialog reads
    // none and writes nothing.
    const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

QString QtPrompter::titleOr(const QString &title) const
{
    if (!title.isEmpty())
        return title;
    return m_programTitle.isEmpty() ? QApplication::applicationName() : m_programTitle;
}

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
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.confirmOverwrite);
    prepare(dialog, r);
    return chosenFile(dialog);
}

std::optional<QString> QtPrompter::openFile(const FileRequest &r)
{
    QFileDialog dialog(QApplication::activeWindow(), titleOr(r.title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    prepare(dialog, r);
    return chosenFile(dialog);
}

} // namespace ulk
