// S-record output: record layout, checksums, splitting and the S9 record.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Record {
    char type;
    uint32_t address;
    as11test::Bytes data;
};

// Parses and checks every record independently of the writer: upper-case
// hex, the count, and the one's-complement checksum.
std::vector<Record> parse(const std::string& text) {
    std::vector<Record> records;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        EXPECT_GE(line.size(), 10u) << line;
        EXPECT_EQ(line[0], 'S') << line;
        EXPECT_EQ(line.find_first_not_of("0123456789ABCDEF", 1), std::string::npos) << line;
        const auto byte = [&](std::size_t i) {
            return static_cast<uint32_t>(std::stoul(line.substr(i, 2), nullptr, 16));
        };
        const uint32_t count = byte(2);
        EXPECT_EQ(line.size(), 4 + 2 * count) << line;
        uint32_t sum = 0;
        for (uint32_t i = 0; i < count; ++i)
            sum += byte(2 + 2 * i);
        EXPECT_EQ(static_cast<uint8_t>(~sum), byte(2 + 2 * count)) << "checksum of " << line;
        Record r{line[1], byte(4) << 8 | byte(6), {}};
        for (uint32_t i = 0; i + 3 < count; ++i)
            r.data.push_back(static_cast<uint8_t>(byte(8 + 2 * i)));
        records.push_back(r);
    }
    return records;
}

TEST(As11SRecord, ExactRecords) {
    EXPECT_EQ(as11::assemble(" ORG $E000\n LDAA #$41\n END $E000\n").srecords,
              "S105E000864153\nS903E0001C\n");
}

TEST(As11SRecord, NoCodeStillGivesS9) {
    EXPECT_EQ(as11::assemble("").srecords, "S9030000FC\n");
    EXPECT_EQ(as11::assemble("* nothing\nX EQU 1\n").srecords, "S9030000FC\n");
}

TEST(As11SRecord, AtMostSixteenBytesPerRecord) {
    const std::vector<Record> r = parse(as11::assemble(" ORG $E000\n FILL $5A,40\n").srecords);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].address, 0xE000u);
    EXPECT_EQ(r[0].data.size(), 16u);
    EXPECT_EQ(r[1].address, 0xE010u);
    EXPECT_EQ(r[2].address, 0xE020u);
    EXPECT_EQ(r[2].data.size(), 8u);
    EXPECT_EQ(r[3].type, '9');
}

TEST(As11SRecord, GapsAndOrgsSplitRecords) {
    const std::vector<Record> r =
        parse(as11::assemble(" ORG $100\n FCB 1,2\n RMB 2\n FCB 3\n ORG $50\n FCB 4\n ORG $105\n FCB 5\n")
                  .srecords);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0].address, 0x100u);
    EXPECT_EQ(r[0].data, (as11test::Bytes{1, 2}));
    EXPECT_EQ(r[1].address, 0x104u);
    EXPECT_EQ(r[1].data, (as11test::Bytes{3}));
    EXPECT_EQ(r[2].address, 0x50u);
    EXPECT_EQ(r[3].address, 0x105u); // contiguous in memory but not in the source: own record
    EXPECT_EQ(r[4].type, '9');
}

TEST(As11SRecord, EveryByteLandsAtItsAddress) {
    const as11::Output out =
        as11::assemble(" ORG $FFE0\n FILL 1,10\n RMB 5\n FDB $1234\n ORG $20\n FCC /abc/\n END $FFE0\n");
    ASSERT_TRUE(out.errors.empty());
    std::map<uint32_t, uint8_t> memory;
    for (const Record& r : parse(out.srecords))
        for (std::size_t i = 0; i < r.data.size(); ++i)
            memory[r.address + static_cast<uint32_t>(i)] = r.data[i];
    EXPECT_EQ(memory.size(), 15u);
    EXPECT_EQ(memory.at(0xFFE0), 1);
    EXPECT_EQ(memory.at(0xFFE9), 1);
    EXPECT_EQ(memory.count(0xFFEA), 0u);
    EXPECT_EQ(memory.at(0xFFEF), 0x12);
    EXPECT_EQ(memory.at(0xFFF0), 0x34);
    EXPECT_EQ(memory.at(0x22), 'c');
    EXPECT_EQ(parse(out.srecords).back().address, 0xFFE0u);
}

TEST(As11SRecord, GnuObjcopyReadsTheRecords) {
    const std::string objcopy = as11test::findInPath("m68hc11-objcopy");
    if (objcopy.empty()) GTEST_SKIP() << "m68hc11-objcopy not installed";
    std::string source = " ORG $1000\n";
    for (const auto& l : as11test::everyOpcodeLine())
        source += l.motorola + "\n";
    const as11::Program p = as11::assembleProgram(source);
    ASSERT_TRUE(p.errors.empty());
    as11test::TempDir dir;
    as11test::writeText(dir / "p.s19", as11::assemble(source).srecords);
    // objcopy rejects records with a bad checksum.
    ASSERT_EQ(as11test::run({objcopy, "-I", "srec", "-O", "binary", (dir / "p.s19").string(),
                             (dir / "p.bin").string()}),
              0);
    const std::string bin = as11test::readText(dir / "p.bin");
    EXPECT_EQ(as11test::Bytes(bin.begin(), bin.end()), p.code);
}

} // namespace
