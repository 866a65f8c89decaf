// The watches as the main window keeps them: the watch table, the Add Watch
// and Edit Watch commands, the watch window (View > Watch Window) and the
// untying of watches whose label moved when a new listing is loaded.
//
//     WatchCommands watches(frame);
//     watches.Install();              // registers the view, listens to the symbol table
//     watches.mnuDebugAddWatch();     // asks for an address, adds it, shows the window
//
// Destroying it detaches a watch window that is still open, so nothing the
// frame tears down later can reach back into it.
#pragma once

#include <QObject>
#include <QPointer>

#include "views/WatchTable.h"
#include "views/frmWatch.h"

namespace quorvel {

class frmMain;

inline const QString kWatchView = QStringLiteral("mnuViewWatch");

class WatchCommands : public QObject {
    Q_OBJECT
public:
    explicit WatchCommands(frmMain& frame);
    ~WatchCommands() override;
    WatchCommands(const WatchCommands&) = delete;
    WatchCommands& operator=(const WatchCommands&) = delete;

    // Registers the watch window with its View item and ties the watches to
    // the symbol table's reloads. Edit Watch waits for an active watch window.
    void Install();

    WatchTable& Table() { return table_; }
    // The open watch window, or null.
    frmWatch* Window() const;

    // Debug > Add Watch: up to 32 watches.
    void mnuDebugAddWatch();
    // Debug > Edit Watch: the selected watch of the watch window.
    void mnuDebugEditWatch();

public slots:
    // A new listing: watches whose label moved are untied, the window redraws.
    void SymbolsReloaded();

private:
    frmWatch* Create();
    // The watch-address dialog; true when the user confirmed a valid address.
    bool AskWatchAddress(const QString& text, bool wide, int32_t& address, QString& name, bool& wideOut);
    void BringWindowToFront();

    frmMain& frame_;
    WatchTable table_;
    QPointer<frmWatch> window_;
};

} // namespace quorvel
