#include "vantrel/VantrelCtrl.h"

#include <utility>

#include "Dispatch.h"

namespace vantrel {

CVantrelCtrl::CVantrelCtrl() {
    bindHandlers();
}

void CVantrelCtrl::Step(int16_t& acca, int16_t& accb, int32_t& ix, int32_t& iy, int32_t& sp, int16_t& ccr,
                        int16_t instr1, int16_t instr2, int16_t instr3, int16_t instr4, int16_t instr5) {
    cpu_.A = static_cast<uint8_t>(acca);
    cpu_.B = static_cast<uint8_t>(accb);
    cpu_.CCR = static_cast<uint8_t>(ccr);
    cpu_.X = static_cast<uint16_t>(ix);
    cpu_.Y = static_cast<uint16_t>(iy);
    cpu_.SP = static_cast<uint16_t>(sp);
    cpu_.Instr[0] = static_cast<uint8_t>(instr1);
    cpu_.Instr[1] = static_cast<uint8_t>(instr2);
    cpu_.Instr[2] = static_cast<uint8_t>(instr3);
    cpu_.Instr[3] = static_cast<uint8_t>(instr4);
    cpu_.Instr[4] = static_cast<uint8_t>(instr5);

    detail::executeInstruction(cpu_);

    acca = cpu_.A;
    accb = cpu_.B;
    ccr = cpu_.CCR;
    ix = cpu_.X;
    iy = cpu_.Y;
    sp = cpu_.SP;
}

void CVantrelCtrl::setReadMemory(ReadMemoryEvent handler) {
    readMemory_ = std::move(handler);
    bindHandlers();
}

void CVantrelCtrl::setWriteMemory(WriteMemoryEvent handler) {
    writeMemory_ = std::move(handler);
    bindHandlers();
}

void CVantrelCtrl::setMemoryCallbacks(ReadMemoryFn onRead, WriteMemoryFn onWrite, void* user) {
    readMemory_ = nullptr;
    writeMemory_ = nullptr;
    cpu_.onRead = onRead;
    cpu_.onWrite = onWrite;
    cpu_.user = user;
}

// Unset handlers leave the core's callbacks empty, so the core's defaults apply.
void CVantrelCtrl::bindHandlers() {
    cpu_.onRead = readMemory_ ? &CVantrelCtrl::forwardRead : nullptr;
    cpu_.onWrite = writeMemory_ ? &CVantrelCtrl::forwardWrite : nullptr;
    cpu_.user = this;
}

void CVantrelCtrl::forwardRead(void* self, int32_t address, int16_t* value) {
    static_cast<CVantrelCtrl*>(self)->readMemory_(address, *value);
}

void CVantrelCtrl::forwardWrite(void* self, int32_t address, int16_t value) {
    static_cast<CVantrelCtrl*>(self)->writeMemory_(address, value);
}

void CVantrelCtrl::AboutBox() const {
    if (aboutBox_) aboutBox_(kAboutCaption, kAboutText);
}

} // namespace vantrel
