// A register window: one row per register of a table in RegisterRows.h,
// the name in column 1, the value text in column 2. The same form serves the
// CPU registers, the seven groups of the on-chip block and the PIA; its
// objectName is the table's form name (frmRegCPU, frmRegPorts, ...).
//
//     auto* window = new frmRegisters(host, *FindRegisterWindow(u"frmRegTimer"));
//     // it read the target once; the frame calls Redraw after each stop,
//     // mnuRefresh on a tick of tmrRefresh, mnuEnter/mnuViewHex/... from the pop-up
//
// Column 2 is exactly as wide as its widest text; width 0 means the values
// are cleared (ClearScreen), and then value entry and the format commands do
// nothing. Double-click or Enter on the list opens the value entry, the right
// mouse button the frame's pop-up mnuPopupView.
#pragma once

#include <QChar>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "views/RegisterList.h"

class QTimer;
class QTreeWidget;

namespace quorvel {

class SubWindowActivation;

class RegisterHost;

class frmRegisters : public QWidget {
    Q_OBJECT
public:
    frmRegisters(RegisterHost& host, const RegisterWindowInfo& info, QWidget* parent = nullptr);

    QTreeWidget* ListView = nullptr;
    // The window refreshes itself on every tick of tmrRefresh while it is the active one.
    bool AutoRefresh = false;

    const RegisterList& Registers() const { return list_; }
    // Width of column 2 in pixels; 0 while the values are cleared.
    int ValueColumnWidth() const;
    bool ShowingValues() const { return ValueColumnWidth() > 0; }
    QString ValueText(int row) const;
    // The selected row (from 0), or -1.
    int SelectedRow() const;
    void SelectRow(int row);
    // The pop-up for a right click at a point of the list's viewport.
    void ShowPopup(QPoint viewportPosition);

public slots:
    void mnuViewDec();
    void mnuViewHex();
    void mnuViewBin();
    void mnuEnter();
    void ClearScreen();
    void Redraw();
    void mnuRefresh();
    void mnuAutoRefresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateWidgets();
    void SetRowFormat(QChar format);
    void SetValueColumnWidth(int width);
    // The CPU window keeps no auto refresh and leaves tmrRefresh alone.
    bool HasAutoRefresh() const { return list_.Info().Source != RegisterSource::CPU; }
    // A failed exchange: cleared values, and auto refresh off so the timer does not keep retrying.
    void ClearAfterFailure();
    // Stops tmrRefresh around a target access, a dialog or the pop-up; true when it ran.
    bool PauseTimer();
    // Afterwards the active window's AutoRefresh decides; a window that is
    // not the active one leaves the timer as it found it.
    void ResumeTimer(bool wasRunning);
    bool IsActiveChild() const;
    void ActivateOwnWindow();
    void Form_Activate();
    void Form_Deactivate();
    void PreparePopupItems(int row, bool itemUnderMouse);

    RegisterHost& host_;
    RegisterList list_;
    QPointer<QTimer> timer_;
    SubWindowActivation* activation_ = nullptr;
};

} // namespace quorvel
