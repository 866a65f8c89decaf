// Saving and restoring a window's placement in section "Windows" (see
// Placement.h for the keys). For a child window of the frame pass its
// QMdiSubWindow; coordinates are then relative to the frame's client area.
//
//     // load:
//     RestoreWindowPlacement(subWindow, "Watch", {7800, 0, 2600, 2450, kStateNormal});
//     subWindow->show();
//     // unload:
//     SaveWindowPlacement(subWindow, "Watch");
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include "frame/Placement.h"

class QWidget;

namespace quorvel {

class Settings;

// 0 normal, 1 minimised, 2 maximised.
int WindowStateOf(const QWidget* widget);
WindowPlacement CurrentPlacement(const QWidget* widget);

// Writes the state, and position and size when the window is in the normal state.
void SaveWindowPlacement(const QWidget* widget, const QString& prefix);
void SaveWindowPlacement(Settings& store, const QWidget* widget, const QString& prefix);

// Moves and sizes the window from the stored keys and gives it the stored
// state, minimised restored as normal (it is not shown). A stored position or size that would put the
// window out of reach, or a size that makes no sense, gives way to the
// default's. Returns the placement applied.
WindowPlacement RestoreWindowPlacement(QWidget* widget, const QString& prefix,
                                       const WindowPlacement& defaults);
WindowPlacement RestoreWindowPlacement(const Settings& store, QWidget* widget, const QString& prefix,
                                       const WindowPlacement& defaults);

// Moves and sizes a window to a placement in twips, in its normal state.
void PlaceWindow(QWidget* widget, const WindowPlacement& placement);

// Where a window may live: the screens' available areas for a top-level
// window, the parent's area for a child.
QList<QRect> PlacementAreas(const QWidget* widget);

} // namespace quorvel
