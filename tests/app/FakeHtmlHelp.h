// FakeHtmlHelp.h - what the stand-in help control (fake_hhctrl.dll) records
// of each call of its HtmlHelpA.
#pragma once

#include <windows.h>

struct TFakeHelpCall {
    HWND Caller;
    char File[MAX_PATH];
    UINT Command;
    DWORD_PTR Data;
};

// The library's two readers, found with GetProcAddress.
using TFakeHelpCallCount = int (*)();
using TFakeHelpCallAt = const TFakeHelpCall* (*)(int index);
