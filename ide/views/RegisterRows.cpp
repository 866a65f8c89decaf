#include "views/RegisterRows.h"

#include <array>

namespace quorvel {

namespace {

constexpr bool kByte = false;
constexpr bool kWord = true;
constexpr bool kWritable = false;
constexpr bool kReadOnly = true;

// The user registers live in the register save area $0000..$0008 of the
// stopped target: A, B, IX, IY, SP, CCR. PC is the IDE's alone.
constexpr RegisterRow kCpuRows[] = {
    {"A", 0x0000, kByte, '$', RowWrite::Byte, kWritable, CpuRegister::A},
    {"B", 0x0001, kByte, '$', RowWrite::Byte, kWritable, CpuRegister::B},
    {"D", 0x0000, kWord, '$', RowWrite::Word, kWritable, CpuRegister::D},
    {"IX", 0x0002, kWord, '$', RowWrite::Word, kWritable, CpuRegister::IX},
    {"IY", 0x0004, kWord, '$', RowWrite::Word, kWritable, CpuRegister::IY},
    {"PC", 0x0000, kWord, '$', RowWrite::SetPC, kWritable, CpuRegister::PC},
    {"SP", 0x0006, kWord, '$', RowWrite::None, kReadOnly, CpuRegister::SP},
    {"CCR", 0x0008, kByte, '%', RowWrite::Byte, kWritable, CpuRegister::CCR},
};

constexpr RegisterRow kPortRows[] = {
    {"PORTA", 0x1000, kByte, '%', RowWrite::Byte, kWritable},
    {"PORTB", 0x1004, kByte, '%', RowWrite::Byte, kWritable},
    {"PORTC", 0x1003, kByte, '%', RowWrite::Byte, kWritable},
    {"PORTCL", 0x1005, kByte, '%', RowWrite::Byte, kWritable},
    {"DDRC", 0x1007, kByte, '%', RowWrite::Byte, kWritable},
    {"PORTD", 0x1008, kByte, '%', RowWrite::Byte, kWritable},
    {"DDRD", 0x1009, kByte, '%', RowWrite::Byte, kWritable},
    {"PORTE", 0x100A, kByte, '%', RowWrite::None, kReadOnly},
    {"PIOC", 0x1002, kByte, '%', RowWrite::Byte, kWritable},
};

constexpr RegisterRow kTimerRows[] = {
    {"TCNT", 0x100E, kWord, '$', RowWrite::None, kReadOnly},
    {"TIC1", 0x1010, kWord, '$', RowWrite::None, kReadOnly},
    {"TIC2", 0x1012, kWord, '$', RowWrite::None, kReadOnly},
    {"TIC3", 0x1014, kWord, '$', RowWrite::None, kReadOnly},
    {"TOC1", 0x1016, kWord, '$', RowWrite::Word, kWritable},
    {"TOC2", 0x1018, kWord, '$', RowWrite::Word, kWritable},
    {"TOC3", 0x101A, kWord, '$', RowWrite::Word, kWritable},
    {"TOC4", 0x101C, kWord, '$', RowWrite::Word, kWritable},
    {"TOC5", 0x101E, kWord, '$', RowWrite::Word, kWritable},
    {"TCTL1", 0x1020, kByte, '%', RowWrite::Byte, kWritable},
    {"TCTL2", 0x1021, kByte, '%', RowWrite::Byte, kWritable},
    {"TMSK1", 0x1022, kByte, '%', RowWrite::Byte, kWritable},
    {"TFLG1", 0x1023, kByte, '%', RowWrite::Byte, kWritable},
    {"TMSK2", 0x1024, kByte, '%', RowWrite::Byte, kWritable},
    {"TFLG2", 0x1025, kByte, '%', RowWrite::Byte, kWritable},
    {"CFORC", 0x100B, kByte, '%', RowWrite::Byte, kWritable},
    {"OC1M", 0x100C, kByte, '%', RowWrite::Byte, kWritable},
    {"OC1D", 0x100D, kByte, '%', RowWrite::Byte, kWritable},
};

constexpr RegisterRow kPulseAccRows[] = {
    {"PACNT", 0x1027, kByte, '$', RowWrite::Byte, kWritable},
    {"PACTL", 0x1026, kByte, '%', RowWrite::Byte, kWritable},
};

constexpr RegisterRow kSciRows[] = {
    {"BAUD", 0x102B, kByte, '%', RowWrite::Byte, kWritable},
    {"SCCR1", 0x102C, kByte, '%', RowWrite::Byte, kWritable},
    {"SCCR2", 0x102D, kByte, '%', RowWrite::Byte, kWritable},
    {"SCSR", 0x102E, kByte, '%', RowWrite::None, kReadOnly},
    {"SCDR", 0x102F, kByte, '$', RowWrite::Byte, kWritable},
};

constexpr RegisterRow kSpiRows[] = {
    {"SPCR", 0x1028, kByte, '%', RowWrite::Byte, kWritable},
    {"SPSR", 0x1029, kByte, '%', RowWrite::None, kReadOnly},
    {"SPDR", 0x102A, kByte, '$', RowWrite::Byte, kWritable},
};

constexpr RegisterRow kAdRows[] = {
    {"ADCTL", 0x1030, kByte, '%', RowWrite::Byte, kWritable},
    {"ADR1", 0x1031, kByte, '$', RowWrite::None, kReadOnly},
    {"ADR2", 0x1032, kByte, '$', RowWrite::None, kReadOnly},
    {"ADR3", 0x1033, kByte, '$', RowWrite::None, kReadOnly},
    {"ADR4", 0x1034, kByte, '$', RowWrite::None, kReadOnly},
};

constexpr RegisterRow kOtherRows[] = {
    {"OPTION", 0x1039, kByte, '%', RowWrite::Byte, kWritable},
    {"PPROG", 0x103B, kByte, '%', RowWrite::Byte, kWritable},
    {"HPRIO", 0x103C, kByte, '%', RowWrite::Byte, kWritable},
    {"INIT", 0x103D, kByte, '%', RowWrite::Byte, kWritable},
    {"CONFIG", 0x103F, kByte, '%', RowWrite::None, kReadOnly},
};

// The data-in registers are the PIA's input latches: the program only reads
// them, so they are read-only here rather than accepting a value that would
// go nowhere.
constexpr RegisterRow kPiaRows[] = {
    {"DataIn A", 0x1800, kByte, '%', RowWrite::None, kReadOnly},
    {"DataOut A", 0x1804, kByte, '%', RowWrite::Byte, kWritable},
    {"Dir A", 0x1806, kByte, '%', RowWrite::Byte, kWritable},
    {"DataIn B", 0x1801, kByte, '%', RowWrite::None, kReadOnly},
    {"DataOut B", 0x1805, kByte, '%', RowWrite::Byte, kWritable},
    {"Dir B", 0x1807, kByte, '%', RowWrite::Byte, kWritable},
};

constexpr int kNameTwips = 780;
constexpr int kPiaNameTwips = 900;

constexpr std::array<RegisterWindowInfo, 9> kWindows{{
    {"frmRegCPU", "CPU Registers", "mnuViewRegCPU", "RegCPU", RegisterSource::CPU, kNameTwips, 5200, 0, 2600,
     2450, kCpuRows},
    {"frmRegPorts", "Port Registers", "mnuViewRegPorts", "RegPorts", RegisterSource::OnChip, kNameTwips, 0, 0,
     2600, 2730, kPortRows},
    {"frmRegTimer", "Timer Registers", "mnuViewRegTimer", "RegTimer", RegisterSource::OnChip, kNameTwips, 0,
     0, 2600, 5000, kTimerRows},
    {"frmRegPA", "Pulse Acc Reg", "mnuViewRegPulseAcc", "RegPA", RegisterSource::OnChip, kNameTwips, 0, 0,
     2600, 950, kPulseAccRows},
    {"frmRegSCI", "SCI Registers", "mnuViewRegSCI", "RegSCI", RegisterSource::OnChip, kNameTwips, 0, 0, 2600,
     1700, kSciRows},
    {"frmRegSPI", "SPI Registers", "mnuViewRegSPI", "RegSPI", RegisterSource::OnChip, kNameTwips, 0, 0, 2600,
     1200, kSpiRows},
    {"frmRegAD", "A/D Registers", "mnuViewRegAD", "RegAD", RegisterSource::OnChip, kNameTwips, 0, 0, 2600,
     1700, kAdRows},
    {"frmRegOther", "Other Registers", "mnuViewRegOther", "RegOther", RegisterSource::OnChip, kNameTwips, 0,
     0, 2600, 1700, kOtherRows},
    {"frmRegPIA", "PIA Registers", "mnuViewRegPIA", "RegPIA", RegisterSource::PIA, kPiaNameTwips, 0, 0, 2600,
     1450, kPiaRows},
}};

} // namespace

std::span<const RegisterWindowInfo> RegisterWindows() {
    return kWindows;
}

const RegisterWindowInfo* FindRegisterWindow(QStringView name) {
    for (const RegisterWindowInfo& window : kWindows)
        if (name == QLatin1String(window.FormName) || name == QLatin1String(window.MenuName)) return &window;
    return nullptr;
}

QString CcrFlagText(uint8_t ccr) {
    static constexpr char kLetters[] = "SXHINZVC";
    QString text = QStringLiteral("%");
    for (int bit = 7; bit >= 0; --bit)
        text += (ccr >> bit) & 1 ? QLatin1Char(kLetters[7 - bit]) : QLatin1Char('0');
    return text;
}

} // namespace quorvel
