#include "RecordingPages.h"

#include <QPaintEngine>

namespace quorvel::test {

class RecordingPages::Engine : public QPaintEngine {
public:
    explicit Engine(RecordingPages& device) : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}

    bool begin(QPaintDevice*) override {
        ++device_.begins_;
        if (device_.pages_.empty()) device_.pages_.emplace_back();
        return true;
    }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override {
        device_.pages_.back().Texts.push_back({p, textItem.text()});
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            device_.pages_.back().Lines.push_back(lines[i]);
    }
    Type type() const override { return QPaintEngine::User; }

private:
    RecordingPages& device_;
};

RecordingPages::RecordingPages(QSize size, int dpi)
    : size_(size), dpi_(dpi), engine_(std::make_unique<Engine>(*this)) {}

RecordingPages::~RecordingPages() = default;

bool RecordingPages::NewPage() {
    pages_.emplace_back();
    return true;
}

QPaintEngine* RecordingPages::paintEngine() const {
    return engine_.get();
}

int RecordingPages::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return size_.width() * 254 / (dpi_ * 10);
    case PdmHeightMM: return size_.height() * 254 / (dpi_ * 10);
    case PdmNumColors: return 2;
    case PdmDepth: return 1;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}

} // namespace quorvel::test
