#include "codetools/SymbolTable.h"

#include <algorithm>

namespace quorvel {

namespace {
constexpr size_t kAddressSpace = 65536;
} // namespace

int32_t SymbolTable::SymbolValue(QString& name) const {
    name = name.toUpper();
    for (const ListingLine& line : lines_)
        if (!line.Label.isEmpty() && line.Label == name) return line.Address;
    return -1;
}

const ListingLine* SymbolTable::ListedCode(int32_t address, std::span<const uint8_t> code) const {
    if (lastCodeAt_.empty() || address < 0 || static_cast<size_t>(address) >= kAddressSpace) return nullptr;
    for (int32_t i = lastCodeAt_[static_cast<size_t>(address)]; i >= 0;
         i = earlierCodeAt_[static_cast<size_t>(i)]) {
        const ListingLine& line = lines_[static_cast<size_t>(i)];
        if (static_cast<size_t>(line.ByteCount) != code.size()) continue;
        if (std::equal(code.begin(), code.end(), line.Bytes.begin())) return &line;
    }
    return nullptr;
}

void SymbolTableBuilder::Reserve(qsizetype records, qsizetype characters) {
    table_.lines_.reserve(static_cast<size_t>(records));
    spans_.reserve(static_cast<size_t>(records));
    table_.text_.reserve(characters);
}

void SymbolTableBuilder::Append(const ListingLine& fields, qsizetype textOffset, qsizetype labelLength,
                                qsizetype sourceLength) {
    table_.lines_.push_back(fields);
    spans_.push_back({textOffset, labelLength, sourceLength});
}

SymbolTable SymbolTableBuilder::Finish() {
    SymbolTable& t = table_;
    // The text is complete: the views may point into it now.
    const QStringView text(t.text_);
    t.lastCodeAt_.assign(kAddressSpace, -1);
    t.earlierCodeAt_.assign(t.lines_.size(), -1);
    for (size_t i = 0; i < t.lines_.size(); ++i) {
        ListingLine& line = t.lines_[i];
        const Span& span = spans_[i];
        line.Label = text.sliced(span.Offset, span.LabelLength);
        line.Source = text.sliced(span.Offset, span.SourceLength);
        if (line.ByteCount <= 0) continue;
        const size_t at = static_cast<size_t>(line.Address) & (kAddressSpace - 1);
        t.earlierCodeAt_[i] = t.lastCodeAt_[at];
        t.lastCodeAt_[at] = static_cast<int32_t>(i);
    }
    spans_.clear();
    SymbolTable finished = std::move(table_);
    table_ = SymbolTable();
    return finished;
}

} // namespace quorvel
