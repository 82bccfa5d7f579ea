#include "forms/runtime/background.h"

namespace forms {

std::launch backgroundLaunch()
{
    return std::launch::async;
}

} // namespace forms
