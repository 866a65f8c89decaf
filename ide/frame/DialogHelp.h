// F1 in the IDE's dialogs. Each dialog carries its help topic; F1 pressed in
// it, whichever of its controls has the focus, opens that topic through the
// hook the dialog's creator hands over (the main window's ShowHelpTopic).
// Topic 0 stands for the help contents.
//
//     frmMemAdr dialog(prompt, this);   // the dialog gives itself its topic
//     SetDialogHelpHook(dialog, [&frame](int topic) { frame.ShowHelpTopic(topic); });
//     prompt.ShowModal(dialog);         // F1 now shows the topic
#pragma once

#include <functional>

class QWidget;

namespace quorvel {

using ShowHelp = std::function<void(int topic)>;

// The topic F1 opens in `dialog`; a later call replaces it.
void SetDialogHelpTopic(QWidget& dialog, int topic);
// What F1 calls with the topic; without a hook F1 is left to the dialog.
void SetDialogHelpHook(QWidget& dialog, ShowHelp show);
// The dialog's topic; -1 when it has none.
int DialogHelpTopic(const QWidget& dialog);

} // namespace quorvel
