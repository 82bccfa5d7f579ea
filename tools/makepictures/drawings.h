#pragma once

#include <QRgb>
#include <QSize>

#include <array>

class QPainter;

// The classic 16 VGA colours; icons are stored with exactly this palette, so
// the drawings use only these colours and survive quantisation unchanged.
namespace vga {
constexpr QRgb black = 0xff000000;
constexpr QRgb maroon = 0xff800000;
constexpr QRgb green = 0xff008000;
constexpr QRgb olive = 0xff808000;
constexpr QRgb navy = 0xff000080;
constexpr QRgb purple = 0xff800080;
constexpr QRgb teal = 0xff008080;
constexpr QRgb silver = 0xffc0c0c0;
constexpr QRgb gray = 0xff808080;
constexpr QRgb red = 0xffff0000;
constexpr QRgb lime = 0xff00ff00;
constexpr QRgb yellow = 0xffffff00;
constexpr QRgb blue = 0xff0000ff;
constexpr QRgb fuchsia = 0xffff00ff;
constexpr QRgb aqua = 0xff00ffff;
constexpr QRgb white = 0xffffffff;

constexpr std::array<QRgb, 16> palette{
    black, maroon, green, olive, navy, purple, teal, silver, gray, red, lime, yellow, blue, fuchsia, aqua, white};
} // namespace vga

// Icon drawings work on a 32×32 canvas whatever the output size; `pixel` is
// how many canvas units one output pixel covers, so outlines never get
// thinner than a pixel on the small images.
namespace drawings {

constexpr qreal canvasSize = 32.0;

enum class ButtonState { Up, Down, Disabled };

void abacus(QPainter &painter, qreal pixel);
void nextArrow(QPainter &painter, qreal pixel, ButtonState state);
void exitDoor(QPainter &painter, qreal pixel);
void alarmClock(QPainter &painter, qreal pixel);

// Drawn pixel by pixel on a 32×32 image; the tip is the hot spot.
void pointer(QPainter &painter);
constexpr int pointerHotSpotX = 5;
constexpr int pointerHotSpotY = 0;

void nightSky(QPainter &painter, QSize size);

} // namespace drawings
