// Hints.cpp - the application's hint: a tip below the pointer for the
// control under it.
#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <commctrl.h>

#include "Instance.h"

namespace {

constexpr UINT_PTR HintTool = 1;

// The part of a hint before its first "|".
std::string ShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

}  // namespace

void TApplication::SetShowHint(bool value) {
    FShowHint = value;
    if (!value) CancelHint();
}

void TApplication::HintMouseMessage(TControl* control) {
    CancelHint();
    FHintControl = control;
    if (!control || !FShowHint || !control->ShowHint() || ShortHint(control->Hint()).empty())
        return;
    if (!FHintTimer) {
        FHintTimer = std::make_unique<TTimer>(nullptr);
        FHintTimer->OnTimer = [this](TObject*) {
            FHintTimer->SetEnabled(false);
            if (FHintShown)
                CancelHint();
            else
                ActivateHint();
        };
    }
    FHintTimer->SetInterval(static_cast<UINT>(FHintPause));
    FHintTimer->SetEnabled(true);
}

void TApplication::ActivateHint() {
    if (!FHintControl) return;
    if (!FHintWindow) {
        FHintWindow = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                      WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, Handle(),
                                      nullptr, ModuleInstance(), nullptr);
        if (!FHintWindow) return;
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool.hwnd = Handle();
        tool.uId = HintTool;
        tool.lpszText = const_cast<char*>("");
        SendMessageA(FHintWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    std::string text = ShortHint(FHintControl->Hint());
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = HintTool;
    tool.lpszText = text.data();
    SendMessageA(FHintWindow, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    TPoint pos{};
    GetCursorPos(&pos);
    SendMessageA(FHintWindow, TTM_TRACKPOSITION, 0, MAKELPARAM(pos.x, pos.y + 20));
    SendMessageA(FHintWindow, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    FHintShown = true;
    FHintTimer->SetInterval(static_cast<UINT>(FHintHidePause));
    FHintTimer->SetEnabled(true);
}

void TApplication::CancelHint() {
    if (FHintTimer) FHintTimer->SetEnabled(false);
    if (FHintShown && FHintWindow) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = Handle();
        tool.uId = HintTool;
        SendMessageA(FHintWindow, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    }
    FHintShown = false;
}

HWND TApplication::HintWindow() const { return FHintShown ? FHintWindow : nullptr; }
