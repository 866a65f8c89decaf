#include "frame/Placement.h"

#include <algorithm>
#include <cmath>

#include "frame/Settings.h"

namespace quorvel {

namespace {

// Larger than any screen, small enough that sums of two stay in int.
constexpr double kMaxCoordinate = 1 << 24;

// How much of a window must stay visible to be grabbed again.
constexpr int kGrabWidth = 48;
constexpr int kGrabHeight = 24;

} // namespace

std::optional<int> TwipsToPixels(double twips) {
    if (!std::isfinite(twips)) return std::nullopt;
    const double pixels = std::round(twips / kTwipsPerPixel);
    if (pixels < -kMaxCoordinate || pixels > kMaxCoordinate) return std::nullopt;
    return int(pixels);
}

WindowPlacement ReadPlacement(const Settings& store, const QString& prefix, const WindowPlacement& defaults) {
    const QString& section = Settings::kWindows;
    WindowPlacement p;
    p.Left = store.GetSingle(section, prefix + QStringLiteral("Left"), defaults.Left);
    p.Top = store.GetSingle(section, prefix + QStringLiteral("Top"), defaults.Top);
    p.Width = store.GetSingle(section, prefix + QStringLiteral("Width"), defaults.Width);
    p.Height = store.GetSingle(section, prefix + QStringLiteral("Height"), defaults.Height);
    p.State = store.GetInt(section, prefix + QStringLiteral("State"), defaults.State, kStateNormal,
                           kStateMaximised);
    return p;
}

void SavePlacement(Settings& store, const QString& prefix, const WindowPlacement& placement) {
    const QString& section = Settings::kWindows;
    if (placement.State == kStateNormal) {
        store.SaveSingle(section, prefix + QStringLiteral("Left"), placement.Left);
        store.SaveSingle(section, prefix + QStringLiteral("Top"), placement.Top);
        store.SaveSingle(section, prefix + QStringLiteral("Width"), placement.Width);
        store.SaveSingle(section, prefix + QStringLiteral("Height"), placement.Height);
    }
    store.SaveInt(section, prefix + QStringLiteral("State"), placement.State);
}

int RestoredState(int storedState) {
    return storedState == kStateMinimised ? kStateNormal : storedState;
}

std::optional<QRect> PlacementPixels(const WindowPlacement& placement) {
    const auto left = TwipsToPixels(placement.Left);
    const auto top = TwipsToPixels(placement.Top);
    const auto width = TwipsToPixels(placement.Width);
    const auto height = TwipsToPixels(placement.Height);
    if (!left || !top || !width || !height) return std::nullopt;
    return QRect(*left, *top, *width, *height);
}

WindowPlacement PlacementFromPixels(const QRect& rect, int state) {
    return {PixelsToTwips(rect.x()), PixelsToTwips(rect.y()), PixelsToTwips(rect.width()),
            PixelsToTwips(rect.height()), state};
}

bool PlacementUsable(const QRect& rect, const QList<QRect>& areas) {
    if (areas.isEmpty() || rect.width() < kMinWindowPixels || rect.height() < kMinWindowPixels) return false;
    QRect extent;
    for (const QRect& area : areas)
        extent = extent.united(area);
    if (rect.width() > 2 * std::max(extent.width(), kMinWindowPixels) ||
        rect.height() > 2 * std::max(extent.height(), kMinWindowPixels))
        return false;
    const int needWidth = std::min(kGrabWidth, rect.width());
    const int needHeight = std::min(kGrabHeight, rect.height());
    for (const QRect& area : areas) {
        if (rect.top() < area.top() || rect.top() > area.bottom()) continue;
        const QRect visible = rect.intersected(area);
        if (visible.width() >= needWidth && visible.height() >= needHeight) return true;
    }
    return false;
}

} // namespace quorvel
