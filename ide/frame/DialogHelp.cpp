#include "frame/DialogHelp.h"

#include <utility>

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace quorvel {

namespace {

// Sits on the dialog and sees the keys its controls leave unhandled, which
// travel up to the dialog: F1 is one of them.
class DialogHelpFilter : public QObject {
public:
    explicit DialogHelpFilter(QWidget& dialog) : QObject(&dialog) { dialog.installEventFilter(this); }

    int Topic = -1;
    ShowHelp Show;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        if (!key || Topic < 0 || !Show || !IsHelpKey(*static_cast<QKeyEvent*>(event)))
            return QObject::eventFilter(watched, event);
        // F1 is the dialog's, whatever else in the program has it as its shortcut.
        event->accept();
        if (event->type() == QEvent::KeyPress) Show(Topic);
        return true;
    }

private:
    static bool IsHelpKey(const QKeyEvent& event) {
        return event.key() == Qt::Key_F1 && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    }
};

DialogHelpFilter* FindFilter(const QWidget& dialog) {
    for (QObject* child : dialog.children())
        if (auto* filter = dynamic_cast<DialogHelpFilter*>(child)) return filter;
    return nullptr;
}

DialogHelpFilter& Filter(QWidget& dialog) {
    DialogHelpFilter* filter = FindFilter(dialog);
    return filter ? *filter : *new DialogHelpFilter(dialog);
}

} // namespace

void SetDialogHelpTopic(QWidget& dialog, int topic) {
    Filter(dialog).Topic = topic;
}

void SetDialogHelpHook(QWidget& dialog, ShowHelp show) {
    Filter(dialog).Show = std::move(show);
}

int DialogHelpTopic(const QWidget& dialog) {
    const DialogHelpFilter* filter = FindFilter(dialog);
    return filter ? filter->Topic : -1;
}

} // namespace quorvel
