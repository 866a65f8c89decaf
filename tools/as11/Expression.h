// Operand expressions: numbers, symbols, the location counter, + - * / and
// parentheses, evaluated in 32-bit signed arithmetic.
//
// Number forms: $1F (hexadecimal), %1010 (binary), @17 (octal), 123
// (decimal), 'A (character; a closing quote is optional). '*' in operand
// position is the location counter. Blanks end an expression, so anything
// after one is left to the caller (usually a comment).
//
//     ExprResult r = evaluate(text, pos, location, symbols);
//     if (r.error != ExprError::None) report(r);
//     else if (r.known) use(r.value);   // unknown: a symbol not yet defined
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace as11 {

enum class SymbolState : unsigned char {
    Known,      // has a value
    Unknown,    // no value yet (forward reference while values are still being gathered)
    Undefined,  // never defined
    Unresolved, // defined by an EQU whose value could not be computed
};

struct SymbolLookup {
    SymbolState state = SymbolState::Undefined;
    int32_t value = 0;
};

class SymbolResolver {
public:
    virtual SymbolLookup lookup(std::string_view name) const = 0;

protected:
    ~SymbolResolver() = default;
};

enum class ExprError : unsigned char {
    None,
    Missing,        // no expression where one is required
    Syntax,         // an unexpected character
    BadNumber,      // digits that do not form a number of their base
    NumberTooLarge, // more than 32 bits
    Overflow,       // a result outside 32-bit signed range
    DivideByZero,
    TooDeep, // parentheses nested too deeply
    MissingParen,
    MissingChar, // a quote at the end of the operand
    Undefined,   // detail: the symbol
    Unresolved,  // detail: the symbol
};

struct ExprResult {
    int32_t value = 0;
    bool known = true; // false: depends on a symbol without a value yet
    ExprError error = ExprError::None;
    std::size_t end = 0;           // position after the expression
    std::string_view detail;       // symbol named by Undefined/Unresolved
    std::string_view firstUnknown; // first symbol that made the value unknown
};

inline constexpr int kMaxNesting = 64;

// With `unknowns`, every name without a value yet is appended to it, in the
// order the expression reads them (repeats included).
ExprResult evaluate(std::string_view text, std::size_t pos, int32_t location, const SymbolResolver& symbols,
                    std::vector<std::string_view>* unknowns = nullptr);

// "undefined symbol LOOP", "division by zero", ... for an error result.
std::string describe(const ExprResult& result, std::string_view text);

// A name or text excerpt shortened for messages; control bytes shown as '?'.
std::string excerpt(std::string_view text, std::size_t limit = 40);

} // namespace as11
