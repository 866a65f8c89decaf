// frmMemory, the memory window: target memory as a hex dump, 16 bytes per row
// in hexadecimal and as characters, one page of up to 64 rows from one block
// read, paged through the whole 64 KiB by the vertical scroll bar (and the
// wheel, row by row, as the arrow keys scroll at the page edges), with
// in-place editing that verifies every byte it writes by reading it back.
//
//     RegisterMemoryView(frame);     // View > Memory Window opens it and asks for an address
//     window->mnuMemoryAddress();    // the address dialog, then the page that holds the address
//     window->EnterData(4, 7);       // edits the cell at grid row 4, column 7
//
// The frame calls mnuMemoryEnter, mnuMemoryAddress and mnuMemoryRefresh
// from the pop-up menu, mnuMemoryRefresh after every stop and ClearScreen
// after a failed exchange. Becoming the active window re-reads the page.
#pragma once

#include <cstdint>

#include <QMetaObject>
#include <QWidget>

#include "codetools/WheelRows.h"
#include "views/MemoryCellEditor.h"
#include "views/MemoryGrid.h"
#include "views/MemoryPage.h"

class QFrame;
class QLabel;
class QMdiSubWindow;
class QScrollBar;

namespace quorvel {

class SubWindowActivation;

class frmMain;

// Registers the window with View > Memory Window (placement prefix "Memory").
void RegisterMemoryView(frmMain& frame);

inline const QString kMemoryView = QStringLiteral("mnuViewMemory");

class frmMemory : public QWidget {
    Q_OBJECT
public:
    explicit frmMemory(frmMain& frame, QWidget* parent = nullptr);
    ~frmMemory() override;

    // ---- Window state ----
    int RowsShown = 0;
    int32_t EnterAddress = 0; // the address dialog's result
    bool EnterOK = false;
    MemoryCell Cursor; // the current cell (grid coordinates)

    const MemoryPage& Page() const { return page_; }
    // The text of a grid cell as shown.
    QString CellText(int row, int column) const { return page_.Cell({row, column}); }
    // How many times the page was read since the window opened.
    int DisplayCount() const { return displays_; }

    MemoryGrid* gridMemory = nullptr;
    MemoryCellEditor* txtData = nullptr;
    QScrollBar* VScroll = nullptr;
    QScrollBar* HScroll = nullptr;
    QFrame* frameAdr = nullptr;
    QLabel* lbAdr = nullptr;

public slots:
    // ---- Procedures (called by name by the frame) ----
    void DisplayPage();
    void EnterData(int row, int column);
    void HorScroll();
    void mnuMemoryAddress();
    void mnuMemoryEnter();
    void mnuMemoryRefresh();
    void SendByte();
    // The rows keep only their addresses (the target did not answer).
    void ClearScreen();

    void Form_Activate();
    void Form_Deactivate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void CreateWidgets();
    void ConnectWidgets();
    void Form_Resize();
    void VScroll_Change(int value);
    void VScroll_Scroll(int value);
    void HScroll_Change(int value);
    bool gridMemory_KeyDown(QKeyEvent* event);
    void gridMemory_Click(MemoryCell cell, Qt::MouseButton button);
    void gridMemory_DblClick(MemoryCell cell);
    void gridMemory_Menu(MemoryCell cell, bool onCell, QPoint globalPosition);
    void MoveCursor(CursorKey key);
    void SetCursor(MemoryCell cell);
    void HideEditor();
    bool IsActive() const;
    QMdiSubWindow* SubWindow() const;

    frmMain& frame_;
    MemoryPage page_;
    MemoryCell editCell_;
    int rememberedRow_ = kMemoryHeaderRows;
    bool pageShown_ = false;
    int displays_ = 0;
    SubWindowActivation* activation_ = nullptr;
    WheelRows wheel_;
};

} // namespace quorvel
