// A frame on the simulator, shown, for the register windows: opening a
// window by its View item, the memory image behind it, and the mouse and
// keys on a window's list.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QPoint>
#include <QString>

#include "FrameHarness.h"
#include "views/frmEnterVal.h"
#include "views/frmRegisters.h"

namespace quorvel::test {

struct RegisterFrame {
    Harness h;

    explicit RegisterFrame(bool simulator = true);
    frmMain& f() { return *h.frame; }
    TargetState& State() { return f().Target(); }
    ImageTarget::Image& Memory() { return f().Simulator().TargetMemory(); }
    void Put(int32_t address, const std::vector<uint8_t>& bytes);

    // Opens the window of a View item (whatever the item's enabled state) and activates it.
    frmRegisters* Open(const QString& menuName);
    frmRegisters* Window(const QString& menuName);
    void Activate(const QString& menuName);

    // A point inside a row's value on the window's list viewport.
    static QPoint RowPoint(frmRegisters& window, int row);
    static int RowNamed(frmRegisters& window, const QString& name);
    void DoubleClick(frmRegisters& window, int row);
    void PressEnter(frmRegisters& window);
    // A right click on a row (-1: below the last row); the pop-up stays open until ClosePopup.
    void RightClick(frmRegisters& window, int row);
    void ClosePopup();
    bool ItemEnabled(const char* name) { return f().CommandEnabled(QLatin1String(name)); }
    bool ItemChecked(const char* name) { return f().Checked(QLatin1String(name)); }

    // Queues the value-entry dialog's answer: the text typed, then OK; the
    // dialog is cancelled when it is still open afterwards.
    void AnswerEntry(const QString& typed, QString* shownText = nullptr);
    void CancelEntry();
    // How many value-entry dialogs were shown.
    int EntriesShown() const;
};

} // namespace quorvel::test
