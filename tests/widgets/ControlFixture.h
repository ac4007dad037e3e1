// ControlFixture.h - a shown form to place the kit's controls on, the
// messages a user's mouse and keys produce, and pixels read back.
#pragma once

#include <classlib/Forms.h>
#include <gtest/gtest.h>

#include <memory>

#include "KitFixture.h"
#include "WindowFixture.h"

inline LPARAM PointParam(int x, int y) { return MAKELPARAM(x, y); }

// The messages of one control's window, as the user's actions produce them.
class TUser {
public:
    explicit TUser(TWinControl* control) : FControl(control) {}

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(FControl->Handle(), message, wParam, lParam);
    }
    void Press(int x, int y, UINT message = WM_LBUTTONDOWN) {
        Send(message, message == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, PointParam(x, y));
    }
    void Move(int x, int y, WPARAM keys = MK_LBUTTON) {
        Send(WM_MOUSEMOVE, keys, PointParam(x, y));
    }
    void Release(int x, int y, UINT message = WM_LBUTTONUP) { Send(message, 0, PointParam(x, y)); }
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    void KeyDown(WORD key) { Send(WM_KEYDOWN, key, 1); }
    void KeyUp(WORD key) { Send(WM_KEYUP, key, 0xC0000001); }
    void Key(WORD key) {
        KeyDown(key);
        KeyUp(key);
    }

private:
    TWinControl* FControl;
};

class ControlTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Form = NewForm();
        Form->SetBorderStyle(bsNone);
        Form->SetColor(clLime);
        MoveMouse(Point(1000, 900));
    }
    void TearDown() override {
        Form.reset();
        WindowTest::TearDown();
    }
    void ShowForm() {
        Form->Show();
        Pump(30);
    }
    std::unique_ptr<TForm> Form;
};

// Whether every pixel of the area of two bitmaps is the same.
inline bool SameArea(TBitmap* a, int ax, int ay, TBitmap* b, int bx, int by, int width,
                     int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PixelAt(a, ax + x, ay + y) != PixelAt(b, bx + x, by + y)) return false;
    return true;
}
