// WindowFixture.h - running messages, user input and pixel reading for the
// tests of controls and forms on the test display.
#pragma once

#include <classlib/Forms.h>
#include <classlib/Pictures.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Handles messages for about ms milliseconds.
inline void Pump(int ms) {
    DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        Application->ProcessMessages();
        Sleep(2);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    Application->ProcessMessages();
}

// Handles messages until done() holds or timeoutMs passed; returns done().
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (!done() && static_cast<int>(end - GetTickCount()) > 0) {
        Application->ProcessMessages();
        Sleep(2);
    }
    return done();
}

// Real input through the platform's input queue (the pointer moves on the display).
inline void MoveMouse(TPoint screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
    Pump(60);
}

inline void PressMouse(TMouseButton button, bool down) {
    static const DWORD downFlags[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN,
                                      MOUSEEVENTF_MIDDLEDOWN};
    static const DWORD upFlags[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_MIDDLEUP};
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? downFlags[button] : upFlags[button];
    SendInput(1, &input, sizeof input);
    Pump(40);
}

inline void ClickAt(TPoint screen, TMouseButton button = mbLeft) {
    MoveMouse(screen);
    PressMouse(button, true);
    PressMouse(button, false);
}

inline void KeyEvent(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// Presses key with the modifiers held (VK_SHIFT, VK_CONTROL, VK_MENU).
inline void PressKey(WORD key, std::initializer_list<WORD> modifiers = {}) {
    for (WORD modifier : modifiers) KeyEvent(modifier, true);
    KeyEvent(key, true);
    KeyEvent(key, false);
    for (auto it = modifiers.end(); it != modifiers.begin();) KeyEvent(*--it, false);
    Pump(80);
}

// A control's screen position of its own client point.
inline TPoint ScreenPoint(const TControl* control, int x, int y) {
    return control->ClientToScreen(Point(x, y));
}

// The client area of a windowed control painted through WM_PRINTCLIENT into
// a bitmap (erased first when erase is set).
inline std::unique_ptr<TBitmap> PrintClient(TWinControl* control, bool erase = true) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(control->ClientWidth(), control->ClientHeight());
    HDC dc = bitmap->Canvas()->Handle();
    SendMessageA(control->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | (erase ? PRF_ERASEBKGND : 0));
    return bitmap;
}

inline COLORREF ScreenPixel(TPoint screen) {
    HDC dc = GetDC(nullptr);
    COLORREF color = GetPixel(dc, screen.x, screen.y);
    ReleaseDC(nullptr, dc);
    return color;
}

// Every test of windows: a message box nobody answers fails the test instead
// of waiting; the application's events are cleared afterwards.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->OnMessageBox = [](const std::string& text, const std::string& caption, UINT) {
            ADD_FAILURE() << "unexpected message box: " << caption << ": " << text;
            return IDCANCEL;
        };
        Application->OnException = [](TObject*, const std::exception& error) {
            ADD_FAILURE() << "unexpected exception: " << error.what();
        };
    }
    void TearDown() override {
        Application->OnMessageBox = nullptr;
        Application->OnException = nullptr;
        Screen->SetCursor(crDefault);
        Pump(10);
    }

    // A form away from the top-left corner (where the system tray may sit).
    std::unique_ptr<TForm> NewForm(int width = 400, int height = 300) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(300, 250, width, height);
        return form;
    }
};

// Points Application at an application object of the test's own for a
// scope, so that terminating it or giving it a main form leaves the
// process's one alone; a WM_QUIT it left in the queue goes with it. It
// answers message boxes and errors as the process's one does.
class TScopedApplication {
public:
    TScopedApplication() : FSaved(Application), FLocal(std::make_unique<TApplication>(nullptr)) {
        FLocal->OnMessageBox = FSaved->OnMessageBox;
        FLocal->OnException = FSaved->OnException;
        Application = FLocal.get();
    }
    ~TScopedApplication() {
        FLocal->DestroyComponents();
        Application = FSaved;
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    TScopedApplication(const TScopedApplication&) = delete;
    TScopedApplication& operator=(const TScopedApplication&) = delete;

    TApplication* operator->() const { return FLocal.get(); }
    TApplication* Get() const { return FLocal.get(); }

private:
    TApplication* FSaved;
    std::unique_ptr<TApplication> FLocal;
};
