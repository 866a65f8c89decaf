#include "codetools/DisAsmPage.h"

#include <algorithm>
#include <vector>

#include "codetools/CodeField.h"
#include "frame/NumberText.h"
#include "vantrel/OpcodeTable.h"

namespace quorvel {

namespace {

constexpr int32_t kAddressMask = 0xFFFF;
constexpr int32_t kPageSize = 256;
// Up loads the page this many bytes before the first row.
constexpr int32_t kUpReach = 5;
// The start offsets tried when looking for instruction boundaries.
constexpr int32_t kBoundaryTries = 4;

bool Contains(std::span<const int32_t> breakpoints, int32_t address) {
    return std::find(breakpoints.begin(), breakpoints.end(), address) != breakpoints.end();
}

} // namespace

QChar BranchMarker(int32_t pc, bool taken, int32_t next) {
    if (!taken) return u' ';
    if (next > pc) return u'+';
    if (next < pc) return u'-';
    return kMarkerSame;
}

QString DisAsmRowText(int32_t address, std::span<const uint8_t> bytes, bool codeOn, QChar marker,
                      const QString& instruction) {
    QString row;
    row.reserve(8 + 3 * kCodeFieldBytes + 2 + instruction.size());
    row += QStringLiteral(" $");
    row += HexPad(address, 4);
    row += QStringLiteral(": ");
    if (codeOn) row += CodeField(bytes);
    row += marker;
    row += u' ';
    row += instruction;
    return row;
}

int32_t DisAsmPageRenderer::pageIndex(int32_t address) const {
    return (address - state_.ProgramPageAddress) & kAddressMask;
}

int DisAsmPageRenderer::lengthAt(int32_t index) const {
    if (index < 0 || index >= kPageSize) return 0;
    const auto& page = state_.ProgramPage;
    const uint8_t first = page[static_cast<size_t>(index)];
    const bool prefixed = vantrel::pageOfPrefix(first) != 1;
    if (prefixed && index + 1 >= kPageSize) return 0;
    const uint8_t second = index + 1 < kPageSize ? page[static_cast<size_t>(index + 1)] : 0;
    const int length = vantrel::decode(first, second).info->length;
    return index + length <= kPageSize ? length : 0;
}

int DisAsmPageRenderer::InstructionLength(int32_t address) const {
    return lengthAt(pageIndex(address));
}

int DisAsmPageRenderer::Render(int32_t pageAddress, const DisAsmOptions& options,
                               std::span<const int32_t> breakpoints, DisAsmRows& rows) {
    state_.RegPC &= kAddressMask;
    int32_t address = pageAddress & kAddressMask;
    int shown = 0;
    QString instruction;
    for (; shown < kDisAsmRows; ++shown) {
        const int32_t index = pageIndex(address);
        if (lengthAt(index) == 0) break;
        int32_t at = address;
        int16_t length = 0;
        disassembler_.Disassemble(at, length, instruction);
        const std::span<const uint8_t> bytes(state_.ProgramPage.data() + index, static_cast<size_t>(length));

        if (options.IncludeSymbols) {
            if (const ListingLine* listed = symbols_.ListedCode(address, bytes))
                instruction = listed->Source.toString();
        }
        QChar marker = u' ';
        const bool pc = address == state_.RegPC;
        if (pc) {
            int32_t from = address;
            int32_t next = 0;
            bool taken = false;
            bool isCall = false;
            bool isReturn = false;
            if (disassembler_.NextAddress(from, false, next, taken, isCall, isReturn))
                marker = BranchMarker(address, taken, next);
        }
        DisAsmRow& row = rows[static_cast<size_t>(shown)];
        row.Address = address;
        row.Text = DisAsmRowText(address, bytes, options.CodeOn, marker, instruction);
        row.Breakpoint = Contains(breakpoints, address);
        row.PC = pc;
        address = (address + length) & kAddressMask;
    }
    for (int i = shown; i < kDisAsmRows; ++i)
        rows[static_cast<size_t>(i)] = DisAsmRow();
    return shown;
}

int32_t DisAsmPageRenderer::UpStart(int32_t oldFirst) const {
    const int32_t start = (oldFirst - kUpReach) & kAddressMask;
    for (int32_t k = 0; k < kBoundaryTries; ++k) {
        const int length = lengthAt(pageIndex(start + k));
        if (length > 0 && k + length == kUpReach) return (start + k) & kAddressMask;
    }
    return (oldFirst - 1) & kAddressMask;
}

int32_t DisAsmPageRenderer::PageUpStart(int32_t oldFirst, int visibleRows) const {
    const int32_t target = pageIndex(oldFirst);
    // Instruction starts of a walk from index `from` that stay before the target.
    std::vector<int32_t> walk;
    const auto walkFrom = [&](int32_t from) {
        walk.clear();
        int32_t index = from;
        while (index < target) {
            const int length = lengthAt(index);
            if (length == 0) break;
            walk.push_back(index);
            index += length;
        }
        return index == target;
    };
    bool landed = false;
    for (int32_t k = 0; k < kBoundaryTries && !landed; ++k)
        landed = walkFrom(k);
    if (!landed) walkFrom(0);
    if (walk.empty()) return oldFirst & kAddressMask;
    const auto before = static_cast<qsizetype>(walk.size());
    const qsizetype keep = std::max(0, visibleRows - 1);
    const qsizetype first = before > keep ? before - keep : 0;
    if (first >= before) return oldFirst & kAddressMask;
    return (state_.ProgramPageAddress + walk[static_cast<size_t>(first)]) & kAddressMask;
}

} // namespace quorvel
