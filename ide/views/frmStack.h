// frmStack, the stack window: 50 consecutive target bytes around the stack
// pointer, one per line (" $00FF:   $3F"), the line at SP in bold, the
// selected line white on blue while the window is active. Keys and the mouse
// move the selection and scroll through memory (the wheel too, by lines, as
// Up and Down do at the edges); Enter or a double click
// changes the selected byte through the value-entry dialog.
//
//     RegisterStackView(frame);       // View > Stack opens it at the stack pointer
//     window->mnuGoToSPAddress();     // SP on the last visible line, unless it is shown already
//
// The frame calls mnuEnter, mnuGoToSPAddress, mnuGoToAddress and mnuRefresh
// from the pop-up menu, mnuRefresh after every stop, ClearMarks when a run
// starts and ClearScreen after a failed exchange.
#pragma once

#include <cstdint>

#include <QMetaObject>
#include <QWidget>

#include "codetools/DisAsmRowsView.h"
#include "codetools/WheelRows.h"
#include "views/StackLines.h"

class QMdiSubWindow;

namespace quorvel {

class SubWindowActivation;

class frmMain;

// Registers the window with View > Stack (placement prefix "Stack").
void RegisterStackView(frmMain& frame);

inline const QString kStackView = QStringLiteral("mnuViewStack");

class frmStack : public QWidget {
    Q_OBJECT
public:
    explicit frmStack(frmMain& frame, QWidget* parent = nullptr);
    ~frmStack() override;

    // ---- Window state ----
    int VisibleRows = 0; // lines that fit, at most 50
    int CurRow = 0;      // the selected line, 1..VisibleRows; 0: none
    bool Busy = false;   // the window is re-reading the target

    const StackLines& Stack() const { return stack_; }
    int32_t StackViewAddress() const { return stack_.StackViewAddress; }
    // The text of line 1..50 as shown.
    QString LineText(int line) const;
    // The line's colours as shown now.
    RowLook Look(int line) const;
    DisAsmRowsView* Rows() const { return rowsView_; }

public slots:
    // ---- Procedures (called by name by the frame) ----
    void ClearScreen();
    void ClearMarks();
    void Redraw();
    void mnuEnter();
    void mnuGoToAddress();
    void mnuGoToSPAddress();
    void mnuRefresh();
    void SetCurRow(int row);

    void Form_Activate();
    void Form_Deactivate();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateWidgets();
    void ConnectWidgets();
    void Form_Resize();
    // The view moved: reads the 50 bytes again and shows them, or clears the lines.
    void ReRead();
    bool ShowsValues() const;
    void OnRowPressed(int row, Qt::MouseButton button);
    void OnRowDoubleClicked(int row);
    void OnRowMenu(int row, QPoint globalPosition);
    bool IsActive() const;
    QMdiSubWindow* SubWindow() const;

    frmMain& frame_;
    StackLines stack_;
    DisAsmRowsView* rowsView_ = nullptr;
    bool cursorShown_ = false; // the selected line is white on blue
    bool loaded_ = false;      // the first look at the stack pointer has been taken
    SubWindowActivation* activation_ = nullptr;
    WheelRows wheel_;
};

} // namespace quorvel
