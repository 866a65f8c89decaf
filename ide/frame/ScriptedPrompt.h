// A prompt for tests: it records every message and dialog it is asked to show
// and answers from a queue instead of waiting for a user.
//
//     ScriptedPrompt prompt;
//     prompt.AnswerMessage(PromptAnswer::No);                  // the next question
//     prompt.AnswerDialog([](QDialog& d) { d.accept(); });     // the next modal dialog
//     ... exercise the IDE ...
//     EXPECT_EQ(prompt.Shown().back().Text, "Invalid Number !");
//     EXPECT_TRUE(prompt.Problems().isEmpty());
//
// A message with only an OK button needs no queued answer. Anything else that
// finds no answer of its kind at the front of the queue is refused (Cancel,
// No, not accepted) and noted in Problems().
#pragma once

#include <deque>
#include <functional>
#include <variant>
#include <vector>

#include <QStringList>

#include "frame/Prompt.h"

namespace quorvel {

class ScriptedPrompt : public Prompt {
public:
    enum class Kind { Message, OpenFile, SaveFile, Font, Print, Dialog };

    // One thing the IDE showed.
    struct ShownItem {
        Kind What = Kind::Message;
        QString Title;
        QString Text;
        PromptIcon Icon = PromptIcon::None;
        PromptButtons Buttons = PromptButtons::OK;
        FileRequest File;
        FontSetting Font;
        bool FixedPitchOnly = false;
        PrintMode Mode = PrintMode::Print;
        QString DialogName; // objectName of a modal dialog
    };

    using DialogScript = std::function<void(QDialog&)>;

    void AnswerMessage(PromptAnswer answer);
    // filterIndex 0 answers with the index the dialog was opened with.
    void AnswerFile(const QString& fileName, int filterIndex = 0);
    void CancelFile();
    void AnswerFont(const FontSetting& font);
    void CancelFont();
    void AnswerPrint(bool accepted);
    // The script works the dialog (fills fields, clicks OK or Cancel); the
    // dialog's result after it is the answer. A dialog left open is rejected.
    void AnswerDialog(DialogScript script);

    const std::vector<ShownItem>& Shown() const { return shown_; }
    QList<QString> Messages() const; // the texts of all messages, in order
    const QStringList& Problems() const { return problems_; }
    std::size_t Pending() const { return queue_.size(); }
    void Clear();

    PromptAnswer Message(const QString& title, const QString& text, PromptIcon icon,
                         PromptButtons buttons = PromptButtons::OK) override;
    FileAnswer OpenFile(const FileRequest& request) override;
    FileAnswer SaveFile(const FileRequest& request) override;
    bool ChooseFont(const QString& title, FontSetting& font, bool fixedPitchOnly) override;
    bool PrintDialog(QPrinter& printer, PrintMode mode) override;
    int ShowModal(QDialog& dialog) override;

private:
    struct FileReply {
        bool Accepted;
        QString FileName;
        int FilterIndex;
    };
    struct FontReply {
        bool Accepted;
        FontSetting Font;
    };
    struct PrintReply {
        bool Accepted;
    };
    using Reply = std::variant<PromptAnswer, FileReply, FontReply, PrintReply, DialogScript>;

    template <typename T>
    bool Take(T& reply, const QString& what);
    FileAnswer File(Kind kind, const FileRequest& request);

    std::deque<Reply> queue_;
    std::vector<ShownItem> shown_;
    QStringList problems_;
};

} // namespace quorvel
