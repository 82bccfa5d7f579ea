#include "forms/runtime/background.h"

namespace forms {

// A page runs the program on one thread: a thread asked for would never start.
std::launch backgroundLaunch()
{
    return std::launch::deferred;
}

} // namespace forms
