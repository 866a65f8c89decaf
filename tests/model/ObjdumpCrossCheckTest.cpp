// The disassembler against GNU binutils' m68hc11-objdump on a binary that
// holds every byte of every opcode page: same instruction boundaries, same
// mnemonics (allowing for its spellings) and the same operand values.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ReferenceOpcodes.h"
#include "codetools/Disassembler.h"
#include "target/ImageTarget.h"

namespace quorvel {
namespace {

constexpr int32_t kOrigin = 0xE000;

struct Line {
    QString mnemonic; // lower case
    std::vector<int64_t> values;
};

// Every byte of pages 1..4 followed by the operand bytes its mode needs,
// varied so that offsets run both ways.
QByteArray everyOpcode() {
    QByteArray code;
    int serial = 0;
    for (int page = 1; page <= 4; ++page) {
        for (int opcode = 0; opcode < 256; ++opcode) {
            if (page == 1 && (opcode == 0x18 || opcode == 0x1A || opcode == 0xCD)) continue;
            if (page == 2) code.append('\x18');
            if (page == 3) code.append('\x1A');
            if (page == 4) code.append(static_cast<char>(0xCD));
            code.append(static_cast<char>(opcode));
            const auto ref = test::findReference(page, opcode);
            const int operands = ref && ref->name != "???" ? test::refOperandCount(ref->mode) : 0;
            for (int i = 0; i < operands; ++i)
                code.append(static_cast<char>((++serial * 37 + i * 11) & 0xFF));
        }
    }
    return code;
}

std::vector<int64_t> numbers(const QString& text, const QRegularExpression& pattern) {
    std::vector<int64_t> values;
    for (const auto& match : pattern.globalMatch(text))
        values.push_back(match.captured(1).toLongLong(nullptr, 16));
    return values;
}

std::map<int32_t, Line> ours(const QByteArray& code) {
    TargetState state;
    ImageTarget target(state);
    target.OutBytes(kOrigin, std::span(reinterpret_cast<const uint8_t*>(code.constData()),
                                       static_cast<size_t>(code.size())));
    Disassembler dis(state, target);
    const QRegularExpression hex(QStringLiteral("\\$([0-9A-F]+)"));
    std::map<int32_t, Line> lines;
    for (int32_t address = kOrigin; address < kOrigin + code.size();) {
        state.ProgramPageAddress = address;
        target.InProgram();
        int16_t length = 0;
        QString text;
        dis.Disassemble(address, length, text);
        const QString mnemonic = text.section(u' ', 0, 0).toLower();
        lines[address] = Line{mnemonic, numbers(text.mid(mnemonic.size()), hex)};
        address += length;
    }
    return lines;
}

std::map<int32_t, Line> theirs(const QString& output) {
    // "    e00d:\t18 1e 05 80 \tbrset\t0x5,y, #0x80, 0x0xe002"; a continuation
    // line of a long instruction has no text column.
    const QRegularExpression lineRe(QStringLiteral("^\\s*([0-9a-f]+):\\t[0-9a-f ]+\\t(\\S+)\\s*(.*)$"));
    const QRegularExpression number(QStringLiteral("(?:0x)+([0-9a-f]+)|\\b([0-9]+)\\b"));
    std::map<int32_t, Line> lines;
    for (const QString& raw : output.split(u'\n')) {
        const auto m = lineRe.match(raw);
        if (!m.hasMatch()) continue;
        Line line{m.captured(2), {}};
        for (const auto& n : number.globalMatch(m.captured(3))) {
            const bool isHex = n.capturedLength(1) > 0;
            line.values.push_back(isHex ? n.captured(1).toLongLong(nullptr, 16) : n.captured(2).toLongLong());
        }
        lines[static_cast<int32_t>(m.captured(1).toLong(nullptr, 16))] = line;
    }
    return lines;
}

// objdump's name for what the disassembler shows.
QString theirSpelling(const QString& ours) {
    static const std::map<QString, QString> spelling{
        {QStringLiteral("lsl"), QStringLiteral("asl")},
        {QStringLiteral("lsla"), QStringLiteral("asla")},
        {QStringLiteral("lslb"), QStringLiteral("aslb")},
        {QStringLiteral("lsld"), QStringLiteral("asld")},
    };
    const auto it = spelling.find(ours);
    return it == spelling.end() ? ours : it->second;
}

TEST(ObjdumpCrossCheck, EveryOpcodeAgreesWithBinutils) {
    const QString objdump = QStandardPaths::findExecutable(QStringLiteral("m68hc11-objdump"));
    if (objdump.isEmpty()) GTEST_SKIP() << "m68hc11-objdump is not installed";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("every.bin"));
    const QByteArray code = everyOpcode();
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(code);
    }
    QProcess process;
    process.start(objdump,
                  {QStringLiteral("-D"), QStringLiteral("-b"), QStringLiteral("binary"), QStringLiteral("-m"),
                   QStringLiteral("m68hc11"), QStringLiteral("--adjust-vma=0xE000"), path});
    ASSERT_TRUE(process.waitForFinished(20000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

    const std::map<int32_t, Line> mine = ours(code);
    const std::map<int32_t, Line> binutils = theirs(QString::fromLatin1(process.readAllStandardOutput()));
    ASSERT_FALSE(binutils.empty());

    int compared = 0;
    for (const auto& [address, line] : mine) {
        SCOPED_TRACE(QStringLiteral("at $%1: %2").arg(address, 4, 16).arg(line.mnemonic).toStdString());
        const auto it = binutils.find(address);
        ASSERT_NE(it, binutils.end()) << "objdump has no instruction here";
        const Line& other = it->second;
        if (line.mnemonic == u"???") {
            EXPECT_TRUE(other.mnemonic == u".byte" || other.mnemonic == u"bgnd")
                << other.mnemonic.toStdString();
            continue;
        }
        EXPECT_EQ(theirSpelling(line.mnemonic).toStdString(), other.mnemonic.toStdString());
        EXPECT_EQ(line.values, other.values);
        ++compared;
    }
    EXPECT_EQ(mine.size(), binutils.size());
    EXPECT_EQ(compared, 307);
}

} // namespace
} // namespace quorvel
