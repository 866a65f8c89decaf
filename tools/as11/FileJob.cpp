#include "FileJob.h"

#include "As11.h"
#include "ListingWriter.h"
#include "SRecordWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>

namespace as11 {
namespace {

constexpr std::size_t kErrorsOnTerminal = 50;

void report(std::FILE* messages, const std::string& text) {
    if (messages) std::fprintf(messages, "as11: %s\n", text.c_str());
}

bool readFile(const std::string& path, std::string& text, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    std::size_t size = 0;
    if (fstat(fileno(f), &info) == 0 && S_ISREG(info.st_mode)) size = static_cast<std::size_t>(info.st_size);
    text.resize(size);
    std::size_t got = size > 0 ? std::fread(text.data(), 1, size, f) : 0;
    text.resize(got);
    char buf[65536];
    while (!std::ferror(f) && !std::feof(f)) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, f);
        text.append(buf, n);
        if (n == 0) break;
    }
    const bool failed = std::ferror(f) != 0;
    const int savedErrno = errno;
    std::fclose(f);
    if (failed) error = std::strerror(savedErrno);
    return !failed;
}

// An existing regular file is replaced, not truncated: filesystems such as
// ext4 flush a truncated-and-rewritten file to disk on close, which costs
// more than the whole assembly. Symbolic links and devices are written through.
bool writeFile(const std::string& path, std::string_view text, std::string& error) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(path.c_str());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    const std::size_t written = text.empty() ? 0 : std::fwrite(text.data(), 1, text.size(), f);
    int savedErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!closed) savedErrno = errno;
    if (written != text.size() || !closed) {
        error = std::strerror(savedErrno);
        return false;
    }
    return true;
}

// The same file: one inode when both exist, else the same resolved path.
bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    const bool aExists = stat(a.c_str(), &sa) == 0;
    const bool bExists = stat(b.c_str(), &sb) == 0;
    if (aExists && bExists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (aExists != bExists) return false;
    std::error_code ea, eb;
    const std::filesystem::path pa = std::filesystem::weakly_canonical(a, ea);
    const std::filesystem::path pb = std::filesystem::weakly_canonical(b, eb);
    return ea || eb ? a == b : pa == pb;
}

// An output that names the source (or another output) would destroy it.
bool distinctFiles(const std::string& source, const OutputPaths& out, std::string& error) {
    const std::string* names[] = {&source, &out.srecords, &out.listing, &out.errors};
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (sameFile(*names[i], *names[j])) {
                error = "output file " + *names[j] + " would overwrite " + *names[i];
                return false;
            }
    return true;
}

int assembleAndWrite(const std::string& sourcePath, const OutputPaths& outputs, std::FILE* messages) {
    std::string error;
    if (!distinctFiles(sourcePath, outputs, error)) {
        report(messages, error);
        return kFileError;
    }
    std::string source;
    if (!readFile(sourcePath, source, error)) {
        report(messages, "cannot read " + sourcePath + ": " + error);
        return kFileError;
    }
    const Program program = assembleProgram(source);
    if (!writeFile(outputs.listing, formatListing(program), error)) {
        report(messages, "cannot write " + outputs.listing + ": " + error);
        return kFileError;
    }
    if (!writeFile(outputs.srecords, formatSRecords(program), error)) {
        report(messages, "cannot write " + outputs.srecords + ": " + error);
        return kFileError;
    }
    if (program.errors.empty()) {
        std::error_code ec;
        std::filesystem::remove(outputs.errors, ec); // an earlier run's errors no longer apply
        if (ec) {
            report(messages, "cannot remove " + outputs.errors + ": " + ec.message());
            return kFileError;
        }
        return kSuccess;
    }
    if (!writeFile(outputs.errors, formatErrors(program.errors), error)) {
        report(messages, "cannot write " + outputs.errors + ": " + error);
        return kFileError;
    }
    if (messages) {
        // The error file has them all; the terminal gets the first ones.
        const std::size_t shown = std::min(program.errors.size(), kErrorsOnTerminal);
        for (std::size_t i = 0; i < shown; ++i)
            std::fprintf(messages, "%s:%u: %s\n", sourcePath.c_str(), program.errors[i].line,
                         program.errors[i].message.c_str());
        if (shown < program.errors.size())
            std::fprintf(messages, "%s: %zu more errors in %s\n", sourcePath.c_str(),
                         program.errors.size() - shown, outputs.errors.c_str());
    }
    return kSourceErrors;
}

} // namespace

OutputPaths defaultOutputPaths(std::string_view sourcePath) {
    const std::size_t slash = sourcePath.find_last_of('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = sourcePath.find_last_of('.');
    const std::string base(dot == std::string_view::npos || dot < nameStart ? sourcePath
                                                                            : sourcePath.substr(0, dot));
    return OutputPaths{base + ".s19", base + ".lst", base + ".err"};
}

int assembleFile(const std::string& sourcePath, const OutputPaths& outputs, std::FILE* messages) {
    try {
        return assembleAndWrite(sourcePath, outputs, messages);
    } catch (const std::bad_alloc&) {
        report(messages, "not enough memory to assemble " + sourcePath);
        return kFileError;
    }
}

} // namespace as11
