// UninstallScan.h - the inner step of the uninstall scan.
#pragma once

#include <windows.h>

// Tests every product subkey of the machine's Uninstall key. Returns 0, or
// the error of opening the Uninstall key.
DWORD CheckUninstallKeys();
