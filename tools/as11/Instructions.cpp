// Instruction operands: syntax, addressing-mode choice and encoding.
//
//   (nothing)        inherent; anything after the mnemonic is a comment
//   #expr            immediate, 8 or 16 bits as the opcode map says
//   expr  <expr  >expr  direct or extended ('<' forces direct, '>' extended)
//   expr,X  ,X  expr,Y  indexed, offset 0..255
//   expr             relative, for branches
//   addr mask  /  addr,#mask  /  off,X mask  /  off,X,#mask     BSET, BCLR
//   addr mask target  /  addr,#mask,target  /  off,Y #mask target  BRSET, BRCLR
#include "Assembler.h"

namespace as11 {

namespace {

std::string modeUnavailable(const char* mode, Op op) {
    return std::string(mode) + " addressing is not available for " + std::string(vantrel::mnemonic(op));
}

} // namespace

void Assembler::emitOpcode(Op op, AddrMode mode) {
    const Encoding e = encodingOf(op, mode);
    if (e.prefixed()) emit(e.prefix());
    emit(e.opcode);
    emits_ = true;
}

bool Assembler::emitRelative(const ExprResult& target, int length) {
    // The offset counts from the byte after the instruction.
    const int64_t offset = static_cast<int64_t>(target.value) - (static_cast<int64_t>(loc_) + length);
    if (second() && (offset < -128 || offset > 127))
        return fail("branch out of range (target " + formatValue(target.value) + ", offset " +
                    std::to_string(offset) + ")");
    emit(static_cast<int32_t>(offset & 0xFF));
    return true;
}

bool Assembler::instruction(Op op) {
    if (hasMode(op, AddrMode::Inherent)) {
        emitOpcode(op, AddrMode::Inherent);
        return true;
    }
    if (hasMode(op, AddrMode::Relative)) return relativeInstruction(op);
    if (hasMode(op, AddrMode::BitDirect) || hasMode(op, AddrMode::BitBranchDirect)) return bitInstruction(op);
    return generalInstruction(op);
}

bool Assembler::relativeInstruction(Op op) {
    ExprResult target;
    if (!requireOperand() || !expression(target) || !endOfOperand()) return false;
    emitOpcode(op, AddrMode::Relative);
    return emitRelative(target, encodingOf(op, AddrMode::Relative).length());
}

// ",X" or ",Y" at the cursor (blanks allowed after the comma).
bool Assembler::indexRegister(AddrMode xMode, AddrMode yMode, AddrMode& mode) {
    std::size_t p = pos_;
    if (p >= text_.size() || text_[p] != ',') return false;
    p = skipBlanks(text_, p + 1);
    if (p >= text_.size()) return false;
    const char r = toUpper(text_[p]);
    if ((r != 'X' && r != 'Y') || (p + 1 < text_.size() && isIdentChar(text_[p + 1]))) return false;
    mode = r == 'X' ? xMode : yMode;
    pos_ = p + 1;
    return true;
}

bool Assembler::immediateOperand(Op op) {
    ++pos_; // '#'
    const bool word = hasMode(op, AddrMode::Immediate16);
    if (!word && !hasMode(op, AddrMode::Immediate8)) return fail(modeUnavailable("immediate", op));
    ExprResult v;
    if (!expression(v) || !endOfOperand()) return false;
    if (word) {
        if (!inRange(v, -32768, 65535, "immediate value")) return false;
        emitOpcode(op, AddrMode::Immediate16);
        emitWord(v.value);
    } else {
        if (!inRange(v, -128, 255, "immediate value")) return false;
        emitOpcode(op, AddrMode::Immediate8);
        emit(v.value & 0xFF);
    }
    return true;
}

// Pass 1 picks direct or extended; pass 2 keeps that choice so the sizes agree.
bool Assembler::chooseAddressMode(Op op, char force, const ExprResult& value, AddrMode& mode) {
    if (second()) {
        mode = mode_;
        return true;
    }
    const bool direct = hasMode(op, AddrMode::Direct);
    const bool extended = hasMode(op, AddrMode::Extended);
    if (force == '<') {
        if (!direct) return fail(modeUnavailable("direct", op));
        mode = AddrMode::Direct;
    } else if (force == '>') {
        if (!extended) return fail(modeUnavailable("extended", op));
        mode = AddrMode::Extended;
    } else if (direct && value.known && value.value >= 0 && value.value <= 0xFF) {
        mode = AddrMode::Direct;
    } else if (extended) {
        mode = AddrMode::Extended;
    } else if (direct) {
        mode = AddrMode::Direct;
    } else {
        return fail("addressing mode not available for " + std::string(vantrel::mnemonic(op)));
    }
    mode_ = mode;
    return true;
}

bool Assembler::generalInstruction(Op op) {
    if (!requireOperand()) return false;
    if (text_[pos_] == '#') return immediateOperand(op);
    char force = 0;
    if (text_[pos_] == '<' || text_[pos_] == '>') force = text_[pos_++];
    ExprResult v;
    v.value = 0; // ",X" alone means offset 0
    if ((pos_ >= text_.size() || text_[pos_] != ',') && !expression(v)) return false;
    AddrMode mode = AddrMode::Inherent;
    if (indexRegister(AddrMode::IndexedX, AddrMode::IndexedY, mode)) {
        if (force) return fail("'<' and '>' do not apply to indexed addressing");
        if (!hasMode(op, mode))
            return fail(modeUnavailable(mode == AddrMode::IndexedX ? "indexed (X)" : "indexed (Y)", op));
        if (!endOfOperand() || !inRange(v, 0, 255, "index offset")) return false;
        emitOpcode(op, mode);
        emit(v.value & 0xFF);
        return true;
    }
    if (pos_ < text_.size() && text_[pos_] == ',') return fail("expected X or Y after ','");
    if (!endOfOperand() || !chooseAddressMode(op, force, v, mode)) return false;
    if (mode == AddrMode::Direct) {
        if (!inRange(v, 0, 0xFF, "direct address")) return false;
        emitOpcode(op, mode);
        emit(v.value);
    } else {
        if (!inRange(v, 0, 0xFFFF, "address")) return false;
        emitOpcode(op, mode);
        emitWord(v.value);
    }
    return true;
}

// Between the parts of a bit instruction: blanks, a comma, or both.
bool Assembler::separator(const char* what) {
    std::size_t p = skipBlanks(text_, pos_);
    if (p < text_.size() && text_[p] == ',')
        p = skipBlanks(text_, p + 1);
    else if (p == pos_ && !atFieldEnd(text_, p))
        return endOfOperand(); // reports the stray character
    if (p >= text_.size() || text_[p] == ';') return fail(std::string("missing ") + what);
    pos_ = p;
    return true;
}

bool Assembler::bitInstruction(Op op) {
    const bool branch = hasMode(op, AddrMode::BitBranchDirect);
    if (!requireOperand()) return false;
    if (text_[pos_] == '<') ++pos_; // direct is the only non-indexed mode anyway
    ExprResult address;
    address.value = 0;
    const bool hasAddress = pos_ < text_.size() && text_[pos_] != ',';
    if (hasAddress && !expression(address)) return false;
    AddrMode mode = branch ? AddrMode::BitBranchDirect : AddrMode::BitDirect;
    const bool indexed = branch
                             ? indexRegister(AddrMode::BitBranchIndexedX, AddrMode::BitBranchIndexedY, mode)
                             : indexRegister(AddrMode::BitIndexedX, AddrMode::BitIndexedY, mode);
    if (!hasAddress && !indexed) return fail("missing address");
    if (!separator("bit mask")) return false;
    if (text_[pos_] == '#') ++pos_;
    ExprResult mask;
    if (!expression(mask)) return false;
    ExprResult target;
    if (branch && (!separator("branch target") || !expression(target))) return false;
    if (!endOfOperand()) return false;
    if (!inRange(address, 0, 0xFF, indexed ? "index offset" : "direct address") ||
        !inRange(mask, -128, 255, "bit mask"))
        return false;
    emitOpcode(op, mode);
    emit(address.value & 0xFF);
    emit(mask.value & 0xFF);
    return !branch || emitRelative(target, encodingOf(op, mode).length());
}

} // namespace as11
