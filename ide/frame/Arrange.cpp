#include "frame/Arrange.h"

#include <algorithm>

namespace quorvel {

QList<QRect> TileHorizontal(const QSize& client, int count) {
    QList<QRect> rects;
    if (count <= 0) return rects;
    const int share = std::max(1, client.height() / count);
    for (int i = 0; i < count; ++i)
        rects.append(QRect(0, i * share, client.width(), share));
    return rects;
}

QList<QRect> TileVertical(const QSize& client, int count) {
    QList<QRect> rects;
    if (count <= 0) return rects;
    const int share = std::max(1, client.width() / count);
    for (int i = 0; i < count; ++i)
        rects.append(QRect(i * share, 0, share, client.height()));
    return rects;
}

QList<QRect> Cascade(const QSize& client, int count, int step) {
    QList<QRect> rects;
    if (count <= 0) return rects;
    step = std::max(1, step);
    const int width = std::max(1, client.width() * 3 / 4);
    const int height = std::max(1, client.height() * 3 / 4);
    // How many windows fit diagonally before the run starts again.
    const int room = std::min(client.width() - width, client.height() - height);
    const int perRun = std::max(1, room / step + 1);
    for (int i = 0; i < count; ++i) {
        const int offset = (i % perRun) * step;
        rects.append(QRect(offset, offset, width, height));
    }
    return rects;
}

QList<DebuggerSlot> ArrangeDebugger(float clientHeightTwips) {
    const float fullHeight = std::max(clientHeightTwips, kArrangeTopHeight + kArrangeMinHeight);
    const float lowerHeight = fullHeight - kArrangeTopHeight;
    const float middle = kArrangeLeftWidth;
    const float right = kArrangeLeftWidth + kArrangeColumnWidth;
    return {
        {QStringLiteral("DisAsm"), {0, 0, kArrangeLeftWidth, fullHeight, kStateNormal}},
        {QStringLiteral("RegCPU"), {middle, 0, kArrangeColumnWidth, kArrangeTopHeight, kStateNormal}},
        {QStringLiteral("Watch"), {right, 0, kArrangeColumnWidth, kArrangeTopHeight, kStateNormal}},
        {QStringLiteral("Stack"),
         {middle, kArrangeTopHeight, kArrangeColumnWidth, lowerHeight, kStateNormal}},
        {QStringLiteral("Label"), {right, kArrangeTopHeight, kArrangeColumnWidth, lowerHeight, kStateNormal}},
    };
}

} // namespace quorvel
