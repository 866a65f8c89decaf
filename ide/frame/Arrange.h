// Where the Window menu puts the child windows. Editors are tiled or cascaded
// in the frame's client area (pixels); the debugger views get a fixed
// arrangement measured in twips.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include "frame/Placement.h"

namespace quorvel {

// Full client width, an equal share of the height each, one below the other.
QList<QRect> TileHorizontal(const QSize& client, int count);
// Full client height, an equal share of the width each, side by side.
QList<QRect> TileVertical(const QSize& client, int count);
// Overlapping windows, each `step` pixels right of and below the previous one;
// the run starts again at the top left when the next one would not fit.
QList<QRect> Cascade(const QSize& client, int count, int step);

// The debugger arrangement, built on three measures:
//   DisAsm  left column, kArrangeLeftWidth wide, full height
//   RegCPU  right of it, kArrangeColumnWidth wide, kArrangeTopHeight high
//   Watch   right of RegCPU, same size
//   Stack   below RegCPU, down to the bottom
//   Label   below Watch, down to the bottom
inline constexpr float kArrangeLeftWidth = 5200;
inline constexpr float kArrangeColumnWidth = 2600;
inline constexpr float kArrangeTopHeight = 2450;
// The lower windows never get less than this height.
inline constexpr float kArrangeMinHeight = 1500;

struct DebuggerSlot {
    QString Prefix;
    WindowPlacement Placement;
};
QList<DebuggerSlot> ArrangeDebugger(float clientHeightTwips);

} // namespace quorvel
