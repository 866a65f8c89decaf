// Character classes and the field structure of one source line.
//
// A source line is label, operation, operand and comment. The label starts in
// column 1 (an optional colon may follow it); blanks or tabs separate the
// fields; a line that starts with '*' or ';' is a comment.
#pragma once

#include <cstddef>
#include <string_view>

namespace as11 {

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr bool isIdentStart(char c) {
    return isLetter(c) || c == '_' || c == '.';
}
constexpr bool isIdentChar(char c) {
    return isIdentStart(c) || isDigit(c);
}
constexpr char toUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// True when the operand field ends at `pos`: end of line, a blank, or a comment.
constexpr bool atFieldEnd(std::string_view text, std::size_t pos) {
    return pos >= text.size() || isBlank(text[pos]) || text[pos] == ';';
}

constexpr std::size_t skipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

enum class LineKind : unsigned char {
    Empty,     // nothing but blanks
    Comment,   // starts with '*' or ';'
    Statement, // has a label, an operation, or both
};

struct Fields {
    LineKind kind = LineKind::Empty;
    bool badLabel = false;      // column 1 holds something that is not a label
    std::string_view label;     // without the colon; empty when none
    std::string_view operation; // empty when the line holds only a label
    std::size_t operandPos = 0; // first non-blank after the operation
    bool labelEndsLine = false; // the label is the last character of the line
};

Fields splitFields(std::string_view line);

} // namespace as11
