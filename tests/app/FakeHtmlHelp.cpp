// A stand-in for the HTML help control: its HtmlHelpA records each call and
// answers with a window handle of its own; the test reads the calls back.
#include "FakeHtmlHelp.h"

#include <cstring>

namespace {

constexpr int MaxCalls = 16;
TFakeHelpCall Calls[MaxCalls];
int CallCount = 0;

}  // namespace

extern "C" __declspec(dllexport) HWND WINAPI
    HtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
    if (CallCount < MaxCalls) {
        TFakeHelpCall& call = Calls[CallCount];
        call.Caller = caller;
        call.File[0] = '\0';
        if (file) strncat(call.File, file, MAX_PATH - 1);
        call.Command = command;
        call.Data = data;
    }
    ++CallCount;
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4240 + CallCount));
}

extern "C" __declspec(dllexport) int FakeHelpCallCount() { return CallCount; }

extern "C" __declspec(dllexport) const TFakeHelpCall* FakeHelpCall(int index) {
    return index >= 0 && index < MaxCalls ? &Calls[index] : nullptr;
}
