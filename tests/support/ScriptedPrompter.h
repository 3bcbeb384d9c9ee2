#pragma once
#include "common/Prompter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// A prompter for tests: records every prompt and answers from a queue.
// A prompt with no scripted answer is recorded as unexpected and answered
// with the default button (or Cancel for input and file dialogs).
namespace ulk::test {

struct Prompt {
    enum Kind { Message, Input, SaveFile, OpenFile } kind = Message;
    QString text;       // message text or input prompt
    QString title;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    int defaultButton = 0;
    QString defaultText; // input default, offered file name
    QStringList filters;
    int filterIndex = 0;
    bool confirmOverwrite = false; // file dialogs
    bool mustExist = false;
};

class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    // Queue answers, consumed in order by the kind of prompt they fit.
    ScriptedPrompter &answer(PromptAnswer a);
    // The answer of a table row that expects one message box, or none when
    // the row gives Ok (its way of saying that no box comes).
    ScriptedPrompter &answerUnlessOk(PromptAnswer a);
    ScriptedPrompter &type(const QString &text);      // input box: OK with this text
    ScriptedPrompter &cancelInput();                   // input box: Cancel
    ScriptedPrompter &chooseFile(const QString &path); // file dialog
    ScriptedPrompter &cancelFile();
    // Runs when the next message box is shown, before it is answered.
    ScriptedPrompter &onMessage(std::function<void(const Prompt &)> hook);

    PromptAnswer message(const MessageRequest &request) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText) override;
    std::optional<QString> saveFile(const FileRequest &request) override;
    std::optional<QString> openFile(const FileRequest &request) override;

    QList<Prompt> prompts;      // every prompt seen, in order
    QStringList unexpected;     // prompts that had no scripted answer
    QStringList texts() const;  // the texts of all prompts
    int pending() const { return int(m_queue.size()); }
    void clear();

private:
    struct Answer {
        enum Kind { Button, Text, File } kind;
        PromptAnswer button = PromptAnswer::Ok;
        std::optional<QString> text;
    };
    QList<Answer> m_queue;
    QList<std::function<void(const Prompt &)>> m_hooks;
    ScriptedPrompter &queue(Answer answer);
    std::optional<Answer> take(Answer::Kind kind, const QString &what);
    // A file dialog of either kind, recorded and answered.
    std::optional<QString> file(Prompt::Kind kind, const FileRequest &request, const QString &what);
};

} // namespace ulk::test
