#pragma once

#include <QLabel>

namespace forms {

// A label whose caption the game writes and reads back. The caption is kept
// as given (a record file's CR LF included); the label shows each line end
// as a line break. With autoSize set it takes the size of its text whenever
// the caption or the font changes, keeping its left and top edges and never
// wrapping; the window clips whatever reaches past its edge. Its visible
// text is its accessible name.
class Label : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit Label(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    static QString shownText(QString caption);
    void fitToText();

    QString m_caption;
    bool m_autoSize = false;
};

} // namespace forms
