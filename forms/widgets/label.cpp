#include "forms/widgets/label.h"

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
    // QLabel::setText also tells assistive technology of the new name, which
    // screen readers show when asked; Orca does not speak it as it changes,
    // so news for the player goes through forms/widgets/spoken.h.
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

bool Label::event(QEvent *event)
{
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::Polish && m_autoSize)
        fitToText();
    return handled;
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

// While its window is being built the font and the caption still change:
// measuring each of them would load fonts that are never shown. The label
// takes its size once it is polished, before it is first shown.
void Label::fitToText()
{
    if (testAttribute(Qt::WA_WState_Polished))
        resize(sizeHint());
}

} // namespace forms
