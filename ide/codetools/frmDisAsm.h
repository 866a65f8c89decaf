// frmDisAsm, the debugger's code view: up to 50 consecutive instructions of
// target memory from PageAddress, one per row, with the PC row in bold,
// breakpoint rows red, the selected row (the cursor) blue and a selected
// breakpoint row magenta. It owns the breakpoint commands, Set New PC, Go To
// PC Address, Go To Address and Refresh; the Debug and Run menus and run
// control call its public procedures (by name, through the frame).
//
//     auto* window = new frmDisAsm({state, target, run.Breakpoints(), symbols, prompt, host});
//     // the frame puts it into a child window; opening shows the PC line
//     window->mnuToggleBreakpoint();
//
// The rows are rendered from TargetState::ProgramPage, which the window
// loads (InProgram) whenever a scroll leaves the rendered rows; painting
// only draws the rendered texts, so a repaint never reads the target. The
// wheel and the vertical scroll bar (which spans $0000-$FFFF by address)
// scroll through the same steps as the Up, Down and page keys.
#pragma once

#include <cstdint>
#include <memory>

#include <QMetaObject>
#include <QWidget>

#include "codetools/DisAsmHost.h"
#include "codetools/DisAsmPage.h"
#include "codetools/DisAsmRowsView.h"
#include "codetools/Disassembler.h"
#include "codetools/WheelRows.h"

class QMdiSubWindow;
class QScrollBar;

namespace quorvel {

class AddressScrollBar;
class SubWindowActivation;

class frmDisAsm : public QWidget {
    Q_OBJECT
public:
    explicit frmDisAsm(const DisAsmLinks& links, QWidget* parent = nullptr);
    ~frmDisAsm() override;

    // ---- Window state ----
    int32_t PageAddress = 0; // address of the first rendered row
    int16_t CurRow = 0;      // the selected row, 1..50; 0: none
    int16_t VisibleRows = 0; // rows that fit into the window, at most 50
    DisAsmRows Lines;        // the rendered rows, index 0 = row 1
    bool Busy = false;       // a page load started by a scroll key is under way

    // Rows rendered by the last DisAsmPage (the page may hold fewer than 50).
    int RenderedRows() const { return rendered_; }
    // How many times the rows were rendered since the window opened.
    int RenderCount() const { return renders_; }
    // The row's colours as shown now (row 1..50).
    RowLook Look(int row) const;
    // The address of the selected row; -1 without one.
    int32_t CursorAddress() const;
    DisAsmRowsView* Rows() const { return rowsView_; }
    QScrollBar* HScroll() const { return hScroll_; }
    AddressScrollBar* VScroll() const { return vScroll_; }

    // The frame goes away: the window no longer reaches it.
    void Detach();

public slots:
    // ---- Procedures (called by name by the frame and run control) ----
    void ClearScreen();
    void ClearMarks();
    void DisAsmPage();
    void Menus();
    void mnuSetNewPC();
    void ReadProgramPC();
    void PageRedraw();
    void mnuClearAllBreakpoints();
    void mnuGoToAddress();
    void mnuGoToPCAddress();
    void mnuRefresh();
    void mnuToggleBreakpoint();
    void SetCurRow(int row);
    // Run To Cursor: run control plays until the PC reaches the selected row.
    void RunToCursor();
    // After a step (the main window's Refresh): redraws and shows the PC line.
    void RefreshPC();
    // At the end of Play: re-reads the page, redraws and shows the PC line.
    void UpdateDisassembly();

    // Activation and deactivation among the frame's child windows.
    void Form_Activate();
    void Form_Deactivate();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateWidgets();
    void ConnectWidgets();
    void Form_Resize();
    void HScroll_Change();
    // The window is its frame's active child window.
    bool IsActive() const;
    QMdiSubWindow* SubWindow() const;

    // ProgramPageAddress := address and InProgram; false when the target did not answer.
    bool LoadPage(int32_t address);
    // Reloads the window's page when something else loaded another one since.
    bool EnsureOwnPage();
    // The page the rendered rows come from.
    int32_t OwnPage() const;
    void ToggleBreakpoint(int row);
    void SetWindowCommandsEnabled(bool enabled);
    void ShowDebugPopup(QPoint globalPosition);
    void OnRowPressed(int row, Qt::MouseButton button);
    void OnRowDoubleClicked(int row);
    void OnRowMenu(int row, QPoint globalPosition);

    // Scroll keys.
    void KeyUp();
    void KeyDown();
    void KeyPageUp();
    void KeyPageDown();
    // The scroll keys, the wheel and the scroll bar work while a row is selected and no load runs.
    bool CanScroll() const;
    // The view moves `rows` instructions on (negative: back), the cursor stays on its row.
    void ScrollRows(int rows);
    // Loads and shows the page `rows` instructions back or on; false when the target did not answer.
    bool ScrollBack(int rows);
    bool ScrollOn(int rows);
    // The view's first row becomes `address` (the scroll bar's thumb was dropped there).
    void ShowPageAt(int32_t address);
    // The vertical scroll bar follows the rows shown.
    void SyncVScroll();

    DisAsmLinks links_;
    Disassembler disassembler_;
    DisAsmPageRenderer renderer_;
    DisAsmRowsView* rowsView_ = nullptr;
    QScrollBar* hScroll_ = nullptr;
    AddressScrollBar* vScroll_ = nullptr;
    WheelRows wheel_;
    SubWindowActivation* activation_ = nullptr;
    int rendered_ = 0;
    int renders_ = 0;
    bool cursorShown_ = false; // the selected row carries the cursor colours
    int32_t ownPage_ = -1;     // ProgramPageAddress of the window's last page load
    bool detached_ = false;
};

} // namespace quorvel
