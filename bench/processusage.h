#pragma once

// What this process has used so far.
double cpuSeconds();
long long peakMemoryKiB();
