#include "common/Prompter.h"

namespace ulk {

namespace {
class NullPrompter final : public Prompter {
public:
    PromptAnswer message(const MessageRequest &r) override
    {
        const auto b = buttonsOf(r.buttons);
        return b.value(r.defaultButton, b.first());
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest &) override { return std::nullopt; }
    std::optional<QString> openFile(const FileRequest &) override { return std::nullopt; }
};
NullPrompter nullPrompter;
Prompter *current = &nullPrompter;
} // namespace

Prompter &prompter() { return *current; }

void setPrompter(Prompter *p) { current = p ? p : &nullPrompter; }

QList<PromptAnswer> buttonsOf(PromptButtons set)
{
    using A = PromptAnswer;
    switch (set) {
    case PromptButtons::Ok: return {A::Ok};
    case PromptButtons::OkCancel: return {A::Ok, A::Cancel};
    case PromptButtons::AbortRetryIgnore: return {A::Abort, A::Retry, A::Ignore};
    case PromptButtons::YesNoCancel: return {A::Yes, A::No, A::Cancel};
    case PromptButtons::YesNo: return {A::Yes, A::No};
    case PromptButtons::RetryCancel: return {A::Retry, A::Cancel};
    }
    return {A::Ok};
}

PromptAnswer ask(const QString &text, const QString &title, PromptIcon icon,
                 PromptButtons buttons, int defaultButton)
{
    return prompter().message({text, title, icon, buttons, defaultButton});
}

void tell(const QString &text, const QString &title, PromptIcon icon)
{
    prompter().message({text, title, icon, PromptButtons::Ok, 0});
}

} // namespace ulk
