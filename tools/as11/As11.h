// as11: a two-pass 68HC11 cross-assembler for Motorola-syntax source.
//
// The whole assembly runs in memory; the command-line tool and the IDE's
// front-end only add file handling around it (FileJob.h).
//
//     const as11::Output out = as11::assemble(sourceText);
//     save("prog.lst", out.listing);
//     save("prog.s19", out.srecords);
//     if (!out.errors.empty()) save("prog.err", as11::formatErrors(out.errors));
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace as11 {

struct Diagnostic {
    uint32_t line = 0; // 1-based source line
    std::string message;
};

// One source line as the listing shows it.
struct ListedLine {
    uint32_t begin = 0; // the line's text in the source, without its line break
    uint32_t length = 0;
    int32_t address = 0;    // location counter, or the value of an EQU
    uint32_t codeBegin = 0; // the line's bytes in Program::code
    uint32_t codeCount = 0;
    bool showAddress = false;
    bool padLabel = false; // a label alone on its line: list a blank after it
};

// A run of consecutive bytes in memory.
struct Segment {
    uint32_t address = 0;
    uint32_t offset = 0; // into Program::code
    uint32_t length = 0;
};

struct Program {
    std::string_view source;
    std::vector<ListedLine> lines;
    std::vector<uint8_t> code; // every placed byte, in source order
    std::vector<Segment> segments;
    std::vector<Diagnostic> errors; // at most one per line, in line order
    uint16_t entry = 0;             // END operand, 0 without one
};

// The returned program refers into `source`, which must outlive it.
Program assembleProgram(std::string_view source);

struct Output {
    std::string listing;
    std::string srecords;
    std::vector<Diagnostic> errors;
};

Output assemble(std::string_view source);

// The error file: one "N: message" line per error.
std::string formatErrors(const std::vector<Diagnostic>& errors);

} // namespace as11
