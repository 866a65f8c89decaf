// hc11board: an emulated 68HC11 evaluation board on a pseudo-terminal.
#include <cstdio>
#include <string>
#include <vector>

#include "BoardOptions.h"
#include "BoardServer.h"
#include "PseudoTerminal.h"

using namespace quorvel::hc11board;

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    BoardOptions options;
    std::string error;
    if (!ParseBoardOptions(args, options, error)) {
        std::fprintf(stderr, "hc11board: %s\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    PseudoTerminal line;
    BoardServer server(options, line);
    // Signals are blocked before anything else can receive them.
    if (!server.Prepare(error) || !line.Open(error) ||
        (!options.link.empty() && !line.Link(options.link, error))) {
        std::fprintf(stderr, "hc11board: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", line.SlavePath().c_str());
    std::fflush(stdout);
    return server.Serve();
}
