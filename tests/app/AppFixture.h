// AppFixture.h - the main program's process-wide state put back to its start
// for every test, and message boxes recorded instead of shown.
#pragma once

#include <app/TBLanguager.h>
#include <app/globals.h>
#include <classlib/Forms.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RegFixture.h"

struct TRecordedBox {
    std::string Text;
    std::string Caption;
    UINT Flags;
};

class AppStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppSettings = TAppSettings{};
        LanguageTexts = TLanguageTexts{};
        FSavedOwnerless = OwnerlessMessageBox;
        auto record = [this](const std::string& text, const std::string& caption, UINT flags) {
            Boxes.push_back({text, caption, flags});
            return IDOK;
        };
        OwnerlessMessageBox = record;
        Application->OnMessageBox = record;
    }
    void TearDown() override {
        OwnerlessMessageBox = FSavedOwnerless;
        Application->OnMessageBox = nullptr;
        while (BusyCursorDepth > 0) EndBusyCursor();
    }

    ScratchFolder Folder;
    std::vector<TRecordedBox> Boxes;

private:
    TMessageBoxEvent FSavedOwnerless;
};
