// Wheel turns as whole rows, for the windows that scroll row by row. One
// notch of a mouse wheel (an angle delta of 120) moves rowsPerNotch rows; the
// finer deltas of a touchpad add up until they make a whole row, and what is
// left over waits for the next delta in the same direction.
//
//     WheelRows wheel;
//     int rows = wheel.Take(event->angleDelta().y(), 3);   // +120: -3, the view moves back 3 rows
//     if (rows != 0) ScrollRows(rows);
#pragma once

#include <cstdint>

namespace quorvel {

class WheelRows {
public:
    // The angle delta of one wheel notch.
    static constexpr int kNotch = 120;

    // The rows a wheel delta moves the view: negative back (towards lower
    // addresses: the wheel turned away from the user, a positive delta),
    // positive on. Turning the other way drops a part-row left over.
    int Take(int angleDelta, int rowsPerNotch);

private:
    int64_t rest_ = 0; // part-rows so far, in 1/120 of a row
};

} // namespace quorvel
