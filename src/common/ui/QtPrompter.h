#pragma once
#include "common/Prompter.h"

// The program's prompter: Qt message boxes, input boxes and file dialogs.
namespace ulk {

class QtPrompter : public Prompter {
public:
    // A box with no title of its own shows programTitle.
    explicit QtPrompter(QString programTitle = QString());
    PromptAnswer message(const MessageRequest &request) override;
    std::optional<QString> input(const QString &prompt, const QString &title,
                                 const QString &defaultText) override;
    std::optional<QString> saveFile(const FileRequest &request) override;
    std::optional<QString> openFile(const FileRequest &request) override;

private:
    QString titleOr(const QString &title) const;

    QString m_programTitle;
};

} // namespace ulk
