// The nine register windows as data: each window's form name, caption, View
// menu item, placement prefix and designed size, and its rows in order, each
// with the register's name, where its value comes from, its width, its
// default display format and what a confirmed value entry does with it.
//
//     const RegisterWindowInfo* timer = FindRegisterWindow(u"frmRegTimer");
//     for (const RegisterRow& row : timer->Rows) ...   // TCNT $100E wide "$" read-only, ...
//     QString flags = CcrFlagText(0xD0);               // "%SX0I0000"
#pragma once

#include <cstdint>
#include <span>

#include <QString>
#include <QStringView>

namespace quorvel {

// Where a window's values come from.
enum class RegisterSource {
    CPU,    // the register mirror (InCPU)
    OnChip, // OnChipRegisters, $1000..$103F
    PIA,    // the window's PiaRegisters, $1800..$1809
};

// What a confirmed value entry does.
enum class RowWrite {
    None,  // nothing is written
    Byte,  // OutByte(address, value)
    Word,  // OutBytes(address, high, low)
    SetPC, // RegPC := value; the target is not touched
};

// The register of the mirror a CPU row shows.
enum class CpuRegister { None, A, B, D, IX, IY, PC, SP, CCR };

struct RegisterRow {
    const char* Name;
    // OnChip and PIA rows: the byte shown (a wide row: its high byte).
    // CPU rows: the byte of the register save area that is written.
    int32_t Address;
    bool Wide;   // 16-bit register
    char Format; // default display format: ' ' decimal, '$' hexadecimal, '%' binary
    RowWrite Write;
    bool ReadOnly; // Enter Value is refused
    CpuRegister Cpu = CpuRegister::None;
};

struct RegisterWindowInfo {
    const char* FormName; // "frmRegCPU"
    const char* Caption;  // "CPU Registers"
    const char* MenuName; // "mnuViewRegCPU"
    const char* Prefix;   // placement keys, "RegCPU"
    RegisterSource Source;
    int NameColumnTwips;
    // Designed placement, twips.
    int Left;
    int Top;
    int Width;
    int Height;
    std::span<const RegisterRow> Rows;
};

inline constexpr int32_t kOnChipBase = 0x1000;
inline constexpr int kOnChipCount = 64;
inline constexpr int32_t kPiaBase = 0x1800;
inline constexpr int kPiaCount = 10;

// The nine windows in View menu order: CPU, the seven on-chip groups, PIA.
std::span<const RegisterWindowInfo> RegisterWindows();
// The window of that form or View menu item; null for any other name.
const RegisterWindowInfo* FindRegisterWindow(QStringView name);

// The condition codes as "%" and eight characters for bits 7..0, each the
// letter S, X, H, I, N, Z, V or C when the bit is set, else "0".
QString CcrFlagText(uint8_t ccr);

} // namespace quorvel
