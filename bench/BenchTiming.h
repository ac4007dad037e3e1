// BenchTiming.h - the clock of the benchmarks.
#pragma once

#include <windows.h>

#include <functional>

// The wall-clock time the work takes, in seconds.
inline double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}
