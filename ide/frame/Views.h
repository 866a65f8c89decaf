// How a child window of the frame is described to it. A view is registered
// once with its View menu item; from then on that item toggles it: the frame
// creates the form when the item is checked, restores its placement, and on
// unload (the item again, or the user closing the window) saves the placement
// and clears the check mark.
//
//     frame.RegisterView({"mnuViewWatch", "frmWatch", "Watch",
//                         [](QSizeF) { return WindowPlacement{7800, 0, 2600, 2450, kStateNormal}; },
//                         [&frame] { return new frmWatch(frame); }});
#pragma once

#include <functional>

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QSizeF>
#include <QString>

#include "frame/Placement.h"

namespace quorvel {

struct ViewInfo {
    QString MenuName; // the View menu item, "mnuViewWatch"
    QString FormName; // objectName the form is given, "frmWatch"
    QString Prefix;   // placement keys in section "Windows"; empty: none kept
    // The designed placement, given the frame's client area in twips.
    std::function<WindowPlacement(QSizeF client)> DefaultPlacement;
    // Makes the form; the frame puts it into a child window and owns it.
    std::function<QWidget*()> Create;
};

// The child window that holds a registered view.
class ViewSubWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    ViewSubWindow(QString menuName, QString prefix, QWidget* parent = nullptr);

    const QString& MenuName() const { return menuName_; }
    const QString& Prefix() const { return prefix_; }

signals:
    // The view was closed for good; its placement is saved.
    void Unloaded(const QString& menuName);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString menuName_;
    QString prefix_;
    bool unloaded_ = false;
};

} // namespace quorvel
