// Assembling a source file into the listing, S-record and error files.
//
// By default the outputs sit next to the source, named after it with the
// extension replaced at the last dot of the file name (prog.old.asm gives
// prog.old.lst, prog.old.s19, prog.old.err). The error file is written only
// when there are errors; an earlier one of the same name is removed otherwise.
//
//     const as11::OutputPaths out = as11::defaultOutputPaths("prog.asm");
//     const int status = as11::assembleFile("prog.asm", out, stderr);
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace as11 {

struct OutputPaths {
    std::string srecords;
    std::string listing;
    std::string errors;
};

OutputPaths defaultOutputPaths(std::string_view sourcePath);

enum ExitStatus : int {
    kSuccess = 0,
    kSourceErrors = 1, // the outputs are written, the error file lists the errors
    kFileError = 2,    // a file could not be read or written
};

// Reads, assembles and writes; the messages (file problems and the source's
// errors as "file:line: message") go to `messages` when it is not null.
int assembleFile(const std::string& sourcePath, const OutputPaths& outputs, std::FILE* messages);

} // namespace as11
