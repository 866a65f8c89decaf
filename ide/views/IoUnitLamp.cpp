#include "views/IoUnitLamp.h"

#include <QPainter>

namespace quorvel {

IoUnitLamp::IoUnitLamp(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
}

void IoUnitLamp::SetLit(bool lit) {
    if (lit == lit_) return;
    lit_ = lit;
    update();
}

void IoUnitLamp::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(FillColor());
    painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
}

} // namespace quorvel
