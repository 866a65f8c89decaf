// A paint device that keeps what is painted on it, page by page: the texts
// with their positions and the lines. Printing tests draw on it as on a
// printer and look at the pages afterwards.
//
//     RecordingPages pages(QSize(800, 600), 96);
//     PrintEditor(pages, [&] { return pages.NewPage(); }, font, "prog.asm", text);
//     pages.Pages()[0].Texts[0].Text   // the first page's header
#pragma once

#include <memory>
#include <vector>

#include <QLineF>
#include <QPaintDevice>
#include <QPointF>
#include <QSize>
#include <QString>

namespace quorvel::test {

struct DrawnText {
    QPointF At; // baseline start, in device pixels
    QString Text;
};

struct RecordedPage {
    std::vector<DrawnText> Texts;
    std::vector<QLineF> Lines;
};

class RecordingPages : public QPaintDevice {
public:
    RecordingPages(QSize size, int dpi);
    ~RecordingPages() override;

    bool NewPage();
    const std::vector<RecordedPage>& Pages() const { return pages_; }
    // How often painting began on the device.
    int Begins() const { return begins_; }

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    friend class Engine;

    QSize size_;
    int dpi_;
    std::unique_ptr<Engine> engine_;
    std::vector<RecordedPage> pages_;
    int begins_ = 0;
};

} // namespace quorvel::test
