// The symbol table: one record for every line of an assembler listing that
// carries an address. It is the label -> address table of the address
// dialogs and the watches, it lets the disassembly window show the program's
// own source where memory still holds the listed bytes, and it feeds the
// labels window.
//
//     SymbolTable table = ParseListing(text);           // ListingParser.h
//     QString name = "loop";
//     int32_t value = table.SymbolValue(name);          // name is now "LOOP"; -1 when unknown
//     if (const ListingLine* line = table.ListedCode(0xE000, bytes)) show(line->Source);
//
// Labels and sources are views into text the table owns; they stay valid as
// long as the table (or the table it was moved into) lives. A table is
// replaced as a whole, never edited.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include <QString>
#include <QStringView>

namespace quorvel {

inline constexpr int kListedBytesMax = 5;

// One accepted listing line.
struct ListingLine {
    int32_t Address = 0;   // the address column, 0..$FFFF
    int16_t ByteCount = 0; // code bytes listed on the line; 0 for data directives
    std::array<uint8_t, kListedBytesMax> Bytes{};
    QStringView Label;  // the label defined on the line, empty when none
    QStringView Source; // the text from listing column 28 on; empty for data directives
};

class SymbolTable {
public:
    SymbolTable() = default;
    SymbolTable(SymbolTable&&) noexcept = default;
    SymbolTable& operator=(SymbolTable&&) noexcept = default;
    SymbolTable(const SymbolTable&) = delete;
    SymbolTable& operator=(const SymbolTable&) = delete;

    // The records in listing order.
    std::span<const ListingLine> ListingLines() const { return lines_; }
    qsizetype ListingCount() const { return static_cast<qsizetype>(lines_.size()); }

    // Upper-cases name in place, then gives the address of the first record
    // (in listing order) whose label is exactly that; -1 when none is. Labels
    // keep the listing's case, so only labels written in upper case are found.
    int32_t SymbolValue(QString& name) const;

    // The last record at address whose listed code bytes are exactly `code`
    // (as many bytes, the same values); null when there is none.
    const ListingLine* ListedCode(int32_t address, std::span<const uint8_t> code) const;

private:
    friend class SymbolTableBuilder;

    QString text_; // labels and sources of all records
    std::vector<ListingLine> lines_;
    // Records with code bytes, by address: the last one, then each earlier one.
    std::vector<int32_t> lastCodeAt_;
    std::vector<int32_t> earlierCodeAt_;
};

// Builds a table record by record.
//
//     SymbolTableBuilder builder;
//     qsizetype at = builder.Text().size();
//     builder.Text() += sourceText;                  // the record's text
//     builder.Append(line, at, labelLength, sourceLength);
//     SymbolTable table = builder.Finish();
class SymbolTableBuilder {
public:
    void Reserve(qsizetype records, qsizetype characters);
    // The text the records' labels and sources lie in; append a record's text before Append.
    QString& Text() { return table_.text_; }
    // A record whose label is the labelLength characters at textOffset and
    // whose source is the sourceLength characters at textOffset.
    void Append(const ListingLine& fields, qsizetype textOffset, qsizetype labelLength,
                qsizetype sourceLength);
    SymbolTable Finish();

private:
    struct Span {
        qsizetype Offset;
        qsizetype LabelLength;
        qsizetype SourceLength;
    };
    SymbolTable table_;
    std::vector<Span> spans_;
};

} // namespace quorvel
