#include "UStartupTrace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// Read once, before any side thread starts (StartupTraceBegin runs first in main).
bool g_enabled = false;
timespec g_begin{};

double Ms(const timespec &t)
{
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

} // namespace

void StartupTraceBegin()
{
    g_enabled = std::getenv("GULUSPELL_STARTUP_TRACE") != nullptr;
    clock_gettime(CLOCK_MONOTONIC, &g_begin);
    StartupMark("main entered");
}

void StartupMark(const char *phase)
{
    if (!g_enabled)
        return;
    timespec now{}, cpu{}, epoch{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    clock_gettime(CLOCK_REALTIME, &epoch);
    // One fprintf per line: lines from several threads do not interleave.
    std::fprintf(stderr, "guluspell trace: %7.1f wall, %7.1f cpu, %lld epoch: %s\n", Ms(now) - Ms(g_begin), Ms(cpu),
                 static_cast<long long>(epoch.tv_sec) * 1000000 + epoch.tv_nsec / 1000, phase);
}
