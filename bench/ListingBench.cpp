// Loading a listing into the symbol table: a generated listing in the
// assembler's layout (labels, tabs, data directives with continuation lines,
// comments), read from a file and parsed, as Load Symbols does.
//
//   listing_bench [--benchmark_filter=...]
//
// LoadFile/32767 is the figure that matters: a 32,767-line listing from disk
// to a finished table, with the event callback the IDE passes (here it only
// counts). Parse/N times the parse alone from text in memory.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "codetools/ListingLoader.h"
#include "codetools/ListingParser.h"
#include "frame/NumberText.h"

namespace {

using namespace quorvel;

QString Prefix(int number, int address, std::initializer_list<int> bytes) {
    QString line =
        QStringLiteral("%1 ").arg(number % 10000, 4, 10, QLatin1Char('0')) + HexPad(address, 4) + u' ';
    for (const int byte : bytes)
        line += HexPad(byte, 2) + u' ';
    return line.leftJustified(27, u' ');
}

// `lines` listing lines: mostly instructions, one in eight labelled, data
// lines with continuations, comments and blank lines as the assembler writes them.
QByteArray GenerateListing(int lines) {
    QString text;
    text.reserve(qsizetype(lines) * 48);
    int address = 0xE000;
    for (int n = 1; n <= lines; ++n) {
        switch (n % 16) {
        case 0: text += QStringLiteral("%1").arg(n % 10000, 4, 10, QLatin1Char('0')) + u'\n'; break;
        case 5:
            text += QStringLiteral("%1").arg(n % 10000, 4, 10, QLatin1Char('0')) + QString(23, u' ') +
                    QStringLiteral("* comment line %1\n").arg(n);
            break;
        case 9:
            text += Prefix(n, address, {1, 2, 3, 4, 5}) + QStringLiteral("T%1\tFCB\t1,2,3,4,5,6,7\n").arg(n);
            text += QStringLiteral("     ") + HexPad(address + 5, 4) + QStringLiteral(" 06 07\n");
            address += 7;
            break;
        case 1:
        case 8:
            text += Prefix(n, address, {0x86, 0x41}) + QStringLiteral("L%1:\tLDAA\t#$41\t; load\n").arg(n);
            address += 2;
            break;
        case 12:
            text += Prefix(n, address, {0x18, 0xCE, 0x10, 0x00}) + QStringLiteral("        LDY     #REGS\n");
            address += 4;
            break;
        default:
            text += Prefix(n, address, {0xBD, 0xE0, 0x00}) + QStringLiteral("        JSR     START\n");
            address += 3;
            break;
        }
        address &= 0xFFFF;
    }
    return text.toUtf8();
}

void LoadFile(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.lst"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the listing");
            return;
        }
        file.write(GenerateListing(static_cast<int>(state.range(0))));
    }
    int64_t events = 0;
    qsizetype records = 0;
    for (auto _ : state) {
        SymbolTable table;
        QString error;
        if (!LoadListingFile(path, table, error, [&events] { ++events; })) {
            state.SkipWithError("cannot read the listing");
            return;
        }
        records = table.ListingCount();
        benchmark::DoNotOptimize(table);
    }
    state.counters["records"] = static_cast<double>(records);
    state.counters["event_calls"] =
        benchmark::Counter(static_cast<double>(events), benchmark::Counter::kAvgIterations);
}
BENCHMARK(LoadFile)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

void Parse(benchmark::State& state) {
    const QString text = QString::fromUtf8(GenerateListing(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        SymbolTable table = ParseListing(text);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(Parse)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
