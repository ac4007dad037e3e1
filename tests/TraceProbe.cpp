// TraceProbe.cpp - two tests that end their process the ways a test program
// can die, for the check that such a death leaves a trace: one writes
// through a null pointer, one is ended by force.
#include <gtest/gtest.h>
#include <windows.h>

TEST(TraceProbe, WritesThroughANullPointer) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

TEST(TraceProbe, IsEndedByForce) { TerminateProcess(GetCurrentProcess(), 7); }
