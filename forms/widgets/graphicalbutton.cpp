#include "forms/widgets/graphicalbutton.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace forms {

namespace {

// Icons hold a 32 x 32 and a 16 x 16 image; the button shows the larger.
const QSize pictureSize(32, 32);
// The 3-D edge of a Windows button, two pixels on each side.
const int bevelWidth = 2;

} // namespace

GraphicalButton::GraphicalButton(QWidget *parent) : QPushButton(parent)
{ }

void GraphicalButton::setPicture(const QIcon &picture)
{
    m_picture = picture;
    update();
}

void GraphicalButton::setDownPicture(const QIcon &picture)
{
    m_downPicture = picture;
    update();
}

void GraphicalButton::setDisabledPicture(const QIcon &picture)
{
    m_disabledPicture = picture;
    update();
}

QPixmap GraphicalButton::shownPicture() const
{
    if (!isEnabled())
        return m_disabledPicture.isNull() ? pixmapOf(m_picture, QIcon::Disabled)
                                          : pixmapOf(m_disabledPicture, QIcon::Normal);
    if (isDown() && !m_downPicture.isNull())
        return pixmapOf(m_downPicture, QIcon::Normal);
    return pixmapOf(m_picture, QIcon::Normal);
}

QPixmap GraphicalButton::pixmapOf(const QIcon &picture, QIcon::Mode mode) const
{
    return picture.pixmap(pictureSize, devicePixelRatio(), mode);
}

// The caption sits on the bottom edge, the picture in the middle of the
// space above it; both move a pixel right and down while the button is held.
void GraphicalButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QBrush face = palette().brush(QPalette::Button);
    qDrawWinButton(&painter, rect(), palette(), isDown(), &face);

    QRect inside = rect().adjusted(bevelWidth, bevelWidth, -bevelWidth, -bevelWidth);
    if (isDown())
        inside.translate(1, 1);
    const int captionHeight = fontMetrics().height();
    const QRect captionArea(inside.left(), inside.bottom() - captionHeight, inside.width(), captionHeight);
    const QRect pictureArea(inside.topLeft(), QSize(inside.width(), captionArea.top() - inside.top()));

    const QPixmap pixmap = shownPicture();
    if (!pixmap.isNull())
        painter.drawPixmap(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, pictureSize, pictureArea), pixmap);
    drawCaption(painter, captionArea);
    if (hasFocus())
        drawFocus(painter, inside);
}

// A disabled caption is etched, as Windows draws it: a light copy shows
// from under a grey one, which keeps it readable on any back colour.
void GraphicalButton::drawCaption(QPainter &painter, const QRect &area) const
{
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::ButtonText));
    } else {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(area.translated(1, 1), flags, text());
        painter.setPen(palette().color(QPalette::Dark));
    }
    painter.drawText(area, flags, text());
}

// A dotted line in the caption's colour, as Windows draws it: on any back
// colour it shows which button Enter presses.
void GraphicalButton::drawFocus(QPainter &painter, const QRect &inside) const
{
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(inside.adjusted(1, 1, -2, -2));
}

} // namespace forms
