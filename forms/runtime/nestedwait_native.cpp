#include "forms/runtime/nestedwait.h"

namespace forms {

int waitNested(const std::function<int()> &exec)
{
    return exec();
}

} // namespace forms
