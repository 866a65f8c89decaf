// Helpers shared by the as11 tests: in-memory assembly, a generator that
// writes one source line per opcode-map entry, temporary folders and a
// process runner for the command-line tool and GNU binutils.
#pragma once

#include "As11.h"

#include <vantrel/OpcodeTable.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace as11test {

using Bytes = std::vector<uint8_t>;

// All placed bytes of an assembly in source order; fails the test on errors.
Bytes codeOf(const std::string& source);

// The bytes placed by one (0-based) source line.
Bytes lineBytes(const as11::Program& program, std::size_t line);

// "1: message" lines of an assembly with errors, joined by newlines.
std::string errorText(const std::string& source);

struct OpcodeLine {
    int page;
    int opcode;
    vantrel::OpcodeInfo info;
    std::string motorola; // the source line, indented, Motorola syntax
    std::string gnu;      // the same instruction for m68hc11-as
    Bytes expected;
};

// One line per defined entry of the opcode map, operands chosen so that
// every operand byte is distinct from the opcode. Branch lines branch to
// themselves (label Ln on the line).
std::vector<OpcodeLine> everyOpcodeLine();

// Empty when `line` meets the listing reader's acceptance rule for a line
// with an address (length >= 28, decimal line number in columns 1-4, hex
// address in 6-9, blanks in 5, 10, 13, 16, 19, 22 and 25-27); otherwise why not.
std::string ideRejects(std::string_view line);

// Empty when every line of a listing has one of the three shapes: accepted
// with an address, numbered without an address (columns 5-27 blank), or a
// continuation (columns 1-5 blank, address, bytes); otherwise the first bad line.
std::string badListingLine(std::string_view listing);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void writeText(const std::filesystem::path& file, const std::string& text);
std::string readText(const std::filesystem::path& file);

// Runs a program (searched in PATH when it has no slash) with its standard
// output and error sent to the given files (or /dev/null); returns the exit
// status, or -1 when it could not be started or did not exit normally.
int run(const std::vector<std::string>& argv, const std::string& stdoutFile = "/dev/null",
        const std::string& stderrFile = "/dev/null");

// Full path of a program in PATH, empty when none.
std::string findInPath(const std::string& name);

} // namespace as11test
