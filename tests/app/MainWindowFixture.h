// MainWindowFixture.h - the main window made in the test's own process, as
// the program block makes it, over a scratch program folder; message boxes
// are recorded and answered from a list the test fills.
#pragma once

#include <app/TBLanguager.h>
#include <app/globals.h>
#include <app/main.h>
#include <classlib/Forms.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <support/Files.h>

#include <deque>
#include <string>

#include "AppFixture.h"
#include "WindowFixture.h"

// Clicks a control of the main window in its middle, as the user would, once
// it is on the screen and the pointer is over it: a click right after a page
// change would otherwise go to the page shown before.
inline void ClickControl(const TWinControl* control) {
    WaitUntil([control] { return control->Showing(); });
    const TPoint middle = ScreenPoint(control, control->Width() / 2, control->Height() / 2);
    MoveMouse(middle);
    WaitUntil([middle] {
        POINT at{};
        GetCursorPos(&at);
        return at.x == middle.x && at.y == middle.y;
    });
    PressMouse(mbLeft, true);
    PressMouse(mbLeft, false);
}

// The caption of a list view column as the control shows it.
inline std::string ShownColumn(TListView* listView, int index) {
    char text[128] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    SendMessageA(listView->Handle(), LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    return text;
}

class MainWindowTest : public AppStateTest {
protected:
    // The program folder before the window is made: its language folder, and
    // the shipped skin when the test asks for it.
    virtual bool UsesInstalledSkin() const { return false; }

    void SetUp() override {
        AppStateTest::SetUp();
        Folder.Folder("Langs");
        if (UsesInstalledSkin()) CopySkin();
        LoadSettingsFrom(Folder.Path());
        LoadLanguage();
        Application->OnMessageBox = [this](const std::string& text, const std::string& caption,
                                           UINT flags) {
            Boxes.push_back({text, caption, flags});
            if (Answers.empty()) return IDOK;
            int answer = Answers.front();
            Answers.pop_front();
            return answer;
        };
        Application->OnException = [this](TObject*, const std::exception& error) {
            Errors.push_back(error.what());
        };
        Form = Application->CreateForm<TfrmMain>();
        Pump(20);
    }
    void TearDown() override {
        delete Form;
        Application->OnException = nullptr;
        Pump(10);
        AppStateTest::TearDown();
    }

    void CopySkin() {
        ASSERT_TRUE(
            CopyFolder(InstalledProgramFolder() + "Skins\\", Folder.Folder("Skins") + "\\"));
    }

    TfrmMain* Form = nullptr;
    // The buttons pressed in the message boxes, in order; IDOK when empty.
    std::deque<int> Answers;
    // The errors that reached the application's error box.
    std::vector<std::string> Errors;
};
