// Assembler directives:
//
//   ORG addr        location counter := addr
//   label EQU expr  label := expr
//   FCB/DB list     bytes;  FDB/DW list  16-bit words, high byte first
//   FCC /text/      the characters between two equal delimiters
//   RMB/DS count    reserve count bytes (nothing placed)
//   ZMB/BSZ count   count zero bytes
//   FILL value,count
//   END [start]     end of the source; start goes into the S9 record
//   OPT, PAGE       accepted and ignored
//
// Values that decide where code goes (ORG, and the counts) must be known when
// pass 1 reaches the line.
#include "Assembler.h"

namespace as11 {

bool Assembler::directive(Directive d, std::string_view label, uint32_t index) {
    switch (d) {
    case Directive::Org: return org();
    case Directive::Equ: return equ(label, index);
    case Directive::Rmb: return reserve(false);
    case Directive::Zmb: return reserve(true);
    case Directive::Fill: return fill();
    case Directive::Fcb: return byteList(false);
    case Directive::Fdb: return byteList(true);
    case Directive::Fcc: return fcc();
    case Directive::End: return end();
    case Directive::Ignored:
    case Directive::None: break;
    }
    return true;
}

bool Assembler::knownCount(const ExprResult& count, const char* what) {
    if (!count.known) return fail(std::string(what) + " must be defined before this line");
    if (count.value < 0 || count.value > kAddressLimit)
        return fail(std::string(what) + " " + formatValue(count.value) + " out of range ($0.." +
                    formatValue(kAddressLimit) + ")");
    return true;
}

bool Assembler::org() {
    if (second()) return true; // fully handled in pass 1
    ExprResult v;
    if (!requireOperand() || !expression(v) || !endOfOperand()) return false;
    if (!v.known) return fail("ORG address must be defined before this line");
    if (v.value < 0 || v.value > 0xFFFF) return fail("ORG address " + formatValue(v.value) + " out of range");
    loc_ = v.value;
    return true;
}

bool Assembler::equ(std::string_view label, uint32_t index) {
    if (label.empty()) return fail("EQU needs a label");
    if (second()) {
        const SymbolTable::Symbol* s = symbols_.find(label);
        if (s && !s->hasValue) return fail(symbols_.unresolvedMessage(label));
        return true;
    }
    const std::size_t start = pos_;
    ExprResult v;
    if (!requireOperand() || !expression(v) || !endOfOperand()) return false;
    const bool fresh = v.known ? symbols_.define(label, v.value, index + 1)
                               : symbols_.defineLater(label, index + 1, text_, start, loc_);
    if (!fresh) {
        defineLabel(label, 0, index); // reports the duplicate
        return false;
    }
    return true;
}

bool Assembler::reserve(bool zeroFill) {
    if (second() && !zeroFill) return true;
    ExprResult count;
    if (!requireOperand() || !expression(count) || !endOfOperand() || !knownCount(count, "count"))
        return false;
    if (!zeroFill) {
        size_ = static_cast<uint32_t>(count.value);
        return true;
    }
    emits_ = true;
    for (int32_t i = 0; i < count.value; ++i)
        emit(0);
    return true;
}

bool Assembler::fill() {
    ExprResult value;
    ExprResult count;
    if (!requireOperand() || !expression(value)) return false;
    if (pos_ >= text_.size() || text_[pos_] != ',')
        return fail("FILL needs a value and a count: FILL value,count");
    pos_ = skipBlanks(text_, pos_ + 1);
    if (!expression(count) || !endOfOperand() || !knownCount(count, "count") ||
        !inRange(value, -128, 255, "fill value"))
        return false;
    emits_ = true;
    for (int32_t i = 0; i < count.value; ++i)
        emit(value.value & 0xFF);
    return true;
}

bool Assembler::byteList(bool words) {
    if (!requireOperand()) return false;
    emits_ = true;
    for (;;) {
        ExprResult v;
        if (!expression(v)) return false;
        if (words) {
            if (!inRange(v, -32768, 65535, "word value")) return false;
            emitWord(v.value);
        } else {
            if (!inRange(v, -128, 255, "byte value")) return false;
            emit(v.value & 0xFF);
        }
        if (pos_ >= text_.size() || text_[pos_] != ',') break;
        pos_ = skipBlanks(text_, pos_ + 1);
    }
    return endOfOperand();
}

bool Assembler::fcc() {
    if (!requireOperand()) return false;
    const char delimiter = text_[pos_];
    const std::size_t close = text_.find(delimiter, pos_ + 1);
    if (close == std::string_view::npos)
        return fail("unterminated string (no closing " + excerpt(text_.substr(pos_, 1)) + ")");
    emits_ = true;
    for (std::size_t i = pos_ + 1; i < close; ++i)
        emit(static_cast<unsigned char>(text_[i]));
    pos_ = close + 1;
    return endOfOperand();
}

bool Assembler::end() {
    ended_ = true;
    if (pos_ >= text_.size() || text_[pos_] == ';') return true;
    ExprResult start;
    if (!expression(start) || !endOfOperand() || !inRange(start, 0, 0xFFFF, "start address")) return false;
    if (second()) entry_ = static_cast<uint16_t>(start.value);
    return true;
}

} // namespace as11
