// A round lamp of the I/O board panel: an indicator ("Data Pending", "Data
// Ready") or one of the eight LEDs. Lit it is pure red, dark it is grey.
#pragma once

#include <QColor>
#include <QWidget>

namespace quorvel {

inline const QColor kLampLit(255, 0, 0);
inline const QColor kLampDark(128, 128, 128);

class IoUnitLamp : public QWidget {
    Q_OBJECT
public:
    explicit IoUnitLamp(QWidget* parent = nullptr);

    void SetLit(bool lit);
    bool Lit() const { return lit_; }
    QColor FillColor() const { return lit_ ? kLampLit : kLampDark; }

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool lit_ = false;
};

} // namespace quorvel
