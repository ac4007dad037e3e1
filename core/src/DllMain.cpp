// DllMain.cpp - the library's entry point: set up at load, tear down at unload.
#include "Engine.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        InitEngine();
    else if (reason == DLL_PROCESS_DETACH)
        ShutdownEngine();
    return TRUE;
}
