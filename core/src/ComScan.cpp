// ComScan.cpp - the COM category: class, type-library and interface
// registrations, each walked in turn.
#include "ComScan.h"

#include "Scanners.h"

// The three results are not used: a COM scan never ends TrkScan early, and
// each walk notices a stop at its own first loop test.
DWORD ScanComGroup() {
    ScanClsidKeys();
    ScanTypeLibKeys();
    ScanInterfaceKeys();
    return 0;
}
