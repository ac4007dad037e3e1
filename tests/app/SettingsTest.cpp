// The settings store against real settings files: defaults for missing keys,
// value forms, the file written at the first start, the message when it
// cannot be written, the derived paths, the state keys written back, and the
// window position of section "Form".
#include <app/globals.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "SettingsLines.h"

namespace {

class SettingsTest : public AppStateTest {};

}  // namespace

TEST_F(SettingsTest, MissingKeysTakeTheirDefaults) {
    const std::string content =
        "[System]\r\n"
        "confirmbackups=0\r\n"
        "StartMin=5\r\n"
        "LastScanDateTime=Monday, March 05, 2007 - 9:05:03 AM\r\n"
        "RegistryErrorsFixedToDate=$20\r\n"
        "ScanBoxFonts=0\r\n"
        "ScanBoxStartMenu=no\r\n"
        "Version=v7.0\r\n";
    std::string path = Folder.File("config.ini", content);

    ASSERT_TRUE(LoadSettingsFrom(Folder.Path()));
    EXPECT_TRUE(Boxes.empty());
    const TAppSettings& s = AppSettings;
    EXPECT_FALSE(s.StartWhenSystemBoots);
    EXPECT_FALSE(s.StartScanWhenStarts);
    EXPECT_TRUE(s.StartMin);
    EXPECT_FALSE(s.ConfirmBackups);
    EXPECT_EQ(s.LastScanDateTime, "Monday, March 05, 2007 - 9:05:03 AM");
    EXPECT_EQ(s.LastScanResult, 0);
    EXPECT_EQ(s.LastRegistryDefragDateTime, "...");
    EXPECT_EQ(s.LastRegistryBackupDateTime, "...");
    EXPECT_EQ(s.InvalidRegistryEntriesFoundToDate, 0);
    EXPECT_EQ(s.RegistryErrorsFixedToDate, 32);
    EXPECT_TRUE(s.ScanBoxCOM);
    EXPECT_FALSE(s.ScanBoxFonts);
    EXPECT_TRUE(s.ScanBoxStartMenu);  // not an integer: the default
    EXPECT_EQ(s.Copyright, DefaultCopyright);
    EXPECT_EQ(s.Version, "v7.0");
    EXPECT_EQ(s.ExePath, Folder.Path());
    EXPECT_EQ(s.ConfigFilePath, Folder.Path() + "config.ini");
    EXPECT_EQ(s.SkinPath, Folder.Path() + "Skins\\");
    EXPECT_EQ(s.SkinFilePath, Folder.Path() + "Skins\\Default.ini");
    EXPECT_EQ(s.LanguagePath, Folder.Path() + "Langs\\");
    EXPECT_EQ(s.LanguageFilePath, Folder.Path() + "Langs\\English.ini");
    EXPECT_EQ(ReadFileText(path), content);  // an existing file is only read
}

TEST_F(SettingsTest, ValueFormsOfBooleansAndIntegers) {
    const struct {
        const char* Stored;
        int Result;
        bool Confirm;
    } cases[] = {
        {"abc", 0, true}, {"0x10", 16, true}, {"0X10", 16, true}, {"$10", 16, true},
        {"-3", -3, true}, {"  7  ", 7, true}, {"0", 0, false},    {"5", 5, true},
    };
    for (const auto& c : cases) {
        Folder.File("config.ini", std::string("[system]\r\nLastScanResult=") + c.Stored +
                                      "\r\nConfirmBackups=" + c.Stored + "\r\n");
        ASSERT_TRUE(LoadSettingsFrom(Folder.Path())) << c.Stored;
        EXPECT_EQ(AppSettings.LastScanResult, c.Result) << c.Stored;
        EXPECT_EQ(AppSettings.ConfirmBackups, c.Confirm) << c.Stored;
    }
}

TEST_F(SettingsTest, FirstStartWritesTheDefaultsInWriteOrder) {
    ASSERT_TRUE(LoadSettingsFrom(Folder.Path()));
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(FileLines(Folder.Path() + "config.ini"), FirstStartSystemLines());
    // Read back: the fixed texts and the paths.
    EXPECT_EQ(AppSettings.Copyright, DefaultCopyright);
    EXPECT_EQ(AppSettings.Version, "v6.2.4.4");
    EXPECT_TRUE(AppSettings.ConfirmBackups);
    EXPECT_EQ(AppSettings.LanguageFilePath, Folder.Path() + "Langs\\English.ini");
}

TEST_F(SettingsTest, UnwritableSettingsFileShowsTheMessageAndKeepsDefaults) {
    Folder.Folder("config.ini");  // a folder where the file should be
    const std::string folders[] = {Folder.Path() + "not there\\below", Folder.Path()};
    for (const std::string& folder : folders) {
        Boxes.clear();
        AppSettings.StartMin = true;
        AppSettings.SkinPath = "stale";
        EXPECT_FALSE(LoadSettingsFrom(folder)) << folder;
        std::string path = EnsureTrailingBackslash(folder) + "config.ini";
        ASSERT_EQ(Boxes.size(), 1u) << folder;
        EXPECT_EQ(Boxes[0].Text, "Cann't save config to file " + path + " !");
        EXPECT_EQ(Boxes[0].Caption, "Write File Error!");
        EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_ICONERROR));
        const TAppSettings& s = AppSettings;
        EXPECT_FALSE(s.StartMin);
        EXPECT_TRUE(s.ConfirmBackups);
        EXPECT_EQ(s.LastScanDateTime, "...");
        EXPECT_EQ(s.ExePath, EnsureTrailingBackslash(folder));
        EXPECT_EQ(s.ConfigFilePath, path);
        for (const std::string* unset : {&s.Copyright, &s.Version, &s.SkinPath, &s.SkinFilePath,
                                         &s.LanguagePath, &s.LanguageFilePath})
            EXPECT_EQ(*unset, "");
    }
    EXPECT_FALSE(DirectoryExists(Folder.Path() + "not there"));
}

TEST_F(SettingsTest, FolderNamesWithAndWithoutClosingBackslash) {
    Folder.File("config.ini",
                "[system]\r\nSkinsDir=Blue Skins\\\r\nLanguagesDir=Texts\r\n"
                "LanguageFile=Deutsch.ini\r\n");
    ASSERT_TRUE(LoadSettingsFrom(Folder.Path().substr(0, Folder.Path().size() - 1)));
    EXPECT_EQ(AppSettings.ExePath, Folder.Path());
    EXPECT_EQ(AppSettings.SkinPath, Folder.Path() + "Blue Skins\\");
    EXPECT_EQ(AppSettings.SkinFilePath, Folder.Path() + "Blue Skins\\Default.ini");
    EXPECT_EQ(AppSettings.LanguagePath, Folder.Path() + "Texts\\");
    EXPECT_EQ(AppSettings.LanguageFilePath, Folder.Path() + "Texts\\Deutsch.ini");
}

TEST_F(SettingsTest, StateKeysWrittenBackLeaveTheOtherKeysAlone) {
    std::string path = Folder.File("config.ini",
                                   "[system]\r\nSkinsDir=Hand Made\r\nCopyright=(C) by hand\r\n"
                                   "LanguageFile=FRENCH.ini\r\n");
    ASSERT_TRUE(LoadSettingsFrom(Folder.Path()));
    AppSettings.StartWhenSystemBoots = true;
    AppSettings.ConfirmBackups = false;
    AppSettings.LastScanDateTime = "Friday, June 01, 2007 - 10:00:00 PM";
    AppSettings.LastScanResult = 12;
    AppSettings.RegistryErrorsFixedToDate = -1;
    AppSettings.ScanBoxSounds = false;
    WriteStateSettings(TIniFile(path));

    ASSERT_TRUE(LoadSettingsFrom(Folder.Path()));
    EXPECT_TRUE(AppSettings.StartWhenSystemBoots);
    EXPECT_FALSE(AppSettings.ConfirmBackups);
    EXPECT_EQ(AppSettings.LastScanDateTime, "Friday, June 01, 2007 - 10:00:00 PM");
    EXPECT_EQ(AppSettings.LastScanResult, 12);
    EXPECT_EQ(AppSettings.RegistryErrorsFixedToDate, -1);
    EXPECT_FALSE(AppSettings.ScanBoxSounds);
    EXPECT_TRUE(AppSettings.ScanBoxStartup);
    EXPECT_EQ(AppSettings.SkinsDir, "Hand Made");
    EXPECT_EQ(AppSettings.Copyright, "(C) by hand");
    EXPECT_EQ(AppSettings.LanguageFile, "FRENCH.ini");
    std::vector<std::string> lines = FileLines(path);
    ASSERT_EQ(lines.size(), 1u + 3u + 22u);
    EXPECT_EQ(lines[4], "StartWhenSystemBoots=1");
    EXPECT_EQ(lines[25], "ScanBoxStartMenu=1");

    EXPECT_THROW(WriteStateSettings(TIniFile(Folder.Path() + "gone\\config.ini")),
                 EIniFileException);
}

TEST_F(SettingsTest, WindowPositionOfSectionForm) {
    TForm form(nullptr);
    form.SetBounds(100, 50, 400, 300);
    form.SetWindowState(wsMaximized);
    AppSettings.ConfigFilePath = Folder.File("config.ini", "[system]\r\nStartMin=0\r\n");

    // No section "Form": the window keeps its place and becomes normal.
    EXPECT_TRUE(LoadFormPosition("Form", form, ""));
    EXPECT_EQ(form.Left(), 100);
    EXPECT_EQ(form.Top(), 50);
    EXPECT_EQ(form.WindowState(), wsNormal);

    // A maximised window was saved a few pixels off the corner.
    std::string other = Folder.File("other.ini", "[Form]\r\nx=-8\r\ny=-8\r\nmaximized=1\r\n");
    EXPECT_TRUE(LoadFormPosition("Form", form, other));
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(form.Top(), 0);
    EXPECT_EQ(form.WindowState(), wsMaximized);

    // A blank file name is the settings file; the keys go in their order.
    form.SetWindowState(wsNormal);
    form.SetBounds(120, 80, 400, 300);
    SaveFormPosition("Form", form, "  ");
    EXPECT_EQ(FileLines(AppSettings.ConfigFilePath),
              (std::vector<std::string>{"[system]", "StartMin=0", "[Form]", "x=120", "y=80",
                                        "maximized=0"}));
    form.SetBounds(5, 5, 400, 300);
    LoadFormPosition("Form", form, "");
    EXPECT_EQ(form.Left(), 120);
    EXPECT_EQ(form.Top(), 80);

    EXPECT_THROW(SaveFormPosition("Form", form, Folder.Path() + "gone\\config.ini"),
                 EIniFileException);
}
