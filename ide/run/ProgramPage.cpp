// Run control's view of ProgramPage: the page-index rule, instruction
// lengths, and loading the page where the PC is.
#include "run/RunControl.h"

#include "vantrel/OpcodeTable.h"

namespace quorvel {

namespace {
constexpr int64_t kPageSize = 256;
} // namespace

bool RunControl::pageHolds(int32_t address) const {
    const int64_t index = pageIndex(address);
    if (index < 0 || index >= kPageSize) return false;
    if (vantrel::pageOfPrefix(state_.ProgramPage[static_cast<size_t>(index)]) != 1 && index + 1 >= kPageSize)
        return false;
    return index + instructionLength(address) <= kPageSize;
}

void RunControl::loadPage(int32_t address) {
    state_.ProgramPageAddress = address;
    if (code_ && host_.SimulatorSelected()) {
        target_.FindBoard();
        code_->CodeBytes(address, state_.ProgramPage.data(), static_cast<int>(kPageSize));
        pageStale_ = false;
        return;
    }
    target_.InProgram();
    // A failed load leaves the old bytes; the next step tries again.
    pageStale_ = !state_.BoardOK;
}

bool RunControl::ensurePage() {
    if (pageStale_ || !pageHolds(state_.RegPC)) loadPage(state_.RegPC);
    return !pageStale_;
}

} // namespace quorvel
