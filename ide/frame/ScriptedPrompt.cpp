#include "frame/ScriptedPrompt.h"

#include <QDialog>

namespace quorvel {

namespace {

PromptAnswer RefusalOf(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::OK: return PromptAnswer::OK;
    case PromptButtons::YesNo: return PromptAnswer::No;
    case PromptButtons::AbortRetryIgnore: return PromptAnswer::Abort;
    default: return PromptAnswer::Cancel;
    }
}

} // namespace

void ScriptedPrompt::AnswerMessage(PromptAnswer answer) {
    queue_.emplace_back(answer);
}

void ScriptedPrompt::AnswerFile(const QString& fileName, int filterIndex) {
    queue_.emplace_back(FileReply{true, fileName, filterIndex});
}

void ScriptedPrompt::CancelFile() {
    queue_.emplace_back(FileReply{false, QString(), 0});
}

void ScriptedPrompt::AnswerFont(const FontSetting& font) {
    queue_.emplace_back(FontReply{true, font});
}

void ScriptedPrompt::CancelFont() {
    queue_.emplace_back(FontReply{false, FontSetting{}});
}

void ScriptedPrompt::AnswerPrint(bool accepted) {
    queue_.emplace_back(PrintReply{accepted});
}

void ScriptedPrompt::AnswerDialog(DialogScript script) {
    queue_.emplace_back(std::move(script));
}

QList<QString> ScriptedPrompt::Messages() const {
    QList<QString> texts;
    for (const auto& item : shown_)
        if (item.What == Kind::Message) texts.append(item.Text);
    return texts;
}

void ScriptedPrompt::Clear() {
    queue_.clear();
    shown_.clear();
    problems_.clear();
}

template <typename T>
bool ScriptedPrompt::Take(T& reply, const QString& what) {
    if (queue_.empty() || !std::holds_alternative<T>(queue_.front())) {
        problems_.append(QStringLiteral("no answer queued for ") + what);
        return false;
    }
    reply = std::get<T>(std::move(queue_.front()));
    queue_.pop_front();
    return true;
}

PromptAnswer ScriptedPrompt::Message(const QString& title, const QString& text, PromptIcon icon,
                                     PromptButtons buttons) {
    ShownItem item;
    item.What = Kind::Message;
    item.Title = title;
    item.Text = text;
    item.Icon = icon;
    item.Buttons = buttons;
    shown_.push_back(item);

    const bool queued = !queue_.empty() && std::holds_alternative<PromptAnswer>(queue_.front());
    if (buttons == PromptButtons::OK && !queued) return PromptAnswer::OK;
    PromptAnswer answer = RefusalOf(buttons);
    if (!Take(answer, QStringLiteral("message \"") + text + QLatin1Char('"'))) return RefusalOf(buttons);
    return answer;
}

FileAnswer ScriptedPrompt::File(Kind kind, const FileRequest& request) {
    ShownItem item;
    item.What = kind;
    item.Title = request.Title;
    item.File = request;
    shown_.push_back(item);

    FileAnswer answer;
    answer.FilterIndex = request.FilterIndex;
    FileReply reply{false, QString(), 0};
    if (!Take(reply, QStringLiteral("file dialog \"") + request.Title + QLatin1Char('"')) || !reply.Accepted)
        return answer;
    answer.Accepted = true;
    answer.FileName = reply.FileName;
    if (reply.FilterIndex > 0) answer.FilterIndex = reply.FilterIndex;
    return answer;
}

FileAnswer ScriptedPrompt::OpenFile(const FileRequest& request) {
    return File(Kind::OpenFile, request);
}

FileAnswer ScriptedPrompt::SaveFile(const FileRequest& request) {
    return File(Kind::SaveFile, request);
}

bool ScriptedPrompt::ChooseFont(const QString& title, FontSetting& font, bool fixedPitchOnly) {
    ShownItem item;
    item.What = Kind::Font;
    item.Title = title;
    item.Font = font;
    item.FixedPitchOnly = fixedPitchOnly;
    shown_.push_back(item);

    FontReply reply{false, FontSetting{}};
    if (!Take(reply, QStringLiteral("font dialog \"") + title + QLatin1Char('"')) || !reply.Accepted)
        return false;
    font = reply.Font;
    return true;
}

bool ScriptedPrompt::PrintDialog(QPrinter&, PrintMode mode) {
    ShownItem item;
    item.What = Kind::Print;
    item.Mode = mode;
    shown_.push_back(item);

    PrintReply reply{false};
    if (!Take(reply, QStringLiteral("print dialog"))) return false;
    return reply.Accepted;
}

int ScriptedPrompt::ShowModal(QDialog& dialog) {
    ShownItem item;
    item.What = Kind::Dialog;
    item.Title = dialog.windowTitle();
    item.DialogName = dialog.objectName();
    shown_.push_back(item);

    dialog.setResult(QDialog::Rejected);
    DialogScript script;
    if (!Take(script, QStringLiteral("dialog \"") + dialog.windowTitle() + QLatin1Char('"')))
        return QDialog::Rejected;
    if (script) script(dialog);
    return dialog.result();
}

} // namespace quorvel
