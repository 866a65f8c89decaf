// The watch window: one row per watch of the frame's watch table, the label
// (a label name or "$" and the address) and the value as last read. It is
// refreshed after every stop, on demand and, with Auto Refresh, by the frame's
// tmrRefresh while it is the active window. A double click or Enter changes
// the selected watch's value on the target; the right button opens the
// frame's shared view pop-up with the watch commands shown.
//
//     auto* window = new frmWatch(frame, watches);   // lists the watches, reads them once
//     window->mnuViewBin();                          // the selected watch in binary
//     window->ClearScreen();                         // after a failed link: no stale values
//
// The frame owns the window once it is in a child window; Detach() cuts the
// window off from a frame that is going away.
#pragma once

#include <QMetaObject>
#include <QPoint>
#include <QString>
#include <QStringView>
#include <QWidget>

class QMdiSubWindow;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvel {

class SubWindowActivation;

class WatchTable;
class frmMain;

class frmWatch : public QWidget {
    Q_OBJECT
public:
    frmWatch(frmMain& frame, WatchTable& watches, QWidget* parent = nullptr);

    QTreeWidget* ListView = nullptr;
    bool AutoRefresh = false;

    // The selected watch (0-based), -1 when none is.
    int SelectedWatch() const;
    void SelectWatch(int index);
    // Adds the row of the table's last watch (a watch added while the window is open).
    void AppendRow();
    // False while the values are cleared (column 2 has width 0).
    bool ShowingValues() const;
    // The shared view pop-up for a point of the list's viewport.
    void ShowPopup(QPoint position);
    // The symbol table was replaced: the labels are shown anew, the values
    // as they were (a cleared window stays cleared).
    void SymbolsReloaded();
    // The frame is going away: the window no longer reaches it.
    void Detach();

public slots:
    void mnuViewDec();
    void mnuViewHex();
    void mnuViewBin();
    // Changes the selected watch's value on the target.
    void mnuEnter();
    void ClearScreen();
    // The rows from the values already read; no target access.
    void Redraw();
    // Reads every watch from the target, then Redraw (or ClearScreen after a failure).
    void mnuRefresh();
    void mnuAutoRefresh();
    void mnuRemoveWatch();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiSubWindow* SubWindow() const;
    void Form_Activate();
    void Form_Deactivate();
    void SetFormat(QStringView format);
    void MatchRowCount();
    void SetRowText(QTreeWidgetItem* item, int column, const QString& text);
    void SetValueColumnWidth(int width);
    void StopTimer();
    // tmrRefresh runs again when Auto Refresh is on.
    void ResumeTimer();
    // The window is its frame's current child window (or stands alone).
    bool IsActiveChild() const;
    void CheckFormatItems(int index);

    frmMain* frame_;
    WatchTable* watches_;
    SubWindowActivation* activation_ = nullptr;
};

} // namespace quorvel
