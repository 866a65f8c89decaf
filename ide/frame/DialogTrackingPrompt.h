// A prompt that passes every message box and dialog on to another prompt and
// knows while one is open. The main window keeps its auto-refresh timer off
// meanwhile: a view must not read the target behind a dialog about it.
//
//     DialogTrackingPrompt dialogs(prompt, [](bool open) { ... });
//     dialogs.ShowModal(dialog);   // open(true) before, open(false) after the last one closes
#pragma once

#include <functional>
#include <type_traits>

#include "frame/Prompt.h"

namespace quorvel {

class DialogTrackingPrompt : public Prompt {
public:
    DialogTrackingPrompt(Prompt& inner, std::function<void(bool open)> changed)
        : inner_(inner), changed_(std::move(changed)) {}

    bool DialogOpen() const { return depth_ > 0; }

    PromptAnswer Message(const QString& title, const QString& text, PromptIcon icon,
                         PromptButtons buttons = PromptButtons::OK) override {
        return Track([&] { return inner_.Message(title, text, icon, buttons); });
    }
    FileAnswer OpenFile(const FileRequest& request) override {
        return Track([&] { return inner_.OpenFile(request); });
    }
    FileAnswer SaveFile(const FileRequest& request) override {
        return Track([&] { return inner_.SaveFile(request); });
    }
    bool ChooseFont(const QString& title, FontSetting& font, bool fixedPitchOnly) override {
        return Track([&] { return inner_.ChooseFont(title, font, fixedPitchOnly); });
    }
    bool PrintDialog(QPrinter& printer, PrintMode mode) override {
        return Track([&] { return inner_.PrintDialog(printer, mode); });
    }
    int ShowModal(QDialog& dialog) override {
        return Track([&] { return inner_.ShowModal(dialog); });
    }

private:
    template <typename Show>
    std::invoke_result_t<Show> Track(Show show) {
        if (depth_++ == 0 && changed_) changed_(true);
        struct Closing {
            DialogTrackingPrompt& self;
            ~Closing() {
                if (--self.depth_ == 0 && self.changed_) self.changed_(false);
            }
        } closing{*this};
        return show();
    }

    Prompt& inner_;
    std::function<void(bool open)> changed_;
    int depth_ = 0;
};

} // namespace quorvel
