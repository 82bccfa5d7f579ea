#include "forms/widgets/endprogram.h"

#include <cstdio>
#include <cstdlib>

#include <emscripten.h>

namespace forms {
namespace {

// The page says that the game is over and how to start another.
EM_JS(void, tellPageTheGameIsOver, (), {
    if (typeof mcmFinePartita === 'function')
        mcmFinePartita();
});

} // namespace

// A page cannot end its program the way a process ends: it stops the
// program for good, so that no timer or event runs any of it again.
void endProgram()
{
    std::fflush(nullptr);
    tellPageTheGameIsOver();
    std::abort();
}

} // namespace forms
