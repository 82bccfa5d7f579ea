#pragma once

#include <functional>

namespace forms {

// Every event handler is entered through here, so that no exception ever
// crosses Qt's event loop. A run-time error is shown in a box and ends the
// program, as an unhandled error does in the forms runtime. A test host's
// End unwinds through nested handlers up to the outermost one.
void runHandler(const std::function<void()> &handler);

} // namespace forms
