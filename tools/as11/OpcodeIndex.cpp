#include "OpcodeIndex.h"

#include "Lexer.h"

#include <algorithm>

namespace as11 {
namespace {

// Names of up to eight letters or digits packed into an integer; 0 when the
// name cannot be a keyword. Distinct names give distinct keys since no packed
// character is zero.
constexpr uint64_t packName(std::string_view name) {
    if (name.empty() || name.size() > 8) return 0;
    uint64_t key = 0;
    for (const char c : name) {
        if (!isLetter(c) && !isDigit(c)) return 0;
        key = key << 8 | static_cast<unsigned char>(toUpper(c));
    }
    return key;
}

// The opcode map stores every (operation, mode) pair at one place only.
constexpr bool eachModeOnce() {
    std::array<std::array<int, vantrel::kAddrModeCount>, kOpCount> seen{};
    for (int page = 1; page <= vantrel::kPageCount; ++page)
        for (int opcode = 0; opcode < 256; ++opcode) {
            const vantrel::OpcodeInfo& info = vantrel::opcodeInfo(page, static_cast<uint8_t>(opcode));
            if (info.defined() && ++seen[static_cast<int>(info.op)][static_cast<int>(info.mode)] > 1)
                return false;
        }
    return true;
}
static_assert(eachModeOnce(), "an operation has two opcodes for the same addressing mode");

struct Alias {
    std::string_view name;
    Op op;
};
constexpr std::array<Alias, 6> kAliases{{
    {"LSL", Op::ASL},
    {"LSLA", Op::ASLA},
    {"LSLB", Op::ASLB},
    {"LSLD", Op::ASLD},
    {"BHS", Op::BCC},
    {"BLO", Op::BCS},
}};

struct DirectiveName {
    std::string_view name;
    Directive directive;
};
constexpr std::array<DirectiveName, 16> kDirectives{{
    {"ORG", Directive::Org},
    {"EQU", Directive::Equ},
    {"FCB", Directive::Fcb},
    {"DB", Directive::Fcb},
    {"FDB", Directive::Fdb},
    {"DW", Directive::Fdb},
    {"FCC", Directive::Fcc},
    {"RMB", Directive::Rmb},
    {"DS", Directive::Rmb},
    {"FILL", Directive::Fill},
    {"ZMB", Directive::Zmb},
    {"BSZ", Directive::Zmb},
    {"END", Directive::End},
    {"OPT", Directive::Ignored},
    {"PAGE", Directive::Ignored},
    {"", Directive::None}, // unused slot
}};

constexpr int kFirstOp = static_cast<int>(Op::Prefix) + 1;
constexpr std::size_t kKeywordCount = (kOpCount - kFirstOp) + kAliases.size() + kDirectives.size() - 1;
using KeywordTable = std::array<Keyword, kKeywordCount>;

constexpr KeywordTable buildKeywords() {
    KeywordTable table{};
    std::size_t n = 0;
    for (int op = kFirstOp; op < kOpCount; ++op)
        table[n++] =
            Keyword{packName(vantrel::mnemonic(static_cast<Op>(op))), static_cast<Op>(op), Directive::None};
    for (const Alias& a : kAliases)
        table[n++] = Keyword{packName(a.name), a.op, Directive::None};
    for (const DirectiveName& d : kDirectives)
        if (d.directive != Directive::None)
            table[n++] = Keyword{packName(d.name), Op::Undefined, d.directive};
    std::sort(table.begin(), table.end(), [](const Keyword& a, const Keyword& b) { return a.key < b.key; });
    return table;
}

constexpr KeywordTable kKeywords = buildKeywords();

constexpr bool keywordsValid() {
    for (std::size_t i = 0; i < kKeywords.size(); ++i) {
        if (kKeywords[i].key == 0) return false;
        if (i > 0 && kKeywords[i - 1].key == kKeywords[i].key) return false;
    }
    return true;
}
static_assert(keywordsValid(), "keyword names must be unique and packable");

// Open-addressing hash of the packed names: a lookup is one multiplication
// and usually one probe.
constexpr int kHashBits = 9;
constexpr std::size_t kHashSize = std::size_t{1} << kHashBits;
static_assert(kKeywords.size() * 2 < kHashSize);

constexpr std::size_t hashSlot(uint64_t key) {
    return (key * 0x9E3779B97F4A7C15ull) >> (64 - kHashBits);
}

constexpr std::array<int16_t, kHashSize> buildHash() {
    std::array<int16_t, kHashSize> slots{};
    for (auto& s : slots)
        s = -1;
    for (std::size_t i = 0; i < kKeywords.size(); ++i) {
        std::size_t h = hashSlot(kKeywords[i].key);
        while (slots[h] >= 0)
            h = (h + 1) & (kHashSize - 1);
        slots[h] = static_cast<int16_t>(i);
    }
    return slots;
}

constexpr std::array<int16_t, kHashSize> kKeywordHash = buildHash();

} // namespace

const Keyword* findKeyword(std::string_view name) {
    const uint64_t key = packName(name);
    if (key == 0) return nullptr;
    for (std::size_t h = hashSlot(key);; h = (h + 1) & (kHashSize - 1)) {
        const int16_t i = kKeywordHash[h];
        if (i < 0) return nullptr;
        if (kKeywords[static_cast<std::size_t>(i)].key == key) return &kKeywords[static_cast<std::size_t>(i)];
    }
}

} // namespace as11
