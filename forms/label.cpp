#include "forms/label.h"

#include <QEvent>

namespace forms {
Label::Label(QWidget *parent) : QLabel(parent) {}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(shownText(caption));
    if (m_autoSize)
        fitToText();
}

void Label::setAutoSize(bool on)
{
    m_autoSize = on;
    if (m_autoSize)
        fitToText();
}

void Label::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_autoSize)
        fitToText();
}

QString Label::shownText(QString caption)
{
    caption.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    caption.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return caption;
}

void Label::fitToText()
{
    resize(sizeHint());
}

} // namespace forms
