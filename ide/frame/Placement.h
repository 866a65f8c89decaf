// Window placement as the section "Windows" keeps it: five keys per window,
// prefix + "Left", "Top", "Width", "Height" (twips) and prefix + "State"
// (0 normal, 1 minimised, 2 maximised). Position and size are written only in
// the normal state, so the last normal placement survives a minimised or
// maximised exit; a window stored minimised is restored normal. Fifteen twips
// make one pixel.
//
//     WindowPlacement p = ReadPlacement(store, "Watch", {7800, 0, 2600, 2450, kStateNormal});
//     std::optional<QRect> r = PlacementPixels(p);   // empty when the numbers are absurd
//
// The widget side (moving a real window) is in Window.h.
#pragma once

#include <optional>

#include <QList>
#include <QRect>
#include <QString>

namespace quorvel {

class Settings;

inline constexpr int kStateNormal = 0;
inline constexpr int kStateMinimised = 1;
inline constexpr int kStateMaximised = 2;

inline constexpr int kTwipsPerPixel = 15;

struct WindowPlacement {
    float Left = 0; // twips
    float Top = 0;
    float Width = 0;
    float Height = 0;
    int State = kStateNormal;

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

inline float PixelsToTwips(int pixels) {
    return float(pixels) * kTwipsPerPixel;
}
// Twips to whole pixels, rounded; empty when the value is not finite or beyond
// any screen coordinate.
std::optional<int> TwipsToPixels(double twips);

// Each key that is missing or unreadable takes the value of `defaults`.
WindowPlacement ReadPlacement(const Settings& store, const QString& prefix, const WindowPlacement& defaults);
// Writes State always, the other four keys only when State is normal.
void SavePlacement(Settings& store, const QString& prefix, const WindowPlacement& placement);

// The state a window is restored in from its stored state: minimised comes
// back normal, the others as stored. The frame would otherwise start as a
// mere task-bar entry, looking as if the program had not started; a view is
// restored when the user opens it from the View menu, wanting to see it, not
// an icon at the bottom of the frame.
int RestoredState(int storedState);

// The rectangle in pixels; empty when a number cannot be a coordinate.
std::optional<QRect> PlacementPixels(const WindowPlacement& placement);
WindowPlacement PlacementFromPixels(const QRect& rect, int state);

// True when a window at `rect` fits the areas it may live in (the screens, or
// the frame's client area): a size of at least kMinWindowPixels and at most
// twice the extent of the areas, its top edge inside one area and a grabbable
// part of it visible there.
inline constexpr int kMinWindowPixels = 16;
bool PlacementUsable(const QRect& rect, const QList<QRect>& areas);

} // namespace quorvel
