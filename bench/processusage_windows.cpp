#include "processusage.h"

// windows.h first: psapi.h builds on its definitions.
#include <windows.h>

#include <psapi.h>

namespace {

double seconds(const FILETIME &time)
{
    // FILETIME counts 100-nanosecond intervals.
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime)
        / 1e7;
}

} // namespace

double cpuSeconds()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    return seconds(kernel) + seconds(user);
}

long long peakMemoryKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long long>(counters.PeakWorkingSetSize / 1024);
}
