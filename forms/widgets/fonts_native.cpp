#include "forms/widgets/fonts_platform.h"

namespace forms {

// The desktop's own faces (Liberation, DejaVu) are installed with the game's
// package or come with the system.
void addBundledFaces()
{ }

} // namespace forms
