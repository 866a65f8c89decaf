#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace as11test {

Bytes codeOf(const std::string& source) {
    const as11::Program p = as11::assembleProgram(source);
    EXPECT_TRUE(p.errors.empty()) << as11::formatErrors(p.errors);
    return p.code;
}

Bytes lineBytes(const as11::Program& program, std::size_t line) {
    const as11::ListedLine& l = program.lines.at(line);
    return Bytes(program.code.begin() + l.codeBegin, program.code.begin() + l.codeBegin + l.codeCount);
}

std::string errorText(const std::string& source) {
    const as11::Program p = as11::assembleProgram(source);
    std::string text = as11::formatErrors(p.errors);
    if (!text.empty()) text.pop_back();
    return text;
}

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace

std::vector<OpcodeLine> everyOpcodeLine() {
    using vantrel::AddrMode;
    std::vector<OpcodeLine> lines;
    for (int page = 1; page <= vantrel::kPageCount; ++page)
        for (int opcode = 0; opcode < 256; ++opcode) {
            const vantrel::OpcodeInfo& info = vantrel::opcodeInfo(page, static_cast<uint8_t>(opcode));
            if (!info.defined()) continue;
            OpcodeLine l{page, opcode, info, {}, {}, {}};
            if (page > 1) l.expected.push_back(vantrel::kPagePrefix[page - 1]);
            l.expected.push_back(static_cast<uint8_t>(opcode));
            const std::string name(vantrel::mnemonic(info.op));
            const std::string label = "L" + std::to_string(lines.size());
            const auto self = static_cast<uint8_t>(-static_cast<int>(info.length)); // branch to itself
            std::string m, g;
            switch (info.mode) {
            case AddrMode::Inherent: break;
            case AddrMode::Immediate8: m = "#$5A", g = "#0x5a", l.expected.push_back(0x5A); break;
            case AddrMode::Immediate16:
                m = "#$5AC3", g = "#0x5ac3", l.expected.insert(l.expected.end(), {0x5A, 0xC3});
                break;
            case AddrMode::Direct: m = "$5A", g = "*0x5a", l.expected.push_back(0x5A); break;
            case AddrMode::Extended:
                m = "$5AC3", g = "0x5ac3", l.expected.insert(l.expected.end(), {0x5A, 0xC3});
                break;
            case AddrMode::IndexedX: m = "$5A,X", g = "0x5a,x", l.expected.push_back(0x5A); break;
            case AddrMode::IndexedY: m = "$5A,Y", g = "0x5a,y", l.expected.push_back(0x5A); break;
            case AddrMode::BitDirect:
                m = "$5A $C3", g = "*0x5a #0xc3", l.expected.insert(l.expected.end(), {0x5A, 0xC3});
                break;
            case AddrMode::BitIndexedX:
                m = "$5A,X $C3", g = "0x5a,x #0xc3", l.expected.insert(l.expected.end(), {0x5A, 0xC3});
                break;
            case AddrMode::BitIndexedY:
                m = "$5A,Y $C3", g = "0x5a,y #0xc3", l.expected.insert(l.expected.end(), {0x5A, 0xC3});
                break;
            case AddrMode::BitBranchDirect:
                m = "$5A $C3 " + label, g = "*0x5a #0xc3 " + label;
                l.expected.insert(l.expected.end(), {0x5A, 0xC3, self});
                break;
            case AddrMode::BitBranchIndexedX:
                m = "$5A,X $C3 " + label, g = "0x5a,x #0xc3 " + label;
                l.expected.insert(l.expected.end(), {0x5A, 0xC3, self});
                break;
            case AddrMode::BitBranchIndexedY:
                m = "$5A,Y $C3 " + label, g = "0x5a,y #0xc3 " + label;
                l.expected.insert(l.expected.end(), {0x5A, 0xC3, self});
                break;
            case AddrMode::Relative: m = label, g = label, l.expected.push_back(self); break;
            }
            l.motorola = label + "\t" + name + (m.empty() ? "" : "\t" + m);
            l.gnu = label + ":\t" + lower(name) + (g.empty() ? "" : "\t" + g);
            lines.push_back(std::move(l));
        }
    return lines;
}

namespace {

bool decimal(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}
bool hexadecimal(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789ABCDEF") == std::string_view::npos;
}
bool blanks(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

// Columns are 1-based, as the listing layout counts them.
std::string_view cols(std::string_view line, std::size_t first, std::size_t last) {
    if (line.size() < first) return {};
    return line.substr(first - 1, last - first + 1);
}

} // namespace

std::string ideRejects(std::string_view line) {
    if (line.size() < 28) return "shorter than 28";
    if (cols(line, 1, 4).size() != 4 || !decimal(cols(line, 1, 4))) return "line number";
    if (!hexadecimal(cols(line, 6, 9))) return "address";
    for (const std::size_t c : {5, 10, 13, 16, 19, 22})
        if (line[c - 1] != ' ') return "column " + std::to_string(c) + " not blank";
    if (!blanks(cols(line, 25, 27))) return "columns 25-27 not blank";
    return {};
}

std::string badListingLine(std::string_view listing) {
    std::size_t pos = 0;
    while (pos < listing.size()) {
        const std::size_t nl = listing.find('\n', pos);
        if (nl == std::string_view::npos) return "missing final newline";
        const std::string_view line = listing.substr(pos, nl - pos);
        pos = nl + 1;
        if (line.find('\r') != std::string_view::npos) return std::string(line);
        const bool numbered = line.size() >= 4 && decimal(line.substr(0, 4));
        if (numbered && line.size() > 5 && line[5] != ' ') {
            if (!ideRejects(line).empty()) return std::string(line);
            for (std::size_t k = 0; k < 5; ++k) { // byte slots: two hex digits or blanks
                const std::string_view slot = cols(line, 11 + 3 * k, 12 + 3 * k);
                if (!blanks(slot) && !hexadecimal(slot)) return std::string(line);
            }
        } else if (numbered) {
            if (!blanks(cols(line, 5, 27))) return std::string(line);
        } else {
            // continuation: "     AAAA BB BB ..." and nothing after the bytes
            if (line.size() < 12 || line.size() > 24 || !blanks(line.substr(0, 5)) ||
                !hexadecimal(cols(line, 6, 9)) || line[9] != ' ' || (line.size() - 9) % 3 != 0)
                return std::string(line);
            for (std::size_t c = 11; c <= line.size(); c += 3)
                if (!hexadecimal(cols(line, c, c + 1)) || (c + 2 <= line.size() && line[c + 1] != ' '))
                    return std::string(line);
        }
    }
    return {};
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const testing::TestInfo* t = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "as11-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    if (t) name += std::string("-") + t->name();
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
}

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string findInPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path) return {};
    std::stringstream dirs(path);
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

int run(const std::vector<std::string>& argv, const std::string& stdoutFile, const std::string& stderrFile) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

} // namespace as11test
