#pragma once

namespace forms {

// Makes Qt's own texts (the edit menu of a text box, the buttons of its
// dialogs) Italian, whatever the system's language. Call once, after the
// application object is made.
void useItalianToolkitTexts();

} // namespace forms
