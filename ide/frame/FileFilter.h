// File-dialog filters. The IDE writes them as description/pattern pairs
// separated by "|":
//
//     "Assembly Source (*.asm)|*.asm|All Files (*.*)|*.*"
//
// and Qt's dialogs take one entry per filter with the patterns in the last
// parentheses:
//
//     {"Assembly Source (*.asm *.ASM)", "All Files (*)"}
//
// "*.*" means every file and becomes "*"; each "*.ext" pattern also matches
// the upper-case extension, since Linux file names are case-sensitive.
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

QStringList QtFileFilters(const QString& filter);
// The 1-based index of `selected` among QtFileFilters(filter); 0 when absent.
int FileFilterIndex(const QString& filter, const QString& selected);

} // namespace quorvel
