// ToolFixture.h - the defragmentation tool's process-wide state put back to
// its start for every test, its message boxes recorded instead of shown, and
// its power calls replaced: no test may ever reach the real ones.
#pragma once

#include <classlib/Forms.h>
#include <defrag/globals.h>
#include <defrag/multiLangs.h>
#include <defrag/multiSkins.h>
#include <gtest/gtest.h>
#include <support/Files.h>

#include <string>
#include <vector>

#include "RegFixture.h"

struct TToolBox {
    std::string Text;
    std::string Caption;
    UINT Flags;
    bool Owned;  // through the application rather than without an owner
};

// One power call as the tool made it, with the state of the shutdown
// privilege at that moment.
struct TPowerCall {
    std::string Name;  // "ExitWindowsEx" or "SetSystemPowerState"
    UINT First;        // the flags, or suspend
    UINT Second;       // the reason, or force
    bool PrivilegeEnabled;
};

// Whether the process's token has the privilege enabled now.
inline bool PrivilegeEnabled(const char* name) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    LUID luid{};
    LookupPrivilegeValueA(nullptr, name, &luid);
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    bool enabled = false;
    if (GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        auto privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
            if (entry.Luid.LowPart == luid.LowPart && entry.Luid.HighPart == luid.HighPart)
                enabled = (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ToolPaths = TToolPaths{};
        ToolTexts = TToolTexts{};
        ToolSkin = TToolSkin{};
        FSavedOwnerless = ToolOwnerlessMessageBox;
        FSavedPower = PowerCalls;
        ToolOwnerlessMessageBox = [this](const std::string& text, const std::string& caption,
                                         UINT flags) {
            return Record(text, caption, flags, false);
        };
        Application->OnMessageBox = [this](const std::string& text, const std::string& caption,
                                           UINT flags) {
            return Record(text, caption, flags, true);
        };
        PowerCalls.ExitWindowsEx = [this](UINT flags, DWORD reason) {
            PowerLog.push_back({"ExitWindowsEx", flags, reason, ShutdownEnabled()});
            return TRUE;
        };
        PowerCalls.SetSystemPowerState = [this](BOOL suspend, BOOL force) {
            PowerLog.push_back({"SetSystemPowerState", static_cast<UINT>(suspend),
                                static_cast<UINT>(force), ShutdownEnabled()});
            return TRUE;
        };
    }
    void TearDown() override {
        ToolOwnerlessMessageBox = FSavedOwnerless;
        PowerCalls = FSavedPower;
        Application->OnMessageBox = nullptr;
    }

    // The tool's settings file in the scratch folder, with the given lines of
    // section "system".
    void WriteConfig(const std::string& systemLines) {
        Folder.File("config.ini", "[system]\r\n" + systemLines);
    }

    // Exactly one box was shown, without an owner and with the error icon.
    void ExpectOneErrorBox(const std::string& text, const std::string& caption) const {
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, text);
        EXPECT_EQ(Boxes[0].Caption, caption);
        EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_ICONERROR));
        EXPECT_FALSE(Boxes[0].Owned);
    }

    static bool ShutdownEnabled() { return PrivilegeEnabled("SeShutdownPrivilege"); }

    ScratchFolder Folder;
    std::vector<TToolBox> Boxes;
    std::vector<TPowerCall> PowerLog;
    // The answer every message box gets.
    int Answer = IDOK;

private:
    int Record(const std::string& text, const std::string& caption, UINT flags, bool owned) {
        Boxes.push_back({text, caption, flags, owned});
        return Answer;
    }

    TMessageBoxEvent FSavedOwnerless;
    TPowerCalls FSavedPower;
};
