#pragma once

#include <future>
#include <utility>

namespace forms {

// How work given to inBackground runs: on another thread where the platform
// has threads, else in the caller, when its result is first asked for.
std::launch backgroundLaunch();

// Starts work that the program will need later, so that asking for its
// result then waits little or not at all.
template<typename Work>
auto inBackground(Work work)
{
    return std::async(backgroundLaunch(), std::move(work)).share();
}

} // namespace forms
