#include "Assembler.h"

#include <algorithm>
#include <cstring>

namespace as11 {

std::string formatValue(int32_t value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char buf[12];
    int n = 0;
    do {
        buf[n++] = kHex[magnitude & 0xF];
        magnitude >>= 4;
    } while (magnitude != 0);
    std::string out = value < 0 ? "-$" : "$";
    while (n > 0)
        out += buf[--n];
    return out;
}

Assembler::Assembler(std::string_view source) : source_(source) {}

Program Assembler::run() {
    if (source_.size() > kMaxSourceSize) {
        // Line offsets are 32-bit; a source this large is not a program anyway.
        Program p;
        p.errors.push_back(Diagnostic{1, "source text larger than 2 GiB"});
        return p;
    }
    splitLines();
    firstPass();
    symbols_.resolvePending();
    symbols_.finish();
    showResolvedEqus();
    secondPass();
    Program p;
    p.source = source_;
    p.lines = std::move(lines_);
    p.code = std::move(code_);
    p.segments = std::move(segments_);
    p.errors = std::move(errors_);
    p.entry = entry_;
    return p;
}

void Assembler::splitLines() {
    std::size_t pos = 0;
    // A UTF-8 byte order mark is not part of the first line.
    if (source_.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
    const std::size_t lineCount =
        static_cast<std::size_t>(std::count(source_.begin(), source_.end(), '\n')) + 1;
    lines_.reserve(lineCount);
    state_.reserve(lineCount);
    symbols_.reserve(lineCount / 4 + 16);
    const char* data = source_.data();
    const std::size_t n = source_.size();
    while (pos < n) {
        const void* nl = std::memchr(data + pos, '\n', n - pos);
        const std::size_t stop = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - data) : n;
        std::size_t end = stop;
        while (end > pos && data[end - 1] == '\r')
            --end; // CRLF (and stray CRs before it)
        ListedLine line;
        line.begin = static_cast<uint32_t>(pos);
        line.length = static_cast<uint32_t>(end - pos);
        lines_.push_back(line);
        pos = stop + 1;
    }
    state_.resize(lines_.size());
}

std::string_view Assembler::lineText(uint32_t index) const {
    return source_.substr(lines_[index].begin, lines_[index].length);
}

bool Assembler::fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
    return false;
}

bool Assembler::expression(ExprResult& result) {
    result = evaluate(text_, pos_, loc_, symbols_);
    if (result.error != ExprError::None) return fail(describe(result, text_));
    pos_ = result.end;
    return true;
}

bool Assembler::requireOperand() {
    if (pos_ < text_.size() && text_[pos_] != ';') return true;
    return fail("missing operand");
}

bool Assembler::endOfOperand() {
    if (atFieldEnd(text_, pos_)) return true;
    return fail("unexpected character '" + excerpt(text_.substr(pos_, 1)) + "' after operand");
}

bool Assembler::inRange(const ExprResult& v, int32_t low, int32_t high, const char* what) {
    if (!second() || (v.value >= low && v.value <= high)) return true;
    return fail(std::string(what) + " " + formatValue(v.value) + " out of range (" + formatValue(low) + ".." +
                formatValue(high) + ")");
}

void Assembler::defineLabel(std::string_view label, int32_t value, uint32_t index) {
    if (symbols_.define(label, value, index + 1)) return;
    fail("duplicate label " + excerpt(label) + " (first defined on line " +
         std::to_string(symbols_.find(label)->line) + ")");
}

void Assembler::firstPass() {
    pass_ = Pass::First;
    int32_t location = 0;
    for (uint32_t i = 0; i < lines_.size(); ++i) {
        if (ended_) {
            state_[i].afterEnd = true;
            continue;
        }
        loc_ = location;
        firstPassLine(i);
        location = state_[i].address + static_cast<int32_t>(state_[i].size);
    }
}

void Assembler::firstPassLine(uint32_t index) {
    LineState& st = state_[index];
    ListedLine& out = lines_[index];
    text_ = lineText(index);
    const Fields f = splitFields(text_);
    st.address = loc_;
    if (f.kind != LineKind::Statement) return;

    error_.clear();
    pos_ = f.operandPos;
    size_ = 0;
    emitted_ = 0;
    mode_ = AddrMode::Inherent;
    const Keyword* kw = f.operation.empty() ? nullptr : findKeyword(f.operation);
    const Directive d = kw ? kw->directive : Directive::None;
    const bool labelAfter = d == Directive::Org || d == Directive::Equ;

    if (f.badLabel)
        fail("invalid label " + excerpt(text_.substr(0, text_.find_first_of(" \t"))));
    else if (!f.label.empty() && !labelAfter)
        defineLabel(f.label, loc_, index);

    bool ok = true;
    if (!f.operation.empty()) {
        if (!kw)
            ok = fail("unknown mnemonic " + excerpt(f.operation));
        else if (d == Directive::None)
            ok = instruction(kw->op);
        else
            ok = directive(d, f.label, index);
    }
    uint32_t size = ok ? size_ + emitted_ : 0;
    if (ok && loc_ + static_cast<int64_t>(size) > kAddressLimit) {
        fail("code beyond $FFFF (location counter " + formatValue(loc_) + ")");
        size = 0;
    }
    if (!f.label.empty() && d == Directive::Org) defineLabel(f.label, loc_, index);

    st.address = loc_;
    st.size = size;
    st.mode = mode_;
    st.keyword = kw;
    st.operandPos = static_cast<uint32_t>(f.operandPos);
    out.address = loc_;
    if (d == Directive::Equ) {
        // An EQU line shows its value once known: here, or after the pending EQUs resolve.
        const SymbolTable::Symbol* s = error_.empty() ? symbols_.find(f.label) : nullptr;
        if (s && s->line == index + 1) {
            if (s->hasValue) {
                out.showAddress = true;
                out.address = s->value;
            } else {
                pendingEquLines_.push_back(index);
            }
        }
    } else {
        const bool places = !f.operation.empty() && d != Directive::End && d != Directive::Ignored;
        out.showAddress = !f.label.empty() || places;
    }
    out.padLabel = f.labelEndsLine;
    if (!error_.empty()) {
        st.failed = true;
        pass1Errors_.push_back(Diagnostic{index + 1, std::move(error_)});
        error_.clear();
    }
}

void Assembler::showResolvedEqus() {
    for (const uint32_t i : pendingEquLines_) {
        const Fields f = splitFields(lineText(i));
        const SymbolTable::Symbol* s = symbols_.find(f.label);
        if (s && s->hasValue) {
            lines_[i].showAddress = true;
            lines_[i].address = s->value;
        }
    }
}

void Assembler::secondPass() {
    pass_ = Pass::Second;
    ended_ = false;
    std::size_t nextPass1Error = 0;
    for (uint32_t i = 0; i < lines_.size(); ++i) {
        const LineState& st = state_[i];
        if (st.afterEnd) break;
        ListedLine& out = lines_[i];
        out.codeBegin = static_cast<uint32_t>(code_.size());
        if (st.failed) {
            errors_.push_back(std::move(pass1Errors_[nextPass1Error++]));
            continue;
        }
        secondPassLine(i);
        out.codeCount = static_cast<uint32_t>(code_.size()) - out.codeBegin;
    }
}

void Assembler::secondPassLine(uint32_t index) {
    const LineState& st = state_[index];
    const Keyword* kw = st.keyword;
    if (!kw) return; // nothing to assemble, or reported in pass 1
    text_ = lineText(index);
    // Only EQU needs its label again.
    const std::string_view label =
        kw->directive == Directive::Equ ? splitFields(text_).label : std::string_view{};

    error_.clear();
    pos_ = st.operandPos;
    loc_ = st.address;
    size_ = 0;
    emitted_ = 0;
    emits_ = false;
    mode_ = st.mode;
    const std::size_t start = code_.size();
    bool ok = kw->directive == Directive::None ? instruction(kw->op) : directive(kw->directive, label, index);
    if (ok && emits_ && emitted_ != st.size)
        ok = fail("internal error: size changed between passes (" + std::to_string(st.size) + " to " +
                  std::to_string(emitted_) + " bytes)");
    if (ok && emitted_ > 0) {
        for (uint32_t k = 0; k < emitted_; ++k) {
            const auto a = static_cast<std::size_t>(loc_) + k;
            if (used_->test(a)) {
                ok = fail("overlaps code placed earlier at " + formatValue(static_cast<int32_t>(a)));
                break;
            }
        }
    }
    if (!ok) {
        code_.resize(start);
        errors_.push_back(Diagnostic{index + 1, std::move(error_)});
        error_.clear();
        return;
    }
    if (emitted_ == 0) return;
    for (uint32_t k = 0; k < emitted_; ++k)
        used_->set(static_cast<std::size_t>(loc_) + k);
    const auto address = static_cast<uint32_t>(loc_);
    if (!segments_.empty()) {
        Segment& last = segments_.back();
        if (last.address + last.length == address && last.offset + last.length == start) {
            last.length += emitted_;
            return;
        }
    }
    segments_.push_back(Segment{address, static_cast<uint32_t>(start), emitted_});
}

Program assembleProgram(std::string_view source) {
    return Assembler(source).run();
}

} // namespace as11
