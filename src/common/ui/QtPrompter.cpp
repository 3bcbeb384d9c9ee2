#include "common/ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QStyle>

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

// The width a box needs to show its title whole in its title bar: the
// title in the bold type of title bars, the window's icon and its buttons.
int titleWidth(const QString &title)
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    constexpr int iconAndButtons = 120;
    return QFontMetrics(bold).horizontalAdvance(title) + iconAndButtons;
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

// A file chosen to be written that exists already is replaced only when
// the user says so; otherwise the dialog comes back.
std::optional<QString> chosenNewFile(QFileDialog &dialog, bool confirmOverwrite, const QString &title, Prompter &ask)
{
    for (;;) {
        std::optional<QString> chosen = chosenFile(dialog);
        if (!chosen || !confirmOverwrite || !QFileInfo::exists(*chosen))
            return chosen;
        MessageRequest question;
        question.text = QStringLiteral("Súbor %1 už existuje.\nChcete ho nahradiť?").arg(QFileInfo(*chosen).fileName());
        question.title = title;
        question.icon = PromptIcon::Exclamation;
        question.buttons = PromptButtons::YesNo;
        question.defaultButton = 1;
        if (ask.message(question) == PromptAnswer::Yes)
            return chosen;
    }
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
    // Room for the whole title: a row as wide as the title under the text.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth(box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
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
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(titleOr(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // The box is as wide as its title needs.
    if (auto *line = dialog.findChild<QLineEdit *>())
        line->setMinimumWidth(titleWidth(dialog.windowTitle()) - 2 * dialog.style()->pixelMetric(QStyle::PM_LayoutLeftMargin));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPrompter::saveFile(const FileRequest &r)
{
    QFileDialog dialog(QApplication::activeWindow(), titleOr(r.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own question would show the dialog's title cut short: the
    // program asks in a box of its own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    prepare(dialog, r);
    return chosenNewFile(dialog, r.confirmOverwrite, titleOr(r.title), *this);
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
