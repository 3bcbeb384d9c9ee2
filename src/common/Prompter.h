#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// Every message box, input box and file dialog of the program goes through
// one Prompter, so that the program shows Qt dialogs and the tests answer
// them from a script and check their exact texts.
namespace ulk {

enum class PromptIcon { None, Critical, Question, Exclamation, Information };

enum class PromptButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

enum class PromptAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

struct MessageRequest {
    QString text;
    QString title;                // empty: the program's title
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    int defaultButton = 0;        // 0-based index of the button Enter chooses
};

struct FileRequest {
    QString title;
    QString fileName;             // offered file name (may be a bare name)
    QStringList filters;          // "záloha (*.zip)" style entries
    int filterIndex = 0;          // 0-based
    bool confirmOverwrite = false;
    bool mustExist = false;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual PromptAnswer message(const MessageRequest &request) = 0;
    // The typed text, or nothing on Cancel.
    virtual std::optional<QString> input(const QString &prompt, const QString &title,
                                         const QString &defaultText) = 0;
    virtual std::optional<QString> saveFile(const FileRequest &request) = 0;
    virtual std::optional<QString> openFile(const FileRequest &request) = 0;
};

// The prompter in use; the program installs its Qt one, tests a scripted one.
Prompter &prompter();
void setPrompter(Prompter *p);

// The buttons of a set, in order, so that an index can be turned into an answer.
QList<PromptAnswer> buttonsOf(PromptButtons set);

// Shorthands used all over the program.
PromptAnswer ask(const QString &text, const QString &title, PromptIcon icon,
                 PromptButtons buttons, int defaultButton = 0);
void tell(const QString &text, const QString &title, PromptIcon icon);

} // namespace ulk
