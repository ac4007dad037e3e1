// SkinFixture.h - a skin folder of the test's own (AppSettings.SkinPath),
// its skin file written key by key, bitmaps in it, and a hidden form to put
// named controls on and skin.
#pragma once

#include <app/TBSkiner.h>
#include <app/globals.h>
#include <classlib/Forms.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "AppFixture.h"
#include "KitFixture.h"

class SkinTest : public AppStateTest {
protected:
    void SetUp() override {
        AppStateTest::SetUp();
        AppSettings.SkinPath = Folder.Path();
        AppSettings.SkinFilePath = AppSettings.SkinPath + SkinFileName;
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override {
        Form.reset();
        AppStateTest::TearDown();
    }

    // Writes the skin file: the section's header, then the lines as given
    // ("KEY=value" each, one per line).
    void WriteSkin(const std::string& lines, const std::string& section = "FORMMAIN") {
        Folder.File(SkinFileName, "[" + section + "]\r\n" + lines);
    }
    // A bitmap file of the given size in the skin folder, in one colour.
    std::string Picture(const std::string& name, int width, int height,
                        COLORREF color = RGB(10, 20, 30)) {
        WriteBmp(Folder.Path() + name, width, height, [color](int, int) { return color; });
        return name;
    }

    // A control of class T named name on parent (the form by default).
    template <class T>
    T* Add(const std::string& name, TWinControl* parent = nullptr) {
        T* control = new T(Form.get());
        control->SetName(name);
        control->SetParent(parent ? parent : Form.get());
        return control;
    }

    // The main window's call: the skin folder and the given section.
    void Apply(const std::string& section = "FORMMAIN") {
        SkinerDLL skiner;
        skiner.ApplySkinToForm(Form.get(), AppSettings.SkinPath, section);
    }

    std::unique_ptr<TForm> Form;
};
