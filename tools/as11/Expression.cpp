#include "Expression.h"

#include "Lexer.h"

#include <limits>

namespace as11 {
namespace {

struct Value {
    int64_t v = 0; // always within int32 range
    bool known = true;
};

constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax = std::numeric_limits<int32_t>::max();

class Parser {
public:
    Parser(std::string_view text, int32_t location, const SymbolResolver& symbols,
           std::vector<std::string_view>* unknowns)
        : text_(text), location_(location), symbols_(symbols), unknowns_(unknowns) {}

    ExprResult run(std::size_t pos) {
        pos_ = pos;
        Value value;
        ExprResult r;
        if (parseSum(value, 0)) {
            r.value = static_cast<int32_t>(value.v);
            r.known = value.known;
        } else {
            r.error = error_;
            r.detail = detail_;
            r.known = false;
        }
        r.end = pos_;
        r.firstUnknown = firstUnknown_;
        return r;
    }

private:
    bool fail(ExprError error, std::string_view detail = {}) {
        error_ = error;
        detail_ = detail;
        return false;
    }

    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    bool atEnd() const { return pos_ >= text_.size(); }

    // Combines two values; an unknown operand makes the result unknown and
    // suppresses the arithmetic checks, which run again once values are known.
    bool combine(Value& left, const Value& right, char op) {
        if (!left.known || !right.known) {
            left = Value{0, false};
            return true;
        }
        int64_t result = 0;
        switch (op) {
        case '+': result = left.v + right.v; break;
        case '-': result = left.v - right.v; break;
        case '*': result = left.v * right.v; break; // |operands| < 2^31: fits in 64 bits
        default:
            if (right.v == 0) return fail(ExprError::DivideByZero);
            result = left.v / right.v; // kMin / -1 is caught by the range check below
            break;
        }
        if (result < kMin || result > kMax) return fail(ExprError::Overflow);
        left.v = result;
        return true;
    }

    bool parseSum(Value& out, int depth) {
        if (!parseProduct(out, depth)) return false;
        while (!atEnd() && (peek() == '+' || peek() == '-')) {
            const char op = text_[pos_++];
            Value right;
            if (!parseProduct(right, depth) || !combine(out, right, op)) return false;
        }
        return true;
    }

    bool parseProduct(Value& out, int depth) {
        if (!parseUnary(out, depth)) return false;
        while (!atEnd() && (peek() == '*' || peek() == '/')) {
            const char op = text_[pos_++];
            Value right;
            if (!parseUnary(right, depth) || !combine(out, right, op)) return false;
        }
        return true;
    }

    bool parseUnary(Value& out, int depth) {
        bool negate = false;
        while (!atEnd() && (peek() == '-' || peek() == '+'))
            negate ^= text_[pos_++] == '-';
        if (!parsePrimary(out, depth)) return false;
        if (negate && out.known) {
            if (out.v == kMin) return fail(ExprError::Overflow);
            out.v = -out.v;
        }
        return true;
    }

    bool parsePrimary(Value& out, int depth) {
        if (atEnd()) return fail(ExprError::Missing);
        const char c = peek();
        if (c == '(') {
            if (depth + 1 > kMaxNesting) return fail(ExprError::TooDeep);
            ++pos_;
            if (!parseSum(out, depth + 1)) return false;
            if (peek() != ')' || atEnd()) return fail(ExprError::MissingParen);
            ++pos_;
            return true;
        }
        if (c == '*') {
            ++pos_;
            out = Value{location_, true};
            return true;
        }
        if (c == '\'') {
            if (pos_ + 1 >= text_.size()) return fail(ExprError::MissingChar);
            out = Value{static_cast<unsigned char>(text_[pos_ + 1]), true};
            pos_ += 2;
            if (peek() == '\'' && !atEnd()) ++pos_;
            return true;
        }
        if (c == '$') return parseNumber(out, 16, pos_ + 1);
        if (c == '%') return parseNumber(out, 2, pos_ + 1);
        if (c == '@') return parseNumber(out, 8, pos_ + 1);
        if (isDigit(c)) return parseNumber(out, 10, pos_);
        if (isIdentStart(c)) return parseSymbol(out);
        if (isBlank(c) || c == ',' || c == ';') return fail(ExprError::Missing);
        return fail(ExprError::Syntax);
    }

    static int digitValue(char c) {
        if (isDigit(c)) return c - '0';
        const char u = toUpper(c);
        if (u >= 'A' && u <= 'F') return u - 'A' + 10;
        return 99;
    }

    bool parseNumber(Value& out, int base, std::size_t start) {
        pos_ = start;
        uint64_t value = 0;
        bool tooLarge = false;
        while (!atEnd()) {
            const int d = digitValue(peek());
            if (d >= base) break;
            value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
            if (value > 0xFFFFFFFFu) {
                tooLarge = true;
                value = 0;
            }
            ++pos_;
        }
        if (pos_ == start || (!atEnd() && isIdentChar(peek()))) return fail(ExprError::BadNumber);
        if (tooLarge) return fail(ExprError::NumberTooLarge);
        // 32-bit patterns such as $FFFFFFFF read as two's complement.
        out = Value{static_cast<int32_t>(static_cast<uint32_t>(value)), true};
        return true;
    }

    bool parseSymbol(Value& out) {
        const std::size_t start = pos_;
        while (!atEnd() && isIdentChar(peek()))
            ++pos_;
        const std::string_view name = text_.substr(start, pos_ - start);
        const SymbolLookup found = symbols_.lookup(name);
        switch (found.state) {
        case SymbolState::Known: out = Value{found.value, true}; return true;
        case SymbolState::Unknown:
            if (firstUnknown_.empty()) firstUnknown_ = name;
            if (unknowns_) unknowns_->push_back(name);
            out = Value{0, false};
            return true;
        case SymbolState::Undefined: pos_ = start; return fail(ExprError::Undefined, name);
        case SymbolState::Unresolved: pos_ = start; return fail(ExprError::Unresolved, name);
        }
        return fail(ExprError::Syntax);
    }

    std::string_view text_;
    int32_t location_;
    const SymbolResolver& symbols_;
    std::vector<std::string_view>* unknowns_;
    std::size_t pos_ = 0;
    ExprError error_ = ExprError::None;
    std::string_view detail_;
    std::string_view firstUnknown_;
};

} // namespace

ExprResult evaluate(std::string_view text, std::size_t pos, int32_t location, const SymbolResolver& symbols,
                    std::vector<std::string_view>* unknowns) {
    return Parser(text, location, symbols, unknowns).run(pos);
}

std::string excerpt(std::string_view text, std::size_t limit) {
    std::string out;
    const bool cut = text.size() > limit;
    for (const char c : text.substr(0, limit)) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 0x20 || u == 0x7F) ? '?' : c;
    }
    if (cut) out += "...";
    return out;
}

std::string describe(const ExprResult& result, std::string_view text) {
    switch (result.error) {
    case ExprError::None: return {};
    case ExprError::Missing: return "missing expression";
    case ExprError::Syntax: {
        if (result.end >= text.size()) return "syntax error in expression";
        return "unexpected character '" + excerpt(text.substr(result.end, 1)) + "' in expression";
    }
    case ExprError::BadNumber: return "invalid number";
    case ExprError::NumberTooLarge: return "number too large (more than 32 bits)";
    case ExprError::Overflow: return "arithmetic overflow (beyond 32 bits)";
    case ExprError::DivideByZero: return "division by zero";
    case ExprError::TooDeep: return "expression nested too deeply";
    case ExprError::MissingParen: return "missing ')'";
    case ExprError::MissingChar: return "missing character after '";
    case ExprError::Undefined: return "undefined symbol " + excerpt(result.detail);
    case ExprError::Unresolved: return "unresolved symbol " + excerpt(result.detail);
    }
    return "invalid expression";
}

} // namespace as11
