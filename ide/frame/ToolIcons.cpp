#include "frame/ToolIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorvel {

namespace {

// Every glyph is drawn on a 16 x 16 grid and scaled to the requested size.
class GlyphIconEngine : public QIconEngine {
public:
    explicit GlyphIconEngine(QString key) : key_(std::move(key)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        Draw(*painter, mode == QIcon::Disabled);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new GlyphIconEngine(key_); }
    QString key() const override { return QStringLiteral("quorvel-glyph"); }

private:
    void Draw(QPainter& p, bool disabled) const;

    QString key_;
};

QColor Tint(const QColor& color, bool disabled) {
    return disabled ? QColor(160, 160, 160) : color;
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QLineF line(to, from);
    QLineF wing1 = line;
    wing1.setLength(3.5);
    wing1.setAngle(line.angle() + 35);
    QLineF wing2 = line;
    wing2.setLength(3.5);
    wing2.setAngle(line.angle() - 35);
    p.drawLine(wing1);
    p.drawLine(wing2);
}

void Sheet(QPainter& p, QRectF r, const QColor& edge) {
    p.setPen(QPen(edge, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

void GlyphIconEngine::Draw(QPainter& p, bool disabled) const {
    const QColor ink = Tint(QColor(40, 40, 40), disabled);
    const QColor green = Tint(QColor(0, 150, 60), disabled);
    const QColor blue = Tint(QColor(30, 90, 200), disabled);
    const QColor red = Tint(QColor(210, 30, 30), disabled);
    const QColor yellow = Tint(QColor(230, 180, 40), disabled);

    if (key_ == QLatin1String("New")) {
        Sheet(p, QRectF(3.5, 1.5, 9, 13), ink);
        p.setPen(QPen(yellow, 1.5));
        p.drawLine(QPointF(10, 4), QPointF(14, 4));
        p.drawLine(QPointF(12, 2), QPointF(12, 6));
    } else if (key_ == QLatin1String("Open")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(yellow);
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.drawPolygon(
            QPolygonF({QPointF(1.5, 13.5), QPointF(4.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5)}));
    } else if (key_ == QLatin1String("Save")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(blue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
    } else if (key_ == QLatin1String("Print")) {
        Sheet(p, QRectF(4.5, 1.5, 7, 5), ink);
        p.setBrush(Tint(QColor(190, 190, 190), disabled));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        Sheet(p, QRectF(4.5, 10.5, 7, 4), ink);
    } else if (key_ == QLatin1String("Download")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(Tint(QColor(60, 60, 60), disabled));
        p.drawRect(QRectF(3.5, 10.5, 9, 4));
        Arrow(p, QPointF(8, 1.5), QPointF(8, 9), green);
    } else if (key_ == QLatin1String("Cut")) {
        p.setPen(QPen(ink, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12), 2.2, 2.2);
        p.drawEllipse(QPointF(11.5, 12), 2.2, 2.2);
        p.drawLine(QPointF(6, 10.5), QPointF(11.5, 1.5));
        p.drawLine(QPointF(10, 10.5), QPointF(4.5, 1.5));
    } else if (key_ == QLatin1String("Copy")) {
        Sheet(p, QRectF(1.5, 1.5, 8, 10), ink);
        Sheet(p, QRectF(6.5, 4.5, 8, 10), ink);
    } else if (key_ == QLatin1String("Paste")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(Tint(QColor(170, 120, 60), disabled));
        p.drawRect(QRectF(2.5, 2.5, 10, 12));
        Sheet(p, QRectF(6.5, 6.5, 8, 8.5), ink);
        p.setBrush(Tint(QColor(200, 200, 200), disabled));
        p.drawRect(QRectF(5.5, 1.5, 4, 2.5));
    } else if (key_ == QLatin1String("Undo") || key_ == QLatin1String("Redo")) {
        const bool undo = key_ == QLatin1String("Undo");
        if (!undo) {
            p.translate(16, 0);
            p.scale(-1, 1);
        }
        QPainterPath path;
        path.moveTo(3, 7);
        path.cubicTo(6, 3, 13, 3, 13.5, 9);
        path.lineTo(13.5, 13);
        p.setPen(QPen(blue, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawPolygon(QPolygonF({QPointF(1, 3.5), QPointF(6.5, 8.5), QPointF(1, 9.5)}));
    } else if (key_ == QLatin1String("Find") || key_ == QLatin1String("Find Next")) {
        p.setPen(QPen(ink, 1.5));
        p.setBrush(Tint(QColor(200, 230, 255), disabled));
        p.drawEllipse(QPointF(6, 6), 4, 4);
        p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 9), QPointF(13.5, 13.5));
        if (key_ == QLatin1String("Find Next")) Arrow(p, QPointF(10, 14.5), QPointF(15.5, 9), green);
    } else if (key_ == QLatin1String("Assemble")) {
        // A chip with pins.
        p.setPen(QPen(ink, 1));
        p.setBrush(Tint(QColor(70, 70, 70), disabled));
        p.drawRect(QRectF(4.5, 3.5, 7, 9));
        for (int i = 0; i < 4; ++i) {
            p.drawLine(QPointF(2, 5 + 2 * i), QPointF(4.5, 5 + 2 * i));
            p.drawLine(QPointF(11.5, 5 + 2 * i), QPointF(14, 5 + 2 * i));
        }
        p.setPen(QPen(yellow, 1.4));
        p.drawLine(QPointF(6.5, 10.5), QPointF(8, 5.5));
        p.drawLine(QPointF(8, 5.5), QPointF(9.5, 10.5));
    } else if (key_ == QLatin1String("Toggle Breakpoint")) {
        p.setPen(QPen(Tint(QColor(120, 0, 0), disabled), 1));
        p.setBrush(red);
        p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
    } else if (key_ == QLatin1String("Run")) {
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawPolygon(QPolygonF({QPointF(1.5, 2), QPointF(8.5, 8), QPointF(1.5, 14)}));
        p.drawPolygon(QPolygonF({QPointF(8, 2), QPointF(15, 8), QPointF(8, 14)}));
    } else if (key_ == QLatin1String("Play")) {
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(13.5, 8), QPointF(4, 14)}));
    } else if (key_ == QLatin1String("Animate")) {
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawPolygon(QPolygonF({QPointF(6, 2.5), QPointF(14.5, 8), QPointF(6, 13.5)}));
        p.setBrush(blue);
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(2.5, 4 + 4 * i), 1.3, 1.3);
    } else if (key_ == QLatin1String("Pause")) {
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawRect(QRectF(3.5, 2.5, 3.5, 11));
        p.drawRect(QRectF(9, 2.5, 3.5, 11));
    } else if (key_ == QLatin1String("Step Into")) {
        p.setPen(QPen(ink, 1.2));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(7, 3.5 + 4 * i), QPointF(15, 3.5 + 4 * i));
        Arrow(p, QPointF(2.5, 1.5), QPointF(2.5, 11.5), blue);
        Arrow(p, QPointF(2.5, 11.5), QPointF(6.5, 11.5), blue);
    } else if (key_ == QLatin1String("Step Over")) {
        p.setPen(QPen(ink, 1.2));
        p.drawLine(QPointF(2, 14), QPointF(14, 14));
        QPainterPath path;
        path.moveTo(2.5, 11);
        path.cubicTo(3, 2, 13, 2, 13.5, 10);
        p.setPen(QPen(blue, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        Arrow(p, QPointF(13.5, 8), QPointF(13.5, 11.5), blue);
    } else if (key_ == QLatin1String("Step Out")) {
        p.setPen(QPen(ink, 1.2));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(1, 5.5 + 4 * i), QPointF(9, 5.5 + 4 * i));
        Arrow(p, QPointF(12.5, 14.5), QPointF(12.5, 1.5), blue);
    } else if (key_ == QLatin1String("Run To Cursor")) {
        p.setPen(QPen(ink, 1.4));
        p.drawLine(QPointF(13, 2), QPointF(13, 14));
        p.drawLine(QPointF(11, 2), QPointF(15, 2));
        p.drawLine(QPointF(11, 14), QPointF(15, 14));
        Arrow(p, QPointF(1.5, 8), QPointF(10.5, 8), green);
    } else if (key_ == QLatin1String("Add Watch")) {
        p.setPen(QPen(ink, 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(4.5, 9), 3, 3);
        p.drawEllipse(QPointF(11.5, 9), 3, 3);
        p.drawLine(QPointF(7.5, 9), QPointF(8.5, 9));
        p.setPen(QPen(green, 1.8));
        p.drawLine(QPointF(12, 1), QPointF(12, 5.5));
        p.drawLine(QPointF(9.75, 3.25), QPointF(14.25, 3.25));
    } else if (key_ == QLatin1String("About Tolvic")) {
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QPointF(8, 8), 7, 7);
        p.setPen(QPen(Qt::white, 1));
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    } else {
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
    }
}

// Names of the freedesktop icon theme.
const char* ThemeName(const QString& key) {
    static const struct {
        const char* Key;
        const char* Theme;
    } kNames[] = {
        {"New", "document-new"},     {"Open", "document-open"}, {"Save", "document-save"},
        {"Print", "document-print"}, {"Cut", "edit-cut"},       {"Copy", "edit-copy"},
        {"Paste", "edit-paste"},     {"Undo", "edit-undo"},     {"Redo", "edit-redo"},
        {"Find", "edit-find"},
    };
    for (const auto& entry : kNames)
        if (key == QLatin1String(entry.Key)) return entry.Theme;
    return nullptr;
}

} // namespace

QIcon DrawnToolIcon(const QString& key) {
    return QIcon(new GlyphIconEngine(key));
}

QIcon ToolIcon(const QString& key) {
    const QIcon drawn = DrawnToolIcon(key);
    if (const char* theme = ThemeName(key); theme && QIcon::hasThemeIcon(QLatin1String(theme)))
        return QIcon::fromTheme(QLatin1String(theme));
    return drawn;
}

} // namespace quorvel
