// Help topics of pop-up menu items: an item carries its topic number, and F1
// pressed while the item is highlighted opens that topic.
//
//     SetHelpTopic(frame.Command("mnuPopupViewHex"), 96);
//     InstallMenuHelp(frame.Menu("mnuPopupView"), [&frame](int topic) { frame.ShowHelpTopic(topic); });
#pragma once

#include <functional>

class QAction;
class QMenu;

namespace quorvel {

void SetHelpTopic(QAction* action, int topic);
// The item's topic; 0 when it has none.
int HelpTopicOf(const QAction* action);

// F1 on an item of `menu` that has a topic closes the menu and calls `show` with the topic.
void InstallMenuHelp(QMenu* menu, std::function<void(int topic)> show);

} // namespace quorvel
