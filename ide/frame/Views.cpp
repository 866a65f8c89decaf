#include "frame/Views.h"

#include "frame/Window.h"

namespace quorvel {

ViewSubWindow::ViewSubWindow(QString menuName, QString prefix, QWidget* parent)
    : QMdiSubWindow(parent), menuName_(std::move(menuName)), prefix_(std::move(prefix)) {
    setAttribute(Qt::WA_DeleteOnClose);
}

void ViewSubWindow::closeEvent(QCloseEvent* event) {
    // The form may refuse; then the window stays as it is.
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted() || unloaded_) return;
    unloaded_ = true;
    if (!prefix_.isEmpty()) SaveWindowPlacement(this, prefix_);
    emit Unloaded(menuName_);
}

} // namespace quorvel
