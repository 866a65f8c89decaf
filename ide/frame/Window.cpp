#include "frame/Window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "frame/Settings.h"

namespace quorvel {

namespace {

QRect GeometryOf(const QWidget* widget) {
    // A top-level window is placed by its frame's corner and its client size,
    // the way move() and resize() take them; a child by its geometry.
    return QRect(widget->pos(), widget->size());
}

void ApplyState(QWidget* widget, int state) {
    Qt::WindowStates states =
        widget->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (state == kStateMinimised)
        states |= Qt::WindowMinimized;
    else if (state == kStateMaximised)
        states |= Qt::WindowMaximized;
    widget->setWindowState(states);
}

} // namespace

int WindowStateOf(const QWidget* widget) {
    const Qt::WindowStates states = widget->windowState();
    if (states & Qt::WindowMinimized) return kStateMinimised;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) return kStateMaximised;
    return kStateNormal;
}

WindowPlacement CurrentPlacement(const QWidget* widget) {
    return PlacementFromPixels(GeometryOf(widget), WindowStateOf(widget));
}

void SaveWindowPlacement(Settings& store, const QWidget* widget, const QString& prefix) {
    SavePlacement(store, prefix, CurrentPlacement(widget));
}

void SaveWindowPlacement(const QWidget* widget, const QString& prefix) {
    Settings store;
    SaveWindowPlacement(store, widget, prefix);
}

QList<QRect> PlacementAreas(const QWidget* widget) {
    QList<QRect> areas;
    if (!widget->isWindow() && widget->parentWidget()) {
        areas.append(widget->parentWidget()->rect());
        return areas;
    }
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

void PlaceWindow(QWidget* widget, const WindowPlacement& placement) {
    const auto rect = PlacementPixels(placement);
    if (!rect) return;
    if (widget->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        ApplyState(widget, kStateNormal);
    widget->move(rect->topLeft());
    widget->resize(rect->size());
}

WindowPlacement RestoreWindowPlacement(const Settings& store, QWidget* widget, const QString& prefix,
                                       const WindowPlacement& defaults) {
    WindowPlacement placement = ReadPlacement(store, prefix, defaults);
    placement.State = RestoredState(placement.State);
    const auto rect = PlacementPixels(placement);
    if (!rect || !PlacementUsable(*rect, PlacementAreas(widget))) {
        placement.Left = defaults.Left;
        placement.Top = defaults.Top;
        placement.Width = defaults.Width;
        placement.Height = defaults.Height;
    }
    if (const auto applied = PlacementPixels(placement)) {
        widget->move(applied->topLeft());
        widget->resize(applied->size());
    }
    ApplyState(widget, placement.State);
    return placement;
}

WindowPlacement RestoreWindowPlacement(QWidget* widget, const QString& prefix,
                                       const WindowPlacement& defaults) {
    const Settings store;
    return RestoreWindowPlacement(store, widget, prefix, defaults);
}

} // namespace quorvel
