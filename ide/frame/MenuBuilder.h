// The menus of the main window as data: the menu bar, its submenu and the
// pop-up menus that the views show. Every menu and item carries its name as
// objectName (mnuFileNew, mnuViewRegBlock, mnuPopupMemory, ...); separators
// are named after their menu, mnuFileBar1, mnuFileBar2, ...
#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QWidget;

namespace quorvel {

struct MenuEntry {
    enum Kind { BeginMenu, EndMenu, Item, Separator };
    Kind What;
    const char* Name;     // objectName; empty for separators (named by position)
    const char* Caption;  // with its & mnemonic
    const char* Shortcut; // portable key text, or empty
    bool Checkable;
};

// The menu bar, top to bottom and left to right.
const QList<MenuEntry>& MainMenuEntries();
// The pop-up menus, each a BeginMenu ... EndMenu run.
const QList<MenuEntry>& PopupMenuEntries();

// What BuildMenus made, by objectName.
struct BuiltMenus {
    QHash<QString, QAction*> Actions; // items and separators
    QHash<QString, QMenu*> Menus;     // menus, the submenu and the pop-ups
    QList<QMenu*> Popups;
};

// Fills the menu bar and makes the pop-up menus; actions and pop-ups belong to `owner`.
BuiltMenus BuildMenus(QMenuBar* bar, QWidget* owner);

} // namespace quorvel
