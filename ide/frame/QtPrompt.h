// The prompt that shows Qt's message boxes and common dialogs, owned by the
// given window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "frame/Prompt.h"

namespace quorvel {

class QtPrompt : public Prompt {
public:
    explicit QtPrompt(QWidget* owner = nullptr) : owner_(owner) {}

    void SetOwner(QWidget* owner) { owner_ = owner; }

    PromptAnswer Message(const QString& title, const QString& text, PromptIcon icon,
                         PromptButtons buttons = PromptButtons::OK) override;
    FileAnswer OpenFile(const FileRequest& request) override;
    FileAnswer SaveFile(const FileRequest& request) override;
    bool ChooseFont(const QString& title, FontSetting& font, bool fixedPitchOnly) override;
    bool PrintDialog(QPrinter& printer, PrintMode mode) override;
    int ShowModal(QDialog& dialog) override;

private:
    FileAnswer FileDialog(const FileRequest& request, bool save);

    QPointer<QWidget> owner_;
};

} // namespace quorvel
