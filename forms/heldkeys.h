#pragma once

namespace forms {

// A box that opens while the key that closed the one before is still down
// loses its announcement: a screen reader, handling that key's release,
// finds the new box already active and takes it for one it has presented.
// So a box opens only once the keys pressed in the program are up again
// (or after two seconds, should a release never reach the program). While it
// waits, the program takes no input, as under an open box; timers go on.
void waitUntilKeysAreUp();

} // namespace forms
