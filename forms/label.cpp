#include "forms/label.h"

#include <QEvent>

namespace forms {
// A classic label draws its text right against its border: no indent.
Label::Label(QWidget *parent) : QLabel(parent)
{
    setIndent(0);
}

void Label::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    // QLabel::setText tells a screen reader of the new name, once, and only
    // while one listens: the verdict, the kind of question and the clock are
    // announced as they change.
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
