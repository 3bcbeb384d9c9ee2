#include "support/ScriptedPrompter.h"

namespace ulk::test {

ScriptedPrompter::ScriptedPrompter() { setPrompter(this); }

ScriptedPrompter::~ScriptedPrompter() { setPrompter(nullptr); }

ScriptedPrompter &ScriptedPrompter::queue(Answer answer)
{
    m_queue.append(std::move(answer));
    return *this;
}

ScriptedPrompter &ScriptedPrompter::answer(PromptAnswer a) { return queue({Answer::Button, a, std::nullopt}); }

ScriptedPrompter &ScriptedPrompter::answerUnlessOk(PromptAnswer a)
{
    return a == PromptAnswer::Ok ? *this : answer(a);
}

ScriptedPrompter &ScriptedPrompter::type(const QString &text) { return queue({Answer::Text, PromptAnswer::Ok, text}); }

ScriptedPrompter &ScriptedPrompter::cancelInput() { return queue({Answer::Text, PromptAnswer::Cancel, std::nullopt}); }

ScriptedPrompter &ScriptedPrompter::chooseFile(const QString &path) { return queue({Answer::File, PromptAnswer::Ok, path}); }

ScriptedPrompter &ScriptedPrompter::cancelFile() { return queue({Answer::File, PromptAnswer::Cancel, std::nullopt}); }

ScriptedPrompter &ScriptedPrompter::onMessage(std::function<void(const Prompt &)> hook)
{
    m_hooks.append(std::move(hook));
    return *this;
}

std::optional<ScriptedPrompter::Answer> ScriptedPrompter::take(Answer::Kind kind, const QString &what)
{
    if (!m_queue.isEmpty() && m_queue.first().kind == kind)
        return m_queue.takeFirst();
    unexpected << what;
    return std::nullopt;
}

PromptAnswer ScriptedPrompter::message(const MessageRequest &r)
{
    Prompt p;
    p.kind = Prompt::Message;
    p.text = r.text;
    p.title = r.title;
    p.icon = r.icon;
    p.buttons = r.buttons;
    p.defaultButton = r.defaultButton;
    prompts << p;
    if (!m_hooks.isEmpty())
        m_hooks.takeFirst()(p);
    const QList<PromptAnswer> allowed = buttonsOf(r.buttons);
    if (auto a = take(Answer::Button, QStringLiteral("message: ") + r.text)) {
        if (!allowed.contains(a->button))
            unexpected << QStringLiteral("scripted answer not among the buttons of: ") + r.text;
        return a->button;
    }
    return allowed.value(r.defaultButton, allowed.first());
}

std::optional<QString> ScriptedPrompter::input(const QString &prompt, const QString &title,
                                               const QString &defaultText)
{
    Prompt p;
    p.kind = Prompt::Input;
    p.text = prompt;
    p.title = title;
    p.defaultText = defaultText;
    prompts << p;
    if (auto a = take(Answer::Text, QStringLiteral("input: ") + prompt))
        return a->text;
    return std::nullopt;
}

std::optional<QString> ScriptedPrompter::saveFile(const FileRequest &r)
{
    return file(Prompt::SaveFile, r, QStringLiteral("save file: "));
}

std::optional<QString> ScriptedPrompter::openFile(const FileRequest &r)
{
    return file(Prompt::OpenFile, r, QStringLiteral("open file: "));
}

std::optional<QString> ScriptedPrompter::file(Prompt::Kind kind, const FileRequest &r, const QString &what)
{
    Prompt p;
    p.kind = kind;
    p.title = r.title;
    p.defaultText = r.fileName;
    p.filters = r.filters;
    p.filterIndex = r.filterIndex;
    p.confirmOverwrite = r.confirmOverwrite;
    p.mustExist = r.mustExist;
    prompts << p;
    if (auto a = take(Answer::File, what + r.title))
        return a->text;
    return std::nullopt;
}

QStringList ScriptedPrompter::texts() const
{
    QStringList t;
    for (const Prompt &p : prompts)
        t << (p.kind == Prompt::Message || p.kind == Prompt::Input ? p.text : p.title);
    return t;
}

void ScriptedPrompter::clear()
{
    prompts.clear();
    unexpected.clear();
    m_queue.clear();
    m_hooks.clear();
}

} // namespace ulk::test
