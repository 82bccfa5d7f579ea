#pragma once

class QWidget;

// A box that opens while a key is down loses its announcement: a screen
// reader, handling that key's release, finds the new box already active and
// takes it for one it has presented. So no box opens while a key is down.
namespace forms {

// Waits until the keys pressed in the program are up again (or two seconds,
// should a release never reach the program). Meanwhile the program takes no
// input, as under an open box; timers go on.
void waitUntilKeysAreUp();

// While it lives, Enter and Escape act on `box` when they are released, not
// when pressed: the box closes with the key already up, and a box opened
// next is announced. A key held down does nothing more until released.
class BoxKeysOnRelease
{
public:
    explicit BoxKeysOnRelease(QWidget *box);
    ~BoxKeysOnRelease();
    BoxKeysOnRelease(const BoxKeysOnRelease &) = delete;
    BoxKeysOnRelease &operator=(const BoxKeysOnRelease &) = delete;

private:
    class Filter;
    Filter *filter;
};

} // namespace forms
