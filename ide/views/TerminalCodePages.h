// The code pages of the serial terminal. The board speaks code page 852 (the
// OEM page of its terminal font): what it sends is shown with that page's
// glyphs, and a typed character goes out as its code-page-1250 code,
// translated for the board by a short table (TypedKeyByte).
//
//     QChar shown = TerminalGlyph(0xE6);          // 'Š'
//     std::optional<uint8_t> out = TypedKeyByte(QChar(0x0160)); // Š: 138 in 1250, sent as 230
#pragma once

#include <cstdint>
#include <optional>

#include <QChar>

namespace quorvel {

// The glyph of a received byte from 32 to 255 (below 32 the byte's own code).
QChar TerminalGlyph(uint8_t code);

// The code-page-1250 code of a character; empty when the page has none.
std::optional<uint8_t> CodePage1250(QChar character);

// A code-page-1250 code as the board wants it: the table's code page 852
// counterpart, every other code unchanged.
uint8_t BoardCode(uint8_t codePage1250);

// The byte a typed character sends: BoardCode of its 1250 code; empty when it has none.
std::optional<uint8_t> TypedKeyByte(QChar character);

} // namespace quorvel
