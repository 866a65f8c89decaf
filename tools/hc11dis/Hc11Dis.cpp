#include "Hc11Dis.h"

#include "ImageLoader.h"
#include "Listing.h"
#include "codetools/Disassembler.h"
#include "frame/NumberText.h"

namespace quorvel::hc11dis {

namespace {

void usage(QTextStream& stream) {
    stream << "usage: hc11dis [--org ADDR] FILE\n"
              "  Disassembles every loaded range of FILE.\n"
              "  FILE        an S-record file (S1 records) or a raw binary\n"
              "  --org ADDR  load address of a raw binary (default $0000), e.g. $E000;\n"
              "              S-record files carry their own addresses\n"
              "  -h, --help  print this help\n";
}

struct Options {
    QString file;
    int32_t origin = 0;
};

// False when the arguments are unusable; the reason has been written to err.
bool parseArguments(const QStringList& args, Options& options, QTextStream& err) {
    bool haveFile = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        QString orgText;
        if (arg == u"--org") {
            if (i + 1 >= args.size()) {
                err << "hc11dis: --org needs an address\n";
                return false;
            }
            orgText = args[++i];
        } else if (arg.startsWith(u"--org=")) {
            orgText = arg.mid(6);
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            err << "hc11dis: unknown option " << arg << '\n';
            usage(err);
            return false;
        } else {
            if (haveFile) {
                err << "hc11dis: only one FILE may be given\n";
                return false;
            }
            options.file = arg;
            haveFile = true;
            continue;
        }
        options.origin = ParseNumber(orgText, true);
        if (options.origin < 0) {
            err << "hc11dis: invalid address for --org: " << orgText << '\n';
            return false;
        }
    }
    if (!haveFile) {
        usage(err);
        return false;
    }
    return true;
}

} // namespace

int RunHc11Dis(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.contains(u"--help") || args.contains(u"-h")) {
        usage(out);
        return kExitOk;
    }
    Options options;
    if (!parseArguments(args, options, err)) return kExitError;

    // Only a regular file of a bounded size is read: never a device or a pipe.
    QByteArray content;
    QString reason;
    if (ReadLoadFile(options.file, content, reason) != LoadFileStatus::Ok) {
        err << "hc11dis: cannot read " << options.file << ": " << reason << '\n';
        return kExitError;
    }

    TargetState state;
    ImageTarget target(state);
    LoadedMap loaded;
    if (LooksLikeSRecords(content)) {
        SRecordFlaws flaws;
        const int records = LoadSRecords(content, target, loaded, flaws);
        if (records == 0) {
            err << "hc11dis: " << options.file << ": no valid S1 record\n";
            return kExitError;
        }
        if (flaws.Lines > 0) err << "hc11dis: " << options.file << ": " << FlawsText(flaws) << '\n';
    } else {
        const int64_t dropped = LoadBinary(content, options.origin, target, loaded);
        if (dropped > 0)
            err << "hc11dis: " << options.file << ": " << dropped << " bytes past $FFFF left out\n";
    }

    Disassembler disassembler(state, target);
    for (int32_t address = 0; address < ImageTarget::kImageSize;) {
        if (!loaded.test(static_cast<size_t>(address))) {
            ++address;
            continue;
        }
        int32_t last = address;
        while (last + 1 < ImageTarget::kImageSize && loaded.test(static_cast<size_t>(last + 1)))
            ++last;
        ListRange(disassembler, target, address, last, out);
        address = last + 1;
    }
    out.flush();
    return kExitOk;
}

} // namespace quorvel::hc11dis
