// The register tables and one window's model: the rows each window lists,
// the texts they show, what a value entry writes and what a refresh reads.
#include <algorithm>
#include <string>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "target/ImageTarget.h"
#include "views/RegisterList.h"
#include "views/RegisterRows.h"

namespace quorvel {
namespace {

// A target that records every exchange as text and can fail like a board that does not answer.
class RecordingTarget : public ImageTarget {
public:
    using ImageTarget::ImageTarget;

    QStringList calls;
    bool fail = false;

    void InBytes(int32_t address, std::vector<uint8_t>& bytes, int count) override {
        calls.append(QStringLiteral("InBytes ") + Hex(address, 4) + QLatin1Char(' ') +
                     QString::number(count));
        if (Failed()) return;
        ImageTarget::InBytes(address, bytes, count);
    }
    void InCPU() override {
        calls.append(QStringLiteral("InCPU"));
        if (Failed()) return;
        ImageTarget::InCPU();
    }
    void OutByte(int32_t address, uint8_t value) override {
        calls.append(QStringLiteral("OutByte ") + Hex(address, 4) + QLatin1Char(' ') + Hex(value, 2));
        if (Failed()) return;
        ImageTarget::OutByte(address, value);
    }
    void OutBytes(int32_t address, std::span<const uint8_t> bytes) override {
        QString call = QStringLiteral("OutBytes ") + Hex(address, 4);
        for (uint8_t byte : bytes)
            call += QLatin1Char(' ') + Hex(byte, 2);
        calls.append(call);
        if (Failed()) return;
        ImageTarget::OutBytes(address, bytes);
    }

private:
    static QString Hex(int32_t value, int width) {
        return QLatin1Char('$') +
               QString::number(value, 16).rightJustified(width, QLatin1Char('0')).toUpper();
    }
    bool Failed() {
        state_.BoardOK = !fail;
        return fail;
    }
};

struct ModelFixture {
    TargetState state;
    RecordingTarget target{state};

    void Put(int32_t address, std::initializer_list<uint8_t> bytes) {
        for (uint8_t byte : bytes)
            target.TargetMemory()[static_cast<size_t>(address++ & 0xFFFF)] = byte;
    }
};

int RowNamed(const RegisterList& list, const char* name) {
    for (int row = 0; row < list.RowCount(); ++row)
        if (std::string(list.Row(row).Name) == name) return row;
    ADD_FAILURE() << "no row " << name;
    return -1;
}

const RegisterWindowInfo& Window(const char* form) {
    const RegisterWindowInfo* info = FindRegisterWindow(QString::fromLatin1(form));
    EXPECT_NE(info, nullptr) << form;
    return *info;
}

TEST(RegisterRows, WindowsListTheirRegistersInOrder) {
    const struct {
        const char* Form;
        const char* Names;
    } expected[] = {
        {"frmRegCPU", "A B D IX IY PC SP CCR"},
        {"frmRegPorts", "PORTA PORTB PORTC PORTCL DDRC PORTD DDRD PORTE PIOC"},
        {"frmRegTimer", "TCNT TIC1 TIC2 TIC3 TOC1 TOC2 TOC3 TOC4 TOC5 TCTL1 TCTL2 TMSK1 TFLG1 TMSK2 TFLG2 "
                        "CFORC OC1M OC1D"},
        {"frmRegPA", "PACNT PACTL"},
        {"frmRegSCI", "BAUD SCCR1 SCCR2 SCSR SCDR"},
        {"frmRegSPI", "SPCR SPSR SPDR"},
        {"frmRegAD", "ADCTL ADR1 ADR2 ADR3 ADR4"},
        {"frmRegOther", "OPTION PPROG HPRIO INIT CONFIG"},
        {"frmRegPIA", "DataIn A|DataOut A|Dir A|DataIn B|DataOut B|Dir B"},
    };
    ASSERT_EQ(RegisterWindows().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const RegisterWindowInfo& info = RegisterWindows()[i];
        EXPECT_STREQ(info.FormName, expected[i].Form);
        QStringList names;
        for (const RegisterRow& row : info.Rows)
            names.append(QLatin1String(row.Name));
        const QString separator = QString::fromLatin1(expected[i].Names).contains(u'|') ? "|" : " ";
        EXPECT_EQ(names.join(separator), QLatin1String(expected[i].Names)) << info.FormName;
        // Every on-chip row lies in the block, every PIA row in the PIA's ten bytes.
        for (const RegisterRow& row : info.Rows) {
            const int32_t last = row.Address + (row.Wide ? 1 : 0);
            if (info.Source == RegisterSource::OnChip) {
                EXPECT_TRUE(row.Address >= kOnChipBase && last < kOnChipBase + kOnChipCount) << row.Name;
            }
            if (info.Source == RegisterSource::PIA) {
                EXPECT_TRUE(row.Address >= kPiaBase && last < kPiaBase + kPiaCount) << row.Name;
            }
            // A read-only row never writes, a writable on-chip or PIA row always does.
            if (row.ReadOnly) {
                EXPECT_EQ(row.Write, RowWrite::None) << row.Name;
            }
            if (!row.ReadOnly && info.Source != RegisterSource::CPU) {
                EXPECT_NE(row.Write, RowWrite::None) << row.Name;
            }
        }
    }
    EXPECT_EQ(FindRegisterWindow(u"mnuViewRegPulseAcc"), FindRegisterWindow(u"frmRegPA"));
    EXPECT_EQ(FindRegisterWindow(u"frmWatch"), nullptr);
}

TEST(RegisterRows, CcrFlagLetters) {
    EXPECT_EQ(CcrFlagText(0xD0), "%SX0I0000");
    EXPECT_EQ(CcrFlagText(0x00), "%00000000");
    EXPECT_EQ(CcrFlagText(0xFF), "%SXHINZVC");
    EXPECT_EQ(CcrFlagText(0x05), "%00000Z0C");
}

TEST(RegisterList, FormatsOfARow) {
    ModelFixture m;
    m.state.RegA = 5;
    RegisterList cpu(Window("frmRegCPU"));
    EXPECT_FALSE(cpu.SetFormat(0, u'@'));
    EXPECT_EQ(cpu.Format(0), u'$');
    EXPECT_FALSE(cpu.SetFormat(-1, u'$'));
    EXPECT_FALSE(cpu.SetFormat(cpu.RowCount(), u'$'));
    // A wide row in binary has sixteen digits, in decimal no padding.
    const int d = RowNamed(cpu, "D");
    cpu.SetFormat(d, u'%');
    EXPECT_EQ(cpu.Text(d, m.state), "%0000010100000000");
    cpu.SetFormat(d, u' ');
    EXPECT_EQ(cpu.Text(d, m.state), "1280");
    // The CCR's flag letters stay whatever is asked; its entry text is plain binary.
    const int ccr = RowNamed(cpu, "CCR");
    EXPECT_FALSE(cpu.SetFormat(ccr, u'$'));
    m.state.RegCCR = 0xD0;
    EXPECT_EQ(cpu.Text(ccr, m.state), "%SX0I0000");
    EXPECT_EQ(cpu.EntryText(ccr, m.state), "%11010000");
}

TEST(RegisterList, AFailedReadKeepsWhatWasHeld) {
    ModelFixture m;
    m.state.OnChipRegisters[0] = 0x55;
    m.Put(0x1000, {0xAA});
    m.target.fail = true;
    RegisterList ports(Window("frmRegPorts"));
    ports.Read(m.target, m.state);
    EXPECT_FALSE(m.state.BoardOK);
    EXPECT_EQ(m.state.OnChipRegisters[0], 0x55);
    RegisterList pia(Window("frmRegPIA"));
    pia.PiaRegisters[4] = 0x11;
    pia.Read(m.target, m.state);
    EXPECT_EQ(pia.PiaRegisters[4], 0x11);
}

struct WriteCase {
    const char* Form;
    const char* Row;
    int32_t Value;
    const char* Call; // empty: nothing is sent
};

class RegisterWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(RegisterWrite, SendsWhatTheRowWrites) {
    const WriteCase& c = GetParam();
    ModelFixture m;
    RegisterList list(Window(c.Form));
    list.Write(RowNamed(list, c.Row), c.Value, m.target, m.state);
    if (*c.Call)
        EXPECT_EQ(m.target.calls, QStringList{QLatin1String(c.Call)});
    else
        EXPECT_TRUE(m.target.calls.isEmpty()) << m.target.calls.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, RegisterWrite,
                         ::testing::Values(WriteCase{"frmRegCPU", "A", 0x42, "OutByte $0000 $42"},
                                           WriteCase{"frmRegCPU", "B", 7, "OutByte $0001 $07"},
                                           WriteCase{"frmRegCPU", "D", 256, "OutBytes $0000 $01 $00"},
                                           WriteCase{"frmRegCPU", "IX", 0xBEEF, "OutBytes $0002 $BE $EF"},
                                           WriteCase{"frmRegCPU", "IY", 0x00FF, "OutBytes $0004 $00 $FF"},
                                           WriteCase{"frmRegCPU", "PC", 0xE000, ""},
                                           WriteCase{"frmRegCPU", "SP", 0x1234, ""},
                                           WriteCase{"frmRegCPU", "CCR", 0xD0, "OutByte $0008 $D0"},
                                           WriteCase{"frmRegTimer", "TOC1", 0x8001, "OutBytes $1016 $80 $01"},
                                           WriteCase{"frmRegTimer", "TCNT", 0x1234, ""},
                                           WriteCase{"frmRegTimer", "OC1D", 0xF0, "OutByte $100D $F0"},
                                           WriteCase{"frmRegPA", "PACNT", 3, "OutByte $1027 $03"},
                                           WriteCase{"frmRegPorts", "PIOC", 1, "OutByte $1002 $01"},
                                           WriteCase{"frmRegPIA", "DataOut B", 0x5A, "OutByte $1805 $5A"},
                                           WriteCase{"frmRegPIA", "DataIn A", 0x5A, ""}));

} // namespace
} // namespace quorvel
