// HTMLHelp_Decl.cpp - the HTML help control bound on first use.
#include <app/HTMLHelp_Decl.h>
#include <classlib/SysUtils.h>

std::string HelpLibraryPath;

namespace {

using THtmlHelpA = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

constexpr UINT HH_INITIALIZE_COMMAND = 0x1C;

HMODULE HelpModule = nullptr;
THtmlHelpA HtmlHelpA = nullptr;
DWORD HelpCookie = 0;

// The system folder's help control; empty when the system folder's name
// does not fit in 255 characters (the control then counts as missing, rather
// than being searched for in other folders).
std::string SystemHelpLibrary() {
    char folder[256] = {};
    UINT length = GetSystemDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return "";
    return std::string(folder, length) + "\\HHCTRL.OCX";
}

void BindHtmlHelp() {
    std::string library = HelpLibraryPath.empty() ? SystemHelpLibrary() : HelpLibraryPath;
    HelpModule = library.empty() ? nullptr : LoadLibraryA(library.c_str());
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
