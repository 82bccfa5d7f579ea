#pragma once

#include <QLabel>

namespace forms {

// A label whose caption the game writes and reads back. The caption is kept
// as given (a record file's CR LF included); the label shows each line end
// as a line break. With autoSize set it takes the size of its text whenever
// the caption changes, keeping its left and top edges; the window clips
// whatever reaches past its edge.
class Label : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit Label(QWidget *parent = nullptr);

    // The caption last given, or the design text when none was given since.
    QString caption() const { return text() == shownText(m_caption) ? m_caption : text(); }
    void setCaption(const QString &caption);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

protected:
    void changeEvent(QEvent *event) override;

private:
    static QString shownText(QString caption);
    void fitToText();

    QString m_caption;
    bool m_autoSize = false;
};

} // namespace forms
