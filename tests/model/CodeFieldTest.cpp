// The code-bytes column of a disassembly row.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "codetools/CodeField.h"

namespace quorvel {
namespace {

TEST(CodeField, AlwaysFifteenCharacters) {
    const std::vector<std::pair<std::vector<uint8_t>, const char*>> cases{
        {{}, "               "},
        {{0x01}, "01             "},
        {{0x86, 0x41}, "86 41          "},
        {{0xCC, 0x12, 0x34}, "CC 12 34       "},
        {{0x18, 0xCE, 0x00, 0x10}, "18 CE 00 10    "},
        {{0x18, 0x1E, 0x05, 0x80, 0xF0}, "18 1E 05 80 F0 "},
        {{1, 2, 3, 4, 5, 6}, "01 02 03 04 05 "},
    };
    for (const auto& [bytes, expected] : cases) {
        const QString field = CodeField(bytes);
        EXPECT_EQ(field, QString::fromLatin1(expected));
        EXPECT_EQ(field.size(), 15);
    }
}

} // namespace
} // namespace quorvel
