// The simulated I/O board at $6000..$6003, as the target sees it: the four
// register operations of its panel. The target calls them when the program
// or the user touches those addresses; the panel shows the values.
//
//     target.SetIoUnit(&panel);          // notices go to the panel from now on
//     target.OutByte(0x6001, 0x42);      // panel.setInDataRegister(0x42)
#pragma once

#include <cstdint>

namespace quorvel {

inline constexpr int32_t kIoInFresh = 0x6000;
inline constexpr int32_t kIoInData = 0x6001;
inline constexpr int32_t kIoOutFresh = 0x6002;
inline constexpr int32_t kIoOutData = 0x6003;

class IoUnit {
public:
    virtual ~IoUnit() = default;
    virtual void setInFresh(uint8_t setting) = 0;
    virtual void setInDataRegister(uint8_t data) = 0;
    virtual void setOutFresh(uint8_t setting) = 0;
    virtual void setOutDataRegister(uint8_t data) = 0;
};

// A single-byte write to $6000..$6003 is handed to the matching operation
// first (a null unit hears nothing); other addresses are not the unit's.
inline void NotifyIoUnit(IoUnit* unit, int32_t address, uint8_t value) {
    if (!unit) return;
    switch (address) {
    case kIoInFresh: unit->setInFresh(value); break;
    case kIoInData: unit->setInDataRegister(value); break;
    case kIoOutFresh: unit->setOutFresh(value); break;
    case kIoOutData: unit->setOutDataRegister(value); break;
    default: break;
    }
}

} // namespace quorvel
