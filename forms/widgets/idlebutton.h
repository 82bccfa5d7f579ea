#pragma once

#include <QPushButton>

namespace forms {

// A standard button that no code handles: it keeps its place in the Tab
// order and takes the focus, but pressing it does nothing. Assistive
// technology is therefore told it is static text, named by its accessible
// name, and not a button that can be pressed.
class IdleButton : public QPushButton
{
    Q_OBJECT

public:
    explicit IdleButton(QWidget *parent = nullptr);
};

} // namespace forms
