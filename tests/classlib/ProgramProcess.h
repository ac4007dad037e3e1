// ProgramProcess.h - one of the project's programs started as a process of
// its own from a program folder, for the tests that drive a whole program.
//
//   TProgramProcess   started with the folder as its working folder; ended by
//                     force if the test leaves it running
//
// The folder is a scratch copy of the installed one (CopyFolder and
// InstalledProgramFolder, <support/Files.h>).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TProgramProcess {
public:
    TProgramProcess(const std::string& folder, const std::string& program) {
        std::string exe = folder + program;
        std::string commandLine = "\"" + exe + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        FStarted = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, folder.c_str(), &startup, &FInfo) != FALSE;
    }
    ~TProgramProcess() {
        if (!FStarted) return;
        if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(FInfo.hProcess, 1);
        CloseHandle(FInfo.hThread);
        CloseHandle(FInfo.hProcess);
    }
    TProgramProcess(const TProgramProcess&) = delete;
    TProgramProcess& operator=(const TProgramProcess&) = delete;

    bool Started() const { return FStarted; }
    DWORD Id() const { return FInfo.dwProcessId; }
    // The exit code once it ended within timeoutMs, else STILL_ACTIVE.
    DWORD WaitForEnd(DWORD timeoutMs) const {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(FInfo.hProcess, timeoutMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(FInfo.hProcess, &code);
        return code;
    }
    bool Owns(HWND window) const {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        return process == FInfo.dwProcessId;
    }
    // The program's top-level windows, visible or not.
    std::vector<HWND> Windows() const {
        struct TSearch {
            const TProgramProcess* Program;
            std::vector<HWND> Found;
        } search{this, {}};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* search = reinterpret_cast<TSearch*>(data);
                if (search->Program->Owns(window)) search->Found.push_back(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }
    // A visible top-level window of the program with the title (and the
    // platform's window class, when given), or nullptr.
    HWND VisibleWindow(const std::string& title, const char* className = nullptr) const {
        for (HWND window : Windows()) {
            char text[256] = "";
            GetWindowTextA(window, text, sizeof text);
            char windowClass[256] = "";
            GetClassNameA(window, windowClass, sizeof windowClass);
            if (IsWindowVisible(window) && title == text &&
                (!className || std::string(className) == windowClass))
                return window;
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION FInfo{};
    bool FStarted = false;
};
