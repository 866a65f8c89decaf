// The listing's column layout, as the IDE's listing reader accepts it.
#include "ListingWriter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string listingOf(const std::string& source) {
    return as11::assemble(source).listing;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

TEST(As11Listing, ExactLayout) {
    const std::string source = "* demo\n"
                               "PORTA   EQU     $1000\n"
                               "        ORG     $E000\n"
                               "START   LDAA    #$41\n"
                               "        STAA    PORTA\n"
                               "LOOP\n"
                               "        BRSET   5,Y #$80 LOOP\n"
                               "MSG     FCC     /Hello!/\n"
                               "\n"
                               "        END     START\n";
    EXPECT_EQ(listingOf(source), "0001                       * demo\n"
                                 "0002 1000                  PORTA   EQU     $1000\n"
                                 "0003 E000                          ORG     $E000\n"
                                 "0004 E000 86 41            START   LDAA    #$41\n"
                                 "0005 E002 B7 10 00                 STAA    PORTA\n"
                                 "0006 E005                  LOOP \n"
                                 "0007 E005 18 1E 05 80 FB           BRSET   5,Y #$80 LOOP\n"
                                 "0008 E00A 48 65 6C 6C 6F   MSG     FCC     /Hello!/\n"
                                 "     E00F 21\n"
                                 "0009\n"
                                 "0010                               END     START\n");
}

TEST(As11Listing, TheReadersExampleLine) {
    const std::vector<std::string> lines = linesOf(listingOf(" ORG $E000\nSTART   LDAA #$41\n"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "0002 E000 86 41            START   LDAA #$41");
    EXPECT_EQ(as11test::ideRejects(lines[1]), "");
    EXPECT_EQ(lines[1].substr(27), "START   LDAA #$41"); // source from column 28
}

TEST(As11Listing, TabsAreKept) {
    const std::vector<std::string> lines = linesOf(listingOf("LBL\tNOP\t; c\n"));
    EXPECT_EQ(lines.at(0), "0001 0000 01               LBL\tNOP\t; c");
}

TEST(As11Listing, LongDataContinuesWithoutLineNumbers) {
    const std::vector<std::string> lines =
        linesOf(listingOf(" ORG $10\nT FCB 1,2,3,4,5,6,7,8,9,10,11\n FDB 1,2,3\n"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "0002 0010 01 02 03 04 05   T FCB 1,2,3,4,5,6,7,8,9,10,11");
    EXPECT_EQ(lines[2], "     0015 06 07 08 09 0A");
    EXPECT_EQ(lines[3], "     001A 0B");
    EXPECT_EQ(lines[4], "0003 001B 00 01 00 02 00    FDB 1,2,3");
    EXPECT_EQ(lines[5], "     0020 03");
}

TEST(As11Listing, FillOfManyBytes) {
    const std::string listing = listingOf(" ORG $FFF0\n FILL $EE,16\n");
    EXPECT_EQ(as11test::badListingLine(listing), "");
    const std::vector<std::string> lines = linesOf(listing);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4], "     FFFF EE");
}

TEST(As11Listing, LineNumbersWrapAfter9999) {
    std::string source;
    for (int i = 0; i < 10001; ++i)
        source += "* c\n";
    const std::vector<std::string> lines = linesOf(listingOf(source));
    ASSERT_EQ(lines.size(), 10001u);
    EXPECT_EQ(lines[9998].substr(0, 4), "9999");
    EXPECT_EQ(lines[9999].substr(0, 4), "0000");
    EXPECT_EQ(lines[10000].substr(0, 4), "0001");
}

TEST(As11Listing, EveryLineHasAnAcceptedShape) {
    std::string source =
        " ORG $E000\nPORT EQU $1000\n* comment\n\nSTART LDAA #1 ; c\n LDX #$1234\n BSET 0,X $01\n"
        "T FCB 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\n FCC /0123456789/\n RMB 3\n OPT\nL\n"
        " BAD OPERATION\n LDAA UNDEFINED\n END\nafter end\n";
    for (const auto& l : as11test::everyOpcodeLine())
        source.insert(source.find(" END"), l.motorola + "\n");
    const std::string listing = listingOf(source);
    EXPECT_EQ(as11test::badListingLine(listing), "");
    // One numbered line per source line.
    std::size_t numbered = 0;
    for (const std::string& line : linesOf(listing))
        numbered += line.size() >= 4 && line[0] != ' ';
    std::size_t sourceLines = 0;
    for (const char c : source)
        sourceLines += c == '\n';
    EXPECT_EQ(numbered, sourceLines);
}

TEST(As11Listing, LinesWithoutPlacementLeaveTheAddressBlank) {
    const std::vector<std::string> lines = linesOf(listingOf(" OPT\n END\n"));
    EXPECT_EQ(lines.at(0), "0001                        OPT");
    EXPECT_EQ(lines.at(1), "0002                        END");
}

TEST(As11Listing, ErrorLinesAreListedWithTheirAddress) {
    const std::vector<std::string> lines = linesOf(listingOf(" ORG $E000\n LDAA NOWHERE\n NOP\n"));
    EXPECT_EQ(lines.at(1), "0002 E000                   LDAA NOWHERE");
    EXPECT_EQ(lines.at(2), "0003 E003 01                NOP"); // the bad line keeps its size
}

TEST(As11Listing, ControlCharactersAreNotCopied) {
    const std::string listing = listingOf("* a\rb\x01"
                                          "c\x7F\n");
    EXPECT_EQ(listing, "0001                       * a?b?c?\n");
}

TEST(As11Listing, CrLfLinesListWithoutCarriageReturns) {
    const std::string lf = listingOf(" ORG $10\r\nA NOP\r\n FCB 1,2\r\n");
    EXPECT_EQ(lf, listingOf(" ORG $10\nA NOP\n FCB 1,2\n"));
}

} // namespace
