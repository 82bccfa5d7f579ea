#pragma once

#include <QIcon>
#include <QPushButton>

namespace forms {

// A command button drawn in its back colour (the palette's Button role) with
// a picture centred above its caption. While held down it shows its
// down picture, while disabled its disabled picture; a missing one is
// replaced by the picture, greyed out when disabled.
class GraphicalButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QIcon picture READ picture WRITE setPicture)
    Q_PROPERTY(QIcon downPicture READ downPicture WRITE setDownPicture)
    Q_PROPERTY(QIcon disabledPicture READ disabledPicture WRITE setDisabledPicture)

public:
    explicit GraphicalButton(QWidget *parent = nullptr);

    QIcon picture() const { return m_picture; }
    void setPicture(const QIcon &picture);
    QIcon downPicture() const { return m_downPicture; }
    void setDownPicture(const QIcon &picture);
    QIcon disabledPicture() const { return m_disabledPicture; }
    void setDisabledPicture(const QIcon &picture);

    // The picture as the button shows it now, at its shown size.
    QPixmap shownPicture() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap pixmapOf(const QIcon &picture, QIcon::Mode mode) const;
    void drawCaption(QPainter &painter, const QRect &area) const;
    void drawFocus(QPainter &painter, const QRect &inside) const;

    QIcon m_picture;
    QIcon m_downPicture;
    QIcon m_disabledPicture;
};

} // namespace forms
