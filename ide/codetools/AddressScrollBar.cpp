#include "codetools/AddressScrollBar.h"

#include <algorithm>

#include <QCursor>
#include <QSignalBlocker>
#include <QToolTip>
#include <QWheelEvent>

#include "frame/NumberText.h"

namespace quorvel {

namespace {

constexpr int32_t kAddresses = 0x10000;

} // namespace

AddressScrollBar::AddressScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setObjectName(QStringLiteral("VScroll"));
    setFocusPolicy(Qt::NoFocus);
    // The code is read once the thumb is let go, not for every address on the way.
    setTracking(false);
    setRange(0, kAddresses - 1);
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QAbstractSlider::actionTriggered, this, &AddressScrollBar::OnAction);
    connect(this, &QAbstractSlider::sliderMoved, this, &AddressScrollBar::OnDragged);
    connect(this, &QAbstractSlider::sliderReleased, this, &AddressScrollBar::OnReleased);
}

void AddressScrollBar::ShowRows(int32_t first, int bytes) {
    const QSignalBlocker block(this);
    const int span = std::clamp(bytes, 1, kAddresses);
    setPageStep(span);
    setMaximum(kAddresses - span);
    setValue(std::min<int32_t>(first & (kAddresses - 1), maximum()));
}

// Runs before the bar would take the new position as its value: the bar goes
// back to where it was, and the owner moves the view (and then the bar).
void AddressScrollBar::OnAction(int action) {
    const int position = sliderPosition();
    setSliderPosition(value());
    switch (action) {
    case SliderSingleStepAdd: emit RowsRequested(1); break;
    case SliderSingleStepSub: emit RowsRequested(-1); break;
    case SliderPageStepAdd: emit PageRequested(1); break;
    case SliderPageStepSub: emit PageRequested(-1); break;
    case SliderMove:
    case SliderToMinimum:
    case SliderToMaximum:
        if (position != value()) emit AddressRequested(position);
        break;
    default: break;
    }
}

void AddressScrollBar::OnDragged(int position) {
    dragText_ = QStringLiteral("$") + HexPad(position, 4);
    QToolTip::showText(QCursor::pos(), dragText_, this);
}

void AddressScrollBar::OnReleased() {
    dragText_.clear();
    QToolTip::hideText();
}

void AddressScrollBar::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

} // namespace quorvel
