// What a register window needs from around it: the target, the prompt, the
// main window's auto-refresh timer, its Refresh after a write and its shared
// view pop-up. The main window implements it (RegisterViews.cpp); the
// windows reach nothing else of the frame.
#pragma once

#include <QString>

class QAction;
class QMenu;
class QTimer;

namespace quorvel {

class Prompt;
class TargetAccess;
struct TargetState;

class RegisterHost {
public:
    virtual ~RegisterHost() = default;

    virtual TargetState& State() = 0;
    virtual TargetAccess& Target() = 0;
    virtual Prompt& Prompts() = 0;
    // tmrRefresh: while it runs, the frame calls mnuRefresh of the active child window.
    virtual QTimer* RefreshTimer() = 0;
    // Starts it unless a dialog, a pop-up menu or a run is in the way (then
    // later, once the last dialog has closed); stops it.
    virtual void StartRefreshTimer() = 0;
    virtual void StopRefreshTimer() = 0;
    // The main window's Refresh: every open view reads the target again.
    virtual void Refresh() = 0;
    // Opens a topic of the help (F1 in the value-entry dialog).
    virtual void ShowHelpTopic(int topic) = 0;
    // Gives the pop-up's items the register windows' help topics.
    virtual void SetRegistersHelp() = 0;
    // mnuPopupView and its items.
    virtual QMenu* PopupView() = 0;
    virtual QAction* Command(const QString& name) = 0;
    virtual void SetCommandEnabled(const QString& name, bool enabled) = 0;
};

} // namespace quorvel
