// The board's end of the serial line: a pseudo-terminal in raw mode. The
// master side is the board; the slave device is what the IDE opens. The board
// keeps a slave descriptor of its own open, so the line stays usable while no
// client has it open (the master would otherwise report a hang-up).
//
//     PseudoTerminal line;
//     if (!line.Open(error)) ...
//     puts(line.SlavePath().c_str());
#pragma once

#include <string>

namespace quorvel::hc11board {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // False with a reason in error.
    bool Open(std::string& error);
    // Makes path a symbolic link to the slave device (replacing an old link,
    // never another file); removed again on destruction.
    bool Link(const std::string& path, std::string& error);

    int Master() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string link_;
};

} // namespace quorvel::hc11board
