// The two passes over a source text.
//
// Pass 1 splits the lines, defines the symbols and fixes every line's address
// and size: an address operand becomes direct only when its value is known at
// that point and below $100, and that choice is kept for pass 2. Pass 2
// evaluates the operands with all symbols known and places the bytes. A line
// keeps the address and size that pass 1 gave it, so a mistake on one line
// never shifts the code of the others; a line with an error places no bytes.
#pragma once

#include "As11.h"
#include "Expression.h"
#include "Lexer.h"
#include "OpcodeIndex.h"
#include "SymbolTable.h"

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace as11 {

inline constexpr int32_t kAddressLimit = 0x10000;
inline constexpr std::size_t kMaxSourceSize = std::size_t{1} << 31;

class Assembler {
public:
    explicit Assembler(std::string_view source);
    Program run();

private:
    enum class Pass : uint8_t { First, Second };

    // What pass 1 decided for a line.
    struct LineState {
        int32_t address = 0;
        uint32_t size = 0;                  // bytes of address space the line takes
        AddrMode mode = AddrMode::Inherent; // chosen for an address operand
        const Keyword* keyword = nullptr;   // the operation, when it is known
        uint32_t operandPos = 0;
        bool failed = false; // pass 1 found an error (in pass1Errors_)
        bool afterEnd = false;
    };

    void splitLines();
    void firstPass();
    void showResolvedEqus();
    void secondPass();
    void firstPassLine(uint32_t index);
    void secondPassLine(uint32_t index);
    void defineLabel(std::string_view label, int32_t value, uint32_t index);

    // Instructions.cpp
    bool instruction(Op op);
    bool relativeInstruction(Op op);
    bool bitInstruction(Op op);
    bool generalInstruction(Op op);
    bool immediateOperand(Op op);
    bool chooseAddressMode(Op op, char force, const ExprResult& value, AddrMode& mode);
    bool indexRegister(AddrMode xMode, AddrMode yMode, AddrMode& mode);
    bool separator(const char* what);
    void emitOpcode(Op op, AddrMode mode);
    bool emitRelative(const ExprResult& target, int length);

    // Directives.cpp
    bool directive(Directive d, std::string_view label, uint32_t index);
    bool org();
    bool equ(std::string_view label, uint32_t index);
    bool reserve(bool zeroFill);
    bool fill();
    bool byteList(bool words);
    bool fcc();
    bool end();
    bool knownCount(const ExprResult& count, const char* what);

    // Operand helpers (Assembler.cpp)
    bool fail(std::string message);
    bool expression(ExprResult& result);
    bool requireOperand();
    bool endOfOperand();
    bool inRange(const ExprResult& v, int32_t low, int32_t high, const char* what);
    void emit(int32_t byte) {
        if (pass_ == Pass::Second) code_.push_back(static_cast<uint8_t>(byte));
        ++emitted_;
    }
    void emitWord(int32_t word) {
        emit((word >> 8) & 0xFF);
        emit(word & 0xFF);
    }
    bool second() const { return pass_ == Pass::Second; }
    std::string_view lineText(uint32_t index) const;

    std::string_view source_;
    std::vector<ListedLine> lines_;
    std::vector<LineState> state_;
    std::vector<Diagnostic> pass1Errors_;
    std::vector<uint32_t> pendingEquLines_;
    SymbolTable symbols_;
    std::vector<uint8_t> code_;
    std::vector<Segment> segments_;
    std::vector<Diagnostic> errors_;
    std::unique_ptr<std::bitset<kAddressLimit>> used_ = std::make_unique<std::bitset<kAddressLimit>>();
    uint16_t entry_ = 0;
    bool ended_ = false;

    // The line being assembled.
    Pass pass_ = Pass::First;
    std::string_view text_;
    std::size_t pos_ = 0;  // operand cursor
    int32_t loc_ = 0;      // the line's address
    uint32_t size_ = 0;    // pass 1: address space taken without placing bytes (ORG, RMB)
    uint32_t emitted_ = 0; // bytes placed (pass 2) or counted (pass 1)
    bool emits_ = false;   // the line places bytes
    AddrMode mode_ = AddrMode::Inherent;
    std::string error_;
};

std::string formatValue(int32_t value);

} // namespace as11
