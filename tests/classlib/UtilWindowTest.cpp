// The hidden window with a function as its window procedure.
#include <classlib/SysUtils.h>
#include <classlib/UtilWindow.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT Ping = WM_USER + 7;

}  // namespace

TEST(UtilityWindow, TheFunctionAnswersAndTheRestGoesToTheDefault) {
    std::vector<UINT> seen;
    TUtilityWindow window([&](HWND handle, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        seen.push_back(message);
        if (message == Ping) return static_cast<LRESULT>(wParam + lParam);
        return DefWindowProcA(handle, message, wParam, lParam);
    });
    HWND handle = window.Handle();
    ASSERT_TRUE(IsWindow(handle));
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_EQ(GetParent(handle), nullptr);
    EXPECT_EQ(SendMessageA(handle, Ping, 40, 2), 42);
    EXPECT_TRUE(SetWindowTextA(handle, "hidden"));
    EXPECT_EQ(GetWindowTextLengthA(handle), 6);

    // A broadcast reaches it: it is a top-level window, not a message-only one.
    const UINT broadcast = RegisterWindowMessageA("HolvaneUtilityWindowTest");
    seen.clear();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, broadcast, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    EXPECT_NE(std::find(seen.begin(), seen.end(), broadcast), seen.end());
}

TEST(UtilityWindow, ExceptionsStopAtTheWindowsEdge) {
    std::string reported;
    ApplicationHandleException = [&](const std::exception& error) { reported = error.what(); };
    TUtilityWindow window([](HWND handle, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == Ping) throw EInvalidOperation("timer went wrong");
        return DefWindowProcA(handle, message, wParam, lParam);
    });
    EXPECT_EQ(SendMessageA(window.Handle(), Ping, 0, 0), 0);
    EXPECT_EQ(reported, "timer went wrong");
    ApplicationHandleException = nullptr;
}

TEST(UtilityWindow, MovingHandsTheWindowOnAndDestructionIsSilent) {
    int calls = 0;
    std::vector<UINT> afterDestruction;
    bool destroying = false;
    auto method = [&](HWND handle, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        ++calls;
        if (destroying) afterDestruction.push_back(message);
        return DefWindowProcA(handle, message, wParam, lParam);
    };
    HWND handle = nullptr;
    {
        TUtilityWindow first(method);
        handle = first.Handle();
        TUtilityWindow second(std::move(first));
        EXPECT_EQ(first.Handle(), nullptr);
        EXPECT_EQ(second.Handle(), handle);
        calls = 0;
        SendMessageA(handle, Ping, 0, 0);
        EXPECT_EQ(calls, 1);
        TUtilityWindow third(
            [](HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); });
        HWND replaced = third.Handle();
        third = std::move(second);
        EXPECT_FALSE(IsWindow(replaced));
        EXPECT_EQ(third.Handle(), handle);
        destroying = true;
    }
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_TRUE(afterDestruction.empty());
}
