#include "SymbolTable.h"

namespace as11 {

void SymbolTable::reserve(std::size_t count) {
    index_.reserve(count);
    symbols_.reserve(count);
}

int32_t SymbolTable::add(std::string_view name, uint32_t line) {
    const auto [it, inserted] = index_.try_emplace(name, static_cast<uint32_t>(symbols_.size()));
    if (!inserted) return -1;
    Symbol s;
    s.name = name;
    s.line = line;
    symbols_.push_back(s);
    return static_cast<int32_t>(it->second);
}

bool SymbolTable::define(std::string_view name, int32_t value, uint32_t line) {
    const int32_t i = add(name, line);
    if (i < 0) return false;
    symbols_[i].value = value;
    symbols_[i].hasValue = true;
    return true;
}

bool SymbolTable::defineLater(std::string_view name, uint32_t line, std::string_view text, std::size_t pos,
                              int32_t location) {
    const int32_t i = add(name, line);
    if (i < 0) return false;
    Pending p;
    p.symbol = static_cast<uint32_t>(i);
    p.text = text;
    p.pos = pos;
    p.location = location;
    symbols_[i].pending = static_cast<int32_t>(pending_.size());
    pending_.push_back(std::move(p));
    return true;
}

const SymbolTable::Symbol* SymbolTable::find(std::string_view name) const {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : &symbols_[it->second];
}

SymbolLookup SymbolTable::lookup(std::string_view name) const {
    const Symbol* s = find(name);
    if (s && s->hasValue) return {SymbolState::Known, s->value};
    if (!final_) return {SymbolState::Unknown, 0};
    return {s ? SymbolState::Unresolved : SymbolState::Undefined, 0};
}

// Evaluates a pending EQU. Without a value it registers one wait per reference
// to a name that has none; a name never defined keeps it pending for good.
void SymbolTable::attempt(int32_t p, std::vector<int32_t>& ready) {
    unknowns_.clear();
    Pending& pend = pending_[p];
    const ExprResult r = evaluate(pend.text, pend.pos, pend.location, *this, &unknowns_);
    if (r.error != ExprError::None) {
        pend.error = describe(r, pend.text);
        return;
    }
    if (r.known) {
        settle(pend.symbol, r.value, ready);
        return;
    }
    for (const std::string_view name : unknowns_) {
        ++pend.missing;
        const auto it = index_.find(name);
        if (it == index_.end()) continue;
        Symbol& s = symbols_[it->second];
        waits_.push_back(Wait{p, s.firstWaiter});
        s.firstWaiter = static_cast<int32_t>(waits_.size() - 1);
    }
}

// Gives a symbol its value and queues the pending EQUs that now have all theirs.
void SymbolTable::settle(uint32_t symbol, int32_t value, std::vector<int32_t>& ready) {
    Symbol& s = symbols_[symbol];
    s.value = value;
    s.hasValue = true;
    for (int32_t w = s.firstWaiter; w >= 0; w = waits_[w].next)
        if (--pending_[waits_[w].pending].missing == 0) ready.push_back(waits_[w].pending);
    s.firstWaiter = -1;
}

void SymbolTable::resolvePending() {
    std::vector<int32_t> ready;
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        attempt(static_cast<int32_t>(i), ready);
        while (!ready.empty()) {
            const int32_t p = ready.back();
            ready.pop_back();
            attempt(p, ready);
        }
    }
    waits_.clear();
    waits_.shrink_to_fit();
    // What stays pending: once more with every value that could be found, for
    // the first name still without one. An arithmetic error counts only when
    // it comes before that name; one further on is left to the name's message.
    for (Pending& pend : pending_) {
        if (symbols_[pend.symbol].hasValue || !pend.error.empty()) continue;
        const ExprResult r = evaluate(pend.text, pend.pos, pend.location, *this);
        if (r.error != ExprError::None && r.firstUnknown.empty())
            pend.error = describe(r, pend.text);
        else
            pend.blocker = r.firstUnknown;
    }
}

// Follows the chain of blocking symbols from a pending EQU to its root: a name
// that is never defined, a cycle, or an EQU with an arithmetic error. Results
// are remembered for every EQU on the chain, so all messages together take
// linear time. Members of a cycle name themselves; EQUs leading into a cycle
// name the member where they enter it.
SymbolTable::Reason SymbolTable::reasonFor(int32_t start) {
    if (reasons_.size() != pending_.size()) reasons_.assign(pending_.size(), Reason{});
    std::vector<int32_t> path;
    Reason result;
    int32_t p = start;
    for (;;) {
        Reason& known = reasons_[p];
        if (known.cause != Cause::Open) {
            result = known;
            break;
        }
        if (known.visiting) {
            bool inCycle = false;
            for (const int32_t q : path) {
                inCycle = inCycle || q == p;
                if (inCycle) reasons_[q] = Reason{Cause::Circular, symbols_[pending_[q].symbol].name};
            }
            result = Reason{Cause::Circular, symbols_[pending_[p].symbol].name};
            break;
        }
        known.visiting = true;
        path.push_back(p);
        const Pending& pend = pending_[p];
        if (!pend.error.empty()) {
            result = Reason{Cause::Failed, symbols_[pend.symbol].name};
            break;
        }
        const Symbol* blocker = find(pend.blocker);
        if (!blocker || blocker->hasValue || blocker->pending < 0) {
            result = Reason{Cause::Undefined, pend.blocker};
            break;
        }
        p = blocker->pending;
    }
    for (const int32_t q : path)
        if (reasons_[q].cause == Cause::Open) reasons_[q] = result;
    return reasons_[start];
}

std::string SymbolTable::unresolvedMessage(std::string_view name) {
    const Symbol* s = find(name);
    if (!s || s->hasValue || s->pending < 0) return {};
    const Pending& own = pending_[s->pending];
    if (!own.error.empty()) return own.error;
    const Reason r = reasonFor(s->pending);
    const bool direct = r.name == own.blocker;
    switch (r.cause) {
    case Cause::Undefined:
        return direct ? "undefined symbol " + excerpt(r.name)
                      : "value of " + excerpt(name) + " depends on undefined symbol " + excerpt(r.name);
    case Cause::Circular:
        return r.name == name
                   ? "circular definition of " + excerpt(name)
                   : "value of " + excerpt(name) + " depends on circular definition of " + excerpt(r.name);
    case Cause::Failed:
        return "value of " + excerpt(name) + " depends on " + excerpt(r.name) + ", which has an error";
    case Cause::Open: break;
    }
    return "unresolved symbol " + excerpt(name);
}

} // namespace as11
