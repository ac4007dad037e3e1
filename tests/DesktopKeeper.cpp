// DesktopKeeper.cpp - holds the test prefix's desktop for a whole test run.
//
// The emulator starts its desktop process for the first program that needs a
// desktop and ends it soon after the last such program has gone. The desktop
// process keeps the output descriptors of the program that started it: had a
// test program started it, ctest would wait for that test's output to end
// until the test's time-out, long after the test itself had passed. The test
// script starts this program first, with no descriptor of the run: it makes
// the desktop, says so by creating the file its argument names, and waits
// until the prefix's wineserver is stopped at the end of the run.
#include <windows.h>

int main(int argc, char** argv) {
    if (!GetDesktopWindow()) return 1;
    if (argc > 1) {
        HANDLE ready = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (ready == INVALID_HANDLE_VALUE) return 2;
        CloseHandle(ready);
    }
    Sleep(INFINITE);
    return 0;
}
