// The nine register windows join the main window: each is registered with
// its View menu item, form name, placement prefix and designed placement,
// and reaches the frame through one RegisterHost owned by the frame. F1 on
// an item of the shared view pop-up opens the item's help topic.
//
//     void frmMain::CreateViews() { InstallRegisterViews(*this); }
#pragma once

namespace quorvel {

class frmMain;

void InstallRegisterViews(frmMain& frame);

} // namespace quorvel
