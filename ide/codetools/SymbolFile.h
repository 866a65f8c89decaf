// The symbol table as the main window keeps it: the table, the listing it
// came from, File > Load Symbols, and the reload that brings the labels
// window, the disassembly window and the watches up to date.
//
//     SymbolFile symbols(frame);
//     symbols.mnuFileLoadSymbols();         // asks for a listing, then ReloadSymbols
//     symbols.SetListingFile(path);         // the assembler's listing
//     symbols.ReloadSymbols();
//     connect(&symbols, &SymbolFile::SymbolsReloaded, watches, &...::UntieMovedLabels);
//
// A listing that cannot be read leaves the table, the file name and the
// status bar as they were and says why in a message box.
#pragma once

#include <QObject>
#include <QString>

#include "codetools/SymbolTable.h"

namespace quorvel {

class frmMain;

inline const QString kLoadSymbolsTitle = QStringLiteral("Load Symbols");
inline const QString kListingFilter = QStringLiteral("Listing Files (*.lst)|*.lst|All Files (*.*)|*.*");

// Status panel 3: "Symbols: " and the listing's file name, or "Symbols: <None>".
QString SymbolsStatusText(const QString& fileTitle, bool anyRecord);
// The message when a listing cannot be read.
QString CantLoadSymbolsText(const QString& path, const QString& reason);

class SymbolFile : public QObject {
    Q_OBJECT
public:
    explicit SymbolFile(frmMain& frame);

    const SymbolTable& Table() const { return table_; }
    // The listing's file name without its folder (empty before the first choice).
    const QString& SymbolFileTitle() const { return title_; }
    // The listing LoadListing reads.
    const QString& ListingFileName() const { return path_; }
    void SetListingFile(const QString& path);
    // True while a listing is being read.
    bool Loading() const { return loading_; }

    // File > Load Symbols: the open dialog, then ReloadSymbols.
    void mnuFileLoadSymbols();
    // Rebuilds the table from the listing and shows it in the status bar;
    // false (after a message) when the listing could not be read.
    bool LoadListing();
    // LoadListing, then the labels window and the disassembly window redraw
    // and SymbolsReloaded tells the watches.
    void ReloadSymbols();

signals:
    // The table was replaced; the labels and disassembly windows have redrawn.
    void SymbolsReloaded();

private:
    frmMain& frame_;
    SymbolTable table_;
    QString title_;
    QString path_;
    // The listing the table came from.
    QString loadedTitle_;
    QString loadedPath_;
    bool loading_ = false;
};

} // namespace quorvel
