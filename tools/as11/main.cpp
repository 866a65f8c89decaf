// as11 [-o FILE.s19] [-l FILE.lst] [-e FILE.err] SOURCE
//
// Assembles SOURCE; exit status 0 without errors, 1 when the source has
// errors, 2 when a file cannot be read or written or the arguments are wrong.
#include "FileJob.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: as11 [-o FILE.s19] [-l FILE.lst] [-e FILE.err] SOURCE\n"
    "  Assembles SOURCE into S-records, a listing and, only when there are errors,\n"
    "  an error file; each is written next to SOURCE with its extension replaced\n"
    "  unless its option names another file.\n"
    "  -o FILE.s19  the S-record file\n"
    "  -l FILE.lst  the listing\n"
    "  -e FILE.err  the error file\n"
    "  -h, --help   print this help\n"
    "  Exit status: 0 no errors, 1 errors in the source, 2 a file could not be\n"
    "  read or written, or bad arguments.\n";

int usage() {
    std::fputs(kUsage, stderr);
    return as11::kFileError;
}

} // namespace

int main(int argc, char** argv) {
    std::string source;
    std::string srecords, listing, errors;
    bool optionsDone = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsDone && (arg == "-h" || arg == "--help")) {
            std::fputs(kUsage, stdout);
            return as11::kSuccess;
        }
        if (!optionsDone && arg == "--") {
            optionsDone = true;
            continue;
        }
        if (!optionsDone && arg.size() >= 2 && arg[0] == '-') {
            std::string* target = arg[1] == 'o'   ? &srecords
                                  : arg[1] == 'l' ? &listing
                                  : arg[1] == 'e' ? &errors
                                                  : nullptr;
            if (!target) return usage();
            if (arg.size() > 2)
                *target = std::string(arg.substr(2)); // -oFILE
            else if (i + 1 < argc)
                *target = argv[++i];
            else
                return usage();
            if (target->empty()) return usage();
            continue;
        }
        if (!source.empty() || arg.empty()) return usage();
        source = std::string(arg);
    }
    if (source.empty()) return usage();
    as11::OutputPaths paths = as11::defaultOutputPaths(source);
    if (!srecords.empty()) paths.srecords = srecords;
    if (!listing.empty()) paths.listing = listing;
    if (!errors.empty()) paths.errors = errors;
    return as11::assembleFile(source, paths, stderr);
}
