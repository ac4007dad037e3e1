// PendingScanners.cpp - categories whose scanner is not written yet report
// nothing and succeed.
#include "Scanners.h"

DWORD ScanFileTypeKeys() { return 0; }
DWORD ScanComGroup() { return 0; }
