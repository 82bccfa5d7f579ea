#pragma once

#include <functional>

namespace forms {

// Runs a wait nested in a handler (a box's exec, a loop's) and returns what
// it returns. Meanwhile the program's timers go on, and a box they open
// waits in turn.
int waitNested(const std::function<int()> &exec);

} // namespace forms
