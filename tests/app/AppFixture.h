// AppFixture.h - the main program's process-wide state put back to its start
// for every test, message boxes recorded instead of shown, and the text of
// ini files read back line by line.
#pragma once

#include <app/TBLanguager.h>
#include <app/globals.h>
#include <classlib/Forms.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
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

inline std::string ReadFileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The lines of an ini file's text (without line ends), in file order.
inline std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream text(ReadFileText(path));
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}
