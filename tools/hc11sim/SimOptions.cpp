#include "SimOptions.h"

#include "frame/NumberText.h"
#include "run/Breakpoints.h"

namespace quorvel::hc11sim {

namespace {

// A positive decimal count.
bool parseCount(const QString& text, int64_t& value) {
    if (text.isEmpty() || text.size() > 18) return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    value = text.toLongLong();
    return value > 0;
}

bool parseDump(const QString& text, MemoryDump& dump) {
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0) return false;
    dump.address = ParseNumber(QStringView(text).left(colon), true);
    dump.count = ParseNumber(QStringView(text).mid(colon + 1), true);
    return dump.address >= 0 && dump.count >= 0;
}

// "5,$41,%101": bytes as ParseNumber reads them, appended to bytes.
bool parseBytes(const QString& text, std::vector<uint8_t>& bytes) {
    for (const QString& item : text.split(u',')) {
        const int32_t value = ParseNumber(item.trimmed(), false);
        if (value < 0) return false;
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return true;
}

} // namespace

void PrintUsage(QTextStream& stream) {
    stream << "usage: hc11sim [options] FILE.s19\n"
              "  Loads FILE onto the simulator as the IDE's Download does, then plays it\n"
              "  until an idle loop (a branch or jump to itself), a breakpoint or the\n"
              "  step limit.\n"
              "  --pc ADDR          start here instead of at the reset vector ($FFFE)\n"
              "  --until ADDR       stop when the PC reaches ADDR (may repeat, at most 32)\n"
              "  --steps N          stop after N instructions (default 100000000)\n"
              "  --io FILE          attach the I/O unit ($6000-$6003); bytes written to\n"
              "                     $6003 are appended to FILE\n"
              "  --in BYTES         enter these bytes on the input unit one at a time:\n"
              "                     the first at the start, the next whenever the\n"
              "                     program has read $6001 (comma-separated numbers\n"
              "                     0-255, written like ADDR; may repeat)\n"
              "  --dump ADDR:COUNT  print COUNT bytes of memory from ADDR (may repeat)\n"
              "  --regs             print the registers, cycles and steps as the last line\n"
              "  --stats            print steps, seconds and MIPS on stderr\n"
              "  -h, --help         print this help\n"
              "  ADDR: $hex, decimal, %binary or @octal, e.g. $E000 or 57344.\n"
              "  Exit status: 0 idle loop or breakpoint, 3 step limit, 2 bad input.\n";
}

bool ParseSimOptions(const QStringList& args, SimOptions& options, QTextStream& err) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString name = args[i];
        QString value;
        const bool option = name.startsWith(u"--");
        if (option && name.contains(u'=')) {
            value = name.mid(name.indexOf(u'=') + 1);
            name = name.left(name.indexOf(u'='));
        }
        const auto takeValue = [&]() {
            if (!value.isNull()) return true;
            if (i + 1 >= args.size()) {
                err << "hc11sim: " << name << " needs a value\n";
                return false;
            }
            value = args[++i];
            return true;
        };
        const auto bad = [&](const char* what) {
            err << "hc11sim: invalid " << what << " for " << name << ": " << value << '\n';
            return false;
        };

        if (name == u"--help" || name == u"-h") {
            options.help = true;
        } else if (name == u"--regs") {
            options.regs = true;
        } else if (name == u"--stats") {
            options.stats = true;
        } else if (name == u"--pc") {
            if (!takeValue()) return false;
            options.pc = ParseNumber(value, true);
            if (options.pc < 0) return bad("address");
        } else if (name == u"--until") {
            if (!takeValue()) return false;
            const int32_t address = ParseNumber(value, true);
            if (address < 0) return bad("address");
            if (options.until.size() >= BreakpointTable::kMaxBreakpoints) {
                err << "hc11sim: at most " << BreakpointTable::kMaxBreakpoints << " --until addresses\n";
                return false;
            }
            options.until.push_back(address);
        } else if (name == u"--steps") {
            if (!takeValue()) return false;
            if (!parseCount(value, options.steps)) return bad("count");
        } else if (name == u"--io") {
            if (!takeValue()) return false;
            if (value.isEmpty()) return bad("file");
            options.ioFile = value;
        } else if (name == u"--in") {
            if (!takeValue()) return false;
            if (!parseBytes(value, options.input)) return bad("byte list");
        } else if (name == u"--dump") {
            if (!takeValue()) return false;
            MemoryDump dump;
            if (!parseDump(value, dump)) return bad("ADDR:COUNT");
            options.dumps.push_back(dump);
        } else if (name.startsWith(u'-') && name.size() > 1) {
            err << "hc11sim: unknown option " << name << '\n';
            return false;
        } else {
            if (!options.file.isEmpty()) {
                err << "hc11sim: only one FILE may be given\n";
                return false;
            }
            options.file = name;
        }
    }
    if (options.file.isEmpty() && !options.help) {
        err << "hc11sim: no S-record file given (hc11sim --help)\n";
        return false;
    }
    return true;
}

} // namespace quorvel::hc11sim
