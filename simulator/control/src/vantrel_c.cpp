// The C interface: a thin shell around CpuState with plain callbacks.
#include "vantrel.h"

#include <new>

#include "Dispatch.h"
#include "vantrel/CpuState.h"
#include "vantrel/VantrelCtrl.h"

struct VantrelCtrl {
    vantrel::CpuState cpu;
};

static_assert(std::is_same_v<VantrelReadMemoryFn, vantrel::ReadMemoryFn>);
static_assert(std::is_same_v<VantrelWriteMemoryFn, vantrel::WriteMemoryFn>);

extern "C" {

VANTREL_API VantrelCtrl* vantrel_create(void) {
    return new (std::nothrow) VantrelCtrl{};
}

VANTREL_API void vantrel_destroy(VantrelCtrl* ctrl) {
    delete ctrl;
}

VANTREL_API void vantrel_set_events(VantrelCtrl* ctrl, VantrelReadMemoryFn on_read,
                                    VantrelWriteMemoryFn on_write, void* user) {
    if (!ctrl) return;
    ctrl->cpu.onRead = on_read;
    ctrl->cpu.onWrite = on_write;
    ctrl->cpu.user = user;
}

VANTREL_API void vantrel_step(VantrelCtrl* ctrl, int16_t* acca, int16_t* accb, int32_t* ix, int32_t* iy,
                              int32_t* sp, int16_t* ccr, int16_t instr1, int16_t instr2, int16_t instr3,
                              int16_t instr4, int16_t instr5) {
    if (!ctrl || !acca || !accb || !ix || !iy || !sp || !ccr) return;
    vantrel::CpuState& cpu = ctrl->cpu;
    cpu.A = static_cast<uint8_t>(*acca);
    cpu.B = static_cast<uint8_t>(*accb);
    cpu.CCR = static_cast<uint8_t>(*ccr);
    cpu.X = static_cast<uint16_t>(*ix);
    cpu.Y = static_cast<uint16_t>(*iy);
    cpu.SP = static_cast<uint16_t>(*sp);
    cpu.Instr[0] = static_cast<uint8_t>(instr1);
    cpu.Instr[1] = static_cast<uint8_t>(instr2);
    cpu.Instr[2] = static_cast<uint8_t>(instr3);
    cpu.Instr[3] = static_cast<uint8_t>(instr4);
    cpu.Instr[4] = static_cast<uint8_t>(instr5);
    vantrel::detail::executeInstruction(cpu);
    *acca = cpu.A;
    *accb = cpu.B;
    *ccr = cpu.CCR;
    *ix = cpu.X;
    *iy = cpu.Y;
    *sp = cpu.SP;
}

VANTREL_API const char* vantrel_about(void) {
    return vantrel::CVantrelCtrl::kAboutText.data();
}

} // extern "C"
