// Symbols of one assembly: labels (the location counter) and EQU names.
//
// An EQU whose expression refers to a symbol defined further down has no value
// during the first pass; it is recorded as pending and computed once all
// labels are known (resolvePending). A pending EQU waits for every name its
// expression lacked and is evaluated again only once all of them have values,
// so the EQUs resolve in dependency order, each evaluated at most three times,
// in time linear in the number of references; what stays pending is circular
// or depends on an undefined name.
#pragma once

#include "Expression.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace as11 {

class SymbolTable final : public SymbolResolver {
public:
    struct Symbol {
        std::string_view name;
        int32_t value = 0;
        bool hasValue = false;
        uint32_t line = 0;        // 1-based line of the definition
        int32_t pending = -1;     // its pending EQU while it has no value
        int32_t firstWaiter = -1; // its references from pending EQUs (into waits_)
    };

    void reserve(std::size_t count);

    // Both return false (and change nothing) when the name is already defined.
    bool define(std::string_view name, int32_t value, uint32_t line);
    bool defineLater(std::string_view name, uint32_t line, std::string_view text, std::size_t pos,
                     int32_t location);

    const Symbol* find(std::string_view name) const;

    // Computes the pending EQUs that can be computed.
    void resolvePending();

    // From here on, names without a value are errors rather than forward references.
    void finish() { final_ = true; }

    // Why `name` (a pending EQU) has no value, for the error on its line.
    std::string unresolvedMessage(std::string_view name);

    SymbolLookup lookup(std::string_view name) const override;

private:
    struct Pending {
        uint32_t symbol = 0;
        std::string_view text; // the line, the expression at `pos`
        std::size_t pos = 0;
        int32_t location = 0;
        uint32_t missing = 0;     // references to names without a value yet
        std::string_view blocker; // first name without a value once resolution ends
        std::string error;        // an arithmetic error found once values were known
    };
    // One reference from a pending EQU to a symbol without a value, listed
    // from that symbol.
    struct Wait {
        int32_t pending = 0;
        int32_t next = -1;
    };
    enum class Cause : uint8_t { Open, Undefined, Circular, Failed };
    struct Reason {
        Cause cause = Cause::Open;
        std::string_view name;
        bool visiting = false;
    };

    int32_t add(std::string_view name, uint32_t line);
    void attempt(int32_t pending, std::vector<int32_t>& ready);
    void settle(uint32_t symbol, int32_t value, std::vector<int32_t>& ready);
    Reason reasonFor(int32_t pending);

    std::unordered_map<std::string_view, uint32_t> index_;
    std::vector<Symbol> symbols_;
    std::vector<Pending> pending_;
    std::vector<Wait> waits_;
    std::vector<std::string_view> unknowns_; // scratch for attempt()
    std::vector<Reason> reasons_;
    bool final_ = false;
};

} // namespace as11
