#include "drawings.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRandomGenerator>

#include <algorithm>
#include <initializer_list>

namespace drawings {
namespace {

// Small images get relatively thicker outlines, otherwise they fade away.
qreal outlineWidth(qreal pixel)
{
    return std::max(1.5, pixel);
}

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath roundedBox(const QRectF &box, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> corners)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(corners)));
    path.closeSubpath();
    return path;
}

void paintShape(QPainter &painter, const QPainterPath &shape, QRgb fill, QRgb outline, qreal width)
{
    painter.setPen(QPen(QColor::fromRgba(outline), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor::fromRgba(fill));
    painter.drawPath(shape);
}

void paintLine(QPainter &painter, QPointF from, QPointF to, QRgb colour, qreal width)
{
    painter.setPen(QPen(QColor::fromRgba(colour), width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
}

// One rod of the abacus with `count` beads pushed to the left.
void paintAbacusRow(QPainter &painter, qreal pixel, qreal y, int count, QRgb colour)
{
    constexpr qreal beadRadius = 2.6;
    constexpr qreal beadStep = 5.2;
    paintLine(painter, {5.0, y}, {27.0, y}, vga::gray, std::max(1.0, pixel));
    for (int bead = 0; bead < count; ++bead) {
        const QPointF centre(8.0 + beadStep * bead, y);
        paintShape(painter, circle(centre, beadRadius), colour, vga::black, pixel);
    }
}

struct ArrowLook
{
    QPointF offset;
    QRgb fill;
    QRgb outline;
    bool shadow;
};

ArrowLook arrowLookFor(ButtonState state)
{
    switch (state) {
    case ButtonState::Down:
        return {{2.0, 2.0}, vga::green, vga::black, false};
    case ButtonState::Disabled:
        return {{0.0, 0.0}, vga::silver, vga::gray, false};
    case ButtonState::Up:
        break;
    }
    return {{0.0, 0.0}, vga::lime, vga::black, true};
}

QPainterPath arrowShape(QPointF offset)
{
    return polygon({{3, 11}, {15, 11}, {15, 4}, {27, 16}, {15, 28}, {15, 21}, {3, 21}}).translated(offset);
}

QPainterPath pointerShape()
{
    return polygon({{5, 0}, {21, 16}, {14, 16}, {18, 24}, {15, 26}, {11, 18}, {5, 24}});
}

QPainterPath exitArrowShape()
{
    return polygon({{12, 12.5}, {21, 12.5}, {21, 7}, {30, 16}, {21, 25}, {21, 19.5}, {12, 19.5}});
}

void paintGrid(QPainter &painter, QSize size, int step, QColor colour)
{
    painter.setPen(QPen(colour, 1));
    for (int x = step / 2; x < size.width(); x += step)
        painter.drawLine(x, 0, x, size.height());
    for (int y = step / 2; y < size.height(); y += step)
        painter.drawLine(0, y, size.width(), y);
}

void paintFaintDigits(QPainter &painter, QSize size, QRandomGenerator &random)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    painter.setPen(QColor(150, 160, 230, 10));
    for (int digit = 0; digit < 18; ++digit) {
        font.setPixelSize(random.bounded(40, 90));
        painter.setFont(font);
        const QPointF where(random.bounded(size.width()), random.bounded(size.height()));
        painter.save();
        painter.translate(where);
        painter.rotate(random.bounded(-25, 25));
        painter.drawText(QPointF(0, 0), QString::number(digit % 10));
        painter.restore();
    }
}

void paintFaintStars(QPainter &painter, QSize size, QRandomGenerator &random)
{
    painter.setPen(Qt::NoPen);
    for (int star = 0; star < 70; ++star) {
        painter.setBrush(QColor(170, 185, 255, random.bounded(25, 60)));
        const QPointF where(random.bounded(size.width()), random.bounded(size.height()));
        painter.drawEllipse(where, 1.2, 1.2);
    }
}

// A pale crescent in the top right corner, where captions rarely reach.
void paintFaintMoon(QPainter &painter, QSize size)
{
    const QPointF centre(size.width() - 70.0, 62.0);
    const QPainterPath crescent = circle(centre, 30).subtracted(circle(centre + QPointF(-12, -9), 27));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 225, 150, 28));
    painter.drawPath(crescent);
}

} // namespace

void abacus(QPainter &painter, qreal pixel)
{
    const qreal width = outlineWidth(pixel);
    paintShape(painter, roundedBox({1.5, 3.5, 29, 25}, 3), vga::maroon, vga::black, width);
    paintShape(painter, roundedBox({5, 7, 22, 18}, 1), vga::white, vga::black, pixel);
    paintAbacusRow(painter, pixel, 10.5, 3, vga::red);
    paintAbacusRow(painter, pixel, 16.0, 2, vga::yellow);
    paintAbacusRow(painter, pixel, 21.5, 4, vga::blue);
}

void nextArrow(QPainter &painter, qreal pixel, ButtonState state)
{
    const ArrowLook look = arrowLookFor(state);
    const qreal width = outlineWidth(pixel);
    if (look.shadow)
        paintShape(painter, arrowShape({2.0, 2.0}), vga::gray, vga::gray, width);
    paintShape(painter, arrowShape(look.offset), look.fill, look.outline, width);
}

void exitDoor(QPainter &painter, qreal pixel)
{
    const qreal width = outlineWidth(pixel);
    paintShape(painter, roundedBox({9, 4, 13, 25}, 0.5), vga::yellow, vga::black, width);
    paintShape(painter, polygon({{9, 4}, {2, 1.5}, {2, 30.5}, {9, 29}}), vga::maroon, vga::black, width);
    paintShape(painter, circle({5, 17}, 1.3), vga::yellow, vga::yellow, pixel);
    paintShape(painter, exitArrowShape(), vga::red, vga::black, width);
}

void alarmClock(QPainter &painter, qreal pixel)
{
    const qreal width = outlineWidth(pixel);
    const QPointF centre(16, 17.5);
    paintShape(painter, circle({7.5, 7}, 4.5), vga::yellow, vga::black, width);
    paintShape(painter, circle({24.5, 7}, 4.5), vga::yellow, vga::black, width);
    paintLine(painter, {9.5, 25}, {6, 30}, vga::black, 2.5);
    paintLine(painter, {22.5, 25}, {26, 30}, vga::black, 2.5);
    paintShape(painter, circle(centre, 11.5), vga::red, vga::black, width);
    paintShape(painter, circle(centre, 8), vga::white, vga::black, pixel);
    paintLine(painter, centre, {16, 11.5}, vga::black, std::max(2.0, pixel));
    paintLine(painter, centre, {20.5, 17.5}, vga::blue, std::max(2.0, pixel));
}

void pointer(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawPath(pointerShape());
}

void nightSky(QPainter &painter, QSize size)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(2, 3, 12));
    sky.setColorAt(1.0, QColor(6, 8, 28));
    painter.fillRect(QRect(QPoint(0, 0), size), sky);
    paintGrid(painter, size, 24, QColor(255, 255, 255, 6));
    // Fixed seed: rerunning the tool must give the same picture.
    QRandomGenerator random(20240611);
    paintFaintDigits(painter, size, random);
    paintFaintStars(painter, size, random);
    paintFaintMoon(painter, size);
}

} // namespace drawings
