// An address typed by the user: a number in any of the IDE's notations
// ("$E000", "57344", "%...", "@...", word range) or a label of the symbol
// table. Labels are looked up upper-cased, so only labels written in upper
// case in the listing are found.
//
//     int32_t address = ParseAddress(u"start", table);   // START's value, or -1
#pragma once

#include <cstdint>

#include <QStringView>

#include "codetools/SymbolTable.h"

namespace quorvel {

// The address, or -1 when the text is neither a number nor a known label.
int32_t ParseAddress(QStringView text, const SymbolTable& table);

} // namespace quorvel
