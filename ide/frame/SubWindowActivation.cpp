#include "frame/SubWindowActivation.h"

#include <QEvent>
#include <QMdiSubWindow>

namespace quorvel {

SubWindowActivation::SubWindowActivation(QWidget* form, std::function<void()> activated,
                                         std::function<void()> deactivated)
    : QObject(form), form_(form), activated_(std::move(activated)), deactivated_(std::move(deactivated)) {
    form_->installEventFilter(this);
    Follow();
}

SubWindowActivation::~SubWindowActivation() {
    disconnect(connection_);
}

void SubWindowActivation::Stop() {
    stopped_ = true;
    disconnect(connection_);
}

bool SubWindowActivation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_ && event->type() == QEvent::ParentChange) Follow();
    return false;
}

void SubWindowActivation::Follow() {
    disconnect(connection_);
    auto* window = qobject_cast<QMdiSubWindow*>(form_->parentWidget());
    if (!window || stopped_) return;
    connection_ = connect(window, &QMdiSubWindow::windowStateChanged, this,
                          [this](Qt::WindowStates before, Qt::WindowStates now) {
                              const bool was = before & Qt::WindowActive;
                              const bool is = now & Qt::WindowActive;
                              if (is && !was && activated_) activated_();
                              if (was && !is && deactivated_) deactivated_();
                          });
}

} // namespace quorvel
