#pragma once

#include <functional>

namespace forms {

enum class Attempt { done, busy, failed };

// Makes `attempt` again, a few milliseconds apart, while it finds what it
// needs busy and `timeoutMs` has not passed. True once it is done.
bool retryWhileBusy(int timeoutMs, const std::function<Attempt()> &attempt);

} // namespace forms
