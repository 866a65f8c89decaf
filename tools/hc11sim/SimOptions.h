// The command line of hc11sim:
//
//     hc11sim [--pc ADDR] [--until ADDR]... [--steps N] [--io FILE] [--in BYTES]
//             [--dump ADDR:COUNT]... [--regs] [--stats] FILE.s19
//
// Addresses are read as the IDE reads them ("$E000", "57344", "%...", "@...").
#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace quorvel::hc11sim {

struct MemoryDump {
    int32_t address = 0;
    int32_t count = 0;
};

struct SimOptions {
    QString file;
    int32_t pc = -1; // -1: the reset vector
    std::vector<int32_t> until;
    int64_t steps = 100'000'000;
    QString ioFile; // empty: no I/O unit
    // Bytes handed to the input unit, one at a time, as a user would enter them.
    std::vector<uint8_t> input;
    std::vector<MemoryDump> dumps;
    bool regs = false;
    bool stats = false;
    bool help = false;
};

void PrintUsage(QTextStream& stream);

// False when the arguments are unusable; a one-line reason has been written to err.
bool ParseSimOptions(const QStringList& args, SimOptions& options, QTextStream& err);

} // namespace quorvel::hc11sim
