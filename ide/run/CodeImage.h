// Direct read access to the simulator's memory image for the code run
// control executes: Step Into copies an instruction's bytes from it and Play
// loads its code pages from it, without a target-access call per byte.
//
//     ImageCode code(imageTarget.TargetMemory());
//     run.SetSimulatorCode(&code);      // used while the simulator is the target
//
// Without one, run control reads the same bytes through TargetAccess
// (InBytes, InProgram); the result is the same, only slower.
#pragma once

#include <cstdint>

#include "target/ImageTarget.h"

namespace quorvel {

class CodeImage {
public:
    virtual ~CodeImage() = default;
    // bytes[0..count) := memory from address on, wrapping at $FFFF. count <= 256.
    virtual void CodeBytes(int32_t address, uint8_t* bytes, int count) const = 0;
};

// A plain 64 KiB image.
class ImageCode : public CodeImage {
public:
    explicit ImageCode(const ImageTarget::Image& image) : image_(image) {}

    void CodeBytes(int32_t address, uint8_t* bytes, int count) const override {
        const size_t start = static_cast<size_t>(address) & 0xFFFF;
        const size_t n = static_cast<size_t>(count);
        if (start + n <= image_.size()) {
            for (size_t i = 0; i < n; ++i)
                bytes[i] = image_[start + i];
            return;
        }
        for (size_t i = 0; i < n; ++i)
            bytes[i] = image_[(start + i) & 0xFFFF];
    }

private:
    const ImageTarget::Image& image_;
};

} // namespace quorvel
