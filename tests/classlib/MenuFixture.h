// MenuFixture.h - pop-up menus as the platform shows them: their entries,
// and a watch on the application window that records a menu when it pops up
// and presses keys in it.
#pragma once

#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "WindowFixture.h"

struct TMenuEntry {
    std::string text;
    UINT type;
    UINT state;
};

// The entries of a platform menu as it was popped up.
inline std::vector<TMenuEntry> MenuEntries(HMENU menu) {
    std::vector<TMenuEntry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        entries.push_back({text, info.fType, info.fState});
    }
    return entries;
}

// Watches the menus the application window pops up: records the entries of
// the next one and of the first submenu in it, and where the menu
// stands once it is shown; then presses the keys in it. Should the keys not
// close it, the menu is ended after Safety milliseconds: no test waits for a
// person.
class TMenuWatch {
public:
    TMenuWatch() = default;
    ~TMenuWatch() { Stop(); }
    TMenuWatch(const TMenuWatch&) = delete;
    TMenuWatch& operator=(const TMenuWatch&) = delete;

    void PressWhenShown(std::vector<WORD> keys) {
        Stop();
        Shown.clear();
        ShownSubmenu.clear();
        ShownAt = Point(-1, -1);
        FKeys = std::move(keys);
        FPressed = false;
        FSafety = std::make_unique<TTimer>(nullptr);
        FSafety->SetInterval(Safety);
        FSafety->OnTimer = [this](TObject*) {
            FSafety->SetEnabled(false);
            ADD_FAILURE() << "the menu stayed open";
            EndMenu();
        };
        FHook = Application->HookMainWindow([this](TMessage& message) {
            if (message.Msg == WM_INITMENUPOPUP) Record(reinterpret_cast<HMENU>(message.WParam));
            if (message.Msg == WM_ENTERIDLE && message.WParam == MSGF_MENU && !FPressed)
                Press(reinterpret_cast<HWND>(message.LParam));
            return false;
        });
    }
    void Stop() {
        if (FHook) Application->UnhookMainWindow(FHook);
        FHook = 0;
        FSafety.reset();
    }

    std::vector<TMenuEntry> Shown;
    std::vector<TMenuEntry> ShownSubmenu;
    TPoint ShownAt = Point(-1, -1);
    UINT Safety = 3000;

private:
    void Record(HMENU menu) {
        if (!Shown.empty()) return;
        Shown = MenuEntries(menu);
        for (int i = 0; i < GetMenuItemCount(menu) && ShownSubmenu.empty(); ++i)
            if (HMENU submenu = GetSubMenu(menu, i)) ShownSubmenu = MenuEntries(submenu);
    }
    // The menu's window is up and waits for input.
    void Press(HWND menuWindow) {
        FPressed = true;
        RECT bounds;
        if (GetWindowRect(menuWindow, &bounds)) ShownAt = Point(bounds.left, bounds.top);
        for (WORD key : FKeys) {
            KeyEvent(key, true);
            KeyEvent(key, false);
        }
    }

    int FHook = 0;
    std::unique_ptr<TTimer> FSafety;
    std::vector<WORD> FKeys;
    bool FPressed = false;
};
