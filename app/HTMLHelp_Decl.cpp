// HTMLHelp_Decl.cpp - the HTML help control bound on first use.
#include <app/HTMLHelp_Decl.h>
#include <classlib/SysUtils.h>

namespace {

using THtmlHelpA = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

constexpr UINT HH_INITIALIZE_COMMAND = 0x1C;

HMODULE HelpModule = nullptr;
THtmlHelpA HtmlHelpA = nullptr;
DWORD HelpCookie = 0;

std::string SystemFolder() {
    char folder[256] = {};
    UINT length = GetSystemDirectoryA(folder, sizeof folder);
    return length < sizeof folder ? std::string(folder, length) : std::string();
}

void BindHtmlHelp() {
    HelpModule = LoadLibraryA((SystemFolder() + "\\HHCTRL.OCX").c_str());
    if (!HelpModule) throw Exception("HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
    HtmlHelpA = reinterpret_cast<THtmlHelpA>(
        reinterpret_cast<void*>(GetProcAddress(HelpModule, "HtmlHelpA")));
    if (!HtmlHelpA) throw Exception("Function HTMLHELP cannot loaded!");
    HtmlHelpA(nullptr, nullptr, HH_INITIALIZE_COMMAND, reinterpret_cast<DWORD_PTR>(&HelpCookie));
}

}  // namespace

HWND CallHtmlHelp(HWND caller, const std::string& file, UINT command, DWORD_PTR data) {
    if (!HtmlHelpA) BindHtmlHelp();
    return HtmlHelpA(caller, file.c_str(), command, data);
}
