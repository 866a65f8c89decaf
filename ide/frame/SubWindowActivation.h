// Tells a form when the child window that holds it becomes the active child
// of the frame, or stops being it. The form may be put into its child window
// after the watch is made (the frame does that when it loads a view): the
// watch follows the form's parent.
//
//     activation_ = new SubWindowActivation(this, [this] { Form_Activate(); },
//                                           [this] { Form_Deactivate(); });
//     ...
//     activation_->Stop(); // no more calls, for a form cut off from the frame
#pragma once

#include <functional>

#include <QObject>

class QWidget;

namespace quorvel {

class SubWindowActivation : public QObject {
public:
    // The watch is a child of form and ends with it.
    SubWindowActivation(QWidget* form, std::function<void()> activated, std::function<void()> deactivated);
    ~SubWindowActivation() override;

    void Stop();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow();

    QWidget* form_;
    std::function<void()> activated_;
    std::function<void()> deactivated_;
    QMetaObject::Connection connection_;
    bool stopped_ = false;
};

} // namespace quorvel
