#include "As11.h"

#include "ListingWriter.h"
#include "SRecordWriter.h"

namespace as11 {

Output assemble(std::string_view source) {
    Program program = assembleProgram(source);
    Output out;
    out.listing = formatListing(program);
    out.srecords = formatSRecords(program);
    out.errors = std::move(program.errors);
    return out;
}

std::string formatErrors(const std::vector<Diagnostic>& errors) {
    std::string out;
    for (const Diagnostic& e : errors) {
        out += std::to_string(e.line);
        out += ": ";
        out += e.message;
        out += '\n';
    }
    return out;
}

} // namespace as11
