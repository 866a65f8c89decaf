// Reading a listing file into a symbol table: the file is read whole, then
// parsed (ListingParser.h). A file that cannot be read leaves the caller's
// table as it was and says why; pipes and devices are refused unopened
// (editor/FileCheck.h).
//
//     SymbolTable table;
//     QString why;
//     if (!LoadListingFile(path, table, why, [] { QCoreApplication::processEvents(); }))
//         ...;   // why: "File not found", "It is a folder", "Not a regular file", the system's reason ...
//
// Valid UTF-8 is read as UTF-8, anything else byte for byte as Latin-1.
#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

#include "codetools/SymbolTable.h"

class QIODevice;

namespace quorvel {

inline constexpr qint64 kMaxListingSize = 64 * 1024 * 1024;

// processEvents, when given, is called now and then while the listing is parsed.
bool LoadListingFile(const QString& path, SymbolTable& table, QString& error,
                     const std::function<void()>& processEvents = {});
// The same from an open device, read to its end.
bool LoadListingDevice(QIODevice& device, SymbolTable& table, QString& error,
                       const std::function<void()>& processEvents = {});

QString DecodeListing(const QByteArray& bytes);

} // namespace quorvel
