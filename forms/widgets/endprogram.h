#pragma once

namespace forms {

// Ends the program at once, from any depth, also from inside an open box:
// nothing after it runs, and no destructor either.
[[noreturn]] void endProgram();

} // namespace forms
