#pragma once

namespace forms {

// Makes the faces that travel inside the program known to Qt, where the
// platform has none of its own to offer.
void addBundledFaces();

} // namespace forms
