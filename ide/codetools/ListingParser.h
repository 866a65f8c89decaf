// Reading an assembler listing into the symbol table. A listing line is taken
// when its first 27 columns have the listing layout (columns counted from 1):
//
//   1-4    line number, four decimal digits
//   5      blank
//   6-9    address, four hexadecimal digits (either case)
//   10     blank
//   11-24  up to five code bytes at 11, 14, 17, 20, 23, blanks between them
//   25-27  blanks
//   28-    the source line: label (up to the first blank), operation, ...
//
// and is at least 28 characters long; no tab may stand in columns 1-27.
// Every other line is skipped. Tabs in the source are expanded to stops every
// nine columns. A label written with a trailing colon ("LOOP:") is recorded
// without it. Data directives (FCB, FCC, FDB, FILL, in any case) keep their
// label but list no code bytes and no source.
//
//     SymbolTable table = ParseListing(text, [] { QCoreApplication::processEvents(); });
#pragma once

#include <functional>

#include <QStringView>

#include "codetools/SymbolTable.h"

namespace quorvel {

// The source starts in this column (counted from 1).
inline constexpr qsizetype kListingSourceColumn = 28;

// Every line of text ("\n" or "\r\n" between lines) read into a table.
// processEvents, when given, is called now and then (at most about every
// 10 ms) so that the caller stays responsive during a long listing.
SymbolTable ParseListing(QStringView text, const std::function<void()>& processEvents = {});

// One line (without its line end) added to the builder when the line is
// taken; false when it is skipped.
bool AddListingLine(QStringView line, SymbolTableBuilder& builder);

} // namespace quorvel
