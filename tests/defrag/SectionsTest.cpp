// The tool's start-up files: the folders taken from the main program's
// settings, and the tool's own sections of the language and skin files,
// written with the built-in values when missing or not marked as written.
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "ToolFixture.h"

namespace {

const std::vector<std::string> BuiltInLanguageSection = {
    "[Sundrel]",
    "Flag=1",
    "IDS_PROGRESS_LABEL_AnalyzingRegistry=Analyzing the registry",
    "IDS_PROGRESS_LABEL_PleaseWait=Please Wait...",
    "IDS_PROGRESS_LABEL_AnalysisCompleted=Your computer may not react for several minutes while "
    "the analysis is being completed.",
    "IDS_MESSAGEBOX_WARNING_WriteFileError=Save file %s failed!",
    "IDS_MESSAGEBOX_WARNING_Reboot=Registry Defrag needs to reboot your system. Press Yes to "
    "reboot now or No to manually reboot later.",
};

const std::vector<std::string> BuiltInSkinSection = {
    "[Sundrel]",
    "Flag=1",
    "SK_PROGRESS_Pos=0, 0, 183, 391",
    "SK_PROGRESS_PicBackGround=imgProgress.bmp",
};

// Holds a file open without sharing, so that the platform refuses to read or
// write it meanwhile.
class TLockedFile {
public:
    explicit TLockedFile(const std::string& path)
        : FHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr)) {}
    ~TLockedFile() {
        if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
    }
    TLockedFile(const TLockedFile&) = delete;
    TLockedFile& operator=(const TLockedFile&) = delete;
    bool Locked() const { return FHandle != INVALID_HANDLE_VALUE; }

private:
    HANDLE FHandle;
};

class ToolSettings : public ToolTest {};

class ToolSections : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        Folder.Folder("Langs");
        Folder.Folder("Skins");
        WriteConfig("");
        ASSERT_TRUE(LoadToolSettingsFrom(Folder.Path()));
    }
    std::string LanguageFile(const std::string& content) {
        return Folder.File("Langs\\English.ini", content);
    }
    std::string SkinFile(const std::string& content) {
        return Folder.File("Skins\\Default.ini", content);
    }
};

}  // namespace

TEST_F(ToolSettings, MissingSettingsFileIsReportedAndEndsTheStart) {
    EXPECT_FALSE(LoadToolSettingsFrom(Folder.Path()));
    ExpectOneErrorBox(Folder.Path() + "config.ini is not exist !", "Config File Error!");
    EXPECT_TRUE(ToolPaths.LanguageFilePath.empty());
    EXPECT_FALSE(FileExists(Folder.Path() + "config.ini"));  // the tool never writes it
}

TEST_F(ToolSettings, FoldersComeFromTheSettingsFileOrTheirDefaults) {
    struct TCase {
        std::string System, LanguageFile, SkinPath;
    };
    const TCase cases[] = {
        // The tool looks for its language file in Langs beside itself.
        {"StartMin=1\r\n", "Langs\\English.ini", "Skins\\"},
        {"LanguagesDir=Sprachen\r\nLanguageFile=Deutsch.ini\r\nSkinsDir=Looks\\\r\n",
         "Sprachen\\Deutsch.ini", "Looks\\"},
        // Keys match without regard to case; an empty folder name is the program folder.
        {"languagesdir=\r\nSKINSDIR=Skins\\Dark\r\n", "English.ini", "Skins\\Dark\\"},
    };
    for (const TCase& c : cases) {
        WriteConfig(c.System);
        ASSERT_TRUE(LoadToolSettingsFrom(Folder.Path().substr(0, Folder.Path().size() - 1)));
        EXPECT_EQ(ToolPaths.ExePath, Folder.Path());
        EXPECT_EQ(ToolPaths.ConfigFilePath, Folder.Path() + "config.ini");
        EXPECT_EQ(ToolPaths.LanguageFilePath, Folder.Path() + c.LanguageFile) << c.System;
        EXPECT_EQ(ToolPaths.LanguagePath, ExtractFilePath(ToolPaths.LanguageFilePath));
        EXPECT_EQ(ToolPaths.SkinPath, Folder.Path() + c.SkinPath) << c.System;
        EXPECT_EQ(ToolPaths.SkinFilePath, ToolPaths.SkinPath + "Default.ini");
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(ToolSections, MissingLanguageFileIsCreatedWithOnlyTheToolsSection) {
    ASSERT_TRUE(LoadToolLanguage());
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(FileLines(ToolPaths.LanguageFilePath), BuiltInLanguageSection);
    EXPECT_EQ(ToolTexts.AnalyzingRegistry, "Analyzing the registry");
    EXPECT_EQ(ToolTexts.Reboot, TToolTexts{}.Reboot);
}

TEST_F(ToolSections, UnmarkedSectionGetsTheBuiltInTextsInPlaceOfItsOwn) {
    const std::string mainProgram = "[FORMMAIN]\r\nIDS_MAINWND_BUTTON_TopOverview=Uebersicht\r\n";
    for (const std::string flag : {"", "Flag=0\r\n", "Flag=yes\r\n"}) {
        ToolTexts = TToolTexts{};
        std::string path = LanguageFile(mainProgram + "[Sundrel]\r\n" + flag +
                                        "IDS_PROGRESS_LABEL_PleaseWait=Bitte warten\r\n"
                                        "IDS_MESSAGEBOX_WARNING_Reboot=Neu starten?\r\n");
        ASSERT_TRUE(LoadToolLanguage()) << flag;
        EXPECT_EQ(ToolTexts.PleaseWait, "Please Wait...") << flag;
        EXPECT_EQ(ToolTexts.Reboot, TToolTexts{}.Reboot) << flag;
        std::vector<std::string> lines = FileLines(path);
        ASSERT_EQ(lines.size(), 2u + BuiltInLanguageSection.size()) << flag;
        EXPECT_EQ(lines[1], "IDS_MAINWND_BUTTON_TopOverview=Uebersicht");  // not the tool's
        for (const std::string& line : BuiltInLanguageSection)
            EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(ToolSections, MarkedSectionIsReadAsStoredAndMissingKeysKeepTheirTexts) {
    const std::string content =
        "[Sundrel]\r\nFlag=1\r\n"
        "IDS_PROGRESS_LABEL_AnalyzingRegistry=Registry wird#13analysiert\r\n"
        "IDS_PROGRESS_LABEL_AnalysisCompleted=  Bitte Geduld.  \r\n";
    std::string path = LanguageFile(content);
    ASSERT_TRUE(LoadToolLanguage());
    EXPECT_EQ(ToolTexts.AnalyzingRegistry, "Registry wird#13analysiert");
    EXPECT_EQ(ToolTexts.AnalysisCompleted, "Bitte Geduld.");  // the platform drops the blanks
    EXPECT_EQ(ToolTexts.PleaseWait, "Please Wait...");
    EXPECT_EQ(ReadFileText(path), content);  // a marked section is only read
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(ToolSections, LanguageFileThatCannotBeMadeIsReportedAndTheBuiltInTextsStay) {
    WriteConfig("LanguagesDir=NoSuchFolder\r\n");
    ASSERT_TRUE(LoadToolSettingsFrom(Folder.Path()));
    EXPECT_FALSE(LoadToolLanguage());
    ExpectOneErrorBox("Save file " + Folder.Path() + "NoSuchFolder\\English.ini failed!",
                      "Sundrel");
    EXPECT_EQ(ToolTexts.PleaseWait, "Please Wait...");
    EXPECT_FALSE(DirectoryExists(Folder.Path() + "NoSuchFolder"));
}

TEST_F(ToolSections, UnmarkedSectionThatCannotBeWrittenIsReported) {
    std::string path = LanguageFile("[Sundrel]\r\nFlag=0\r\n");
    TLockedFile lock(path);
    ASSERT_TRUE(lock.Locked());
    EXPECT_FALSE(LoadToolLanguage());
    ExpectOneErrorBox("Save file " + path + " failed!", "Write File Error!");
    EXPECT_EQ(ToolTexts.AnalyzingRegistry, "Analyzing the registry");
}

TEST_F(ToolSections, SkinFailureIsToldWithTheLanguageFilesFormat) {
    LanguageFile(
        "[Sundrel]\r\nFlag=1\r\n"
        "IDS_MESSAGEBOX_WARNING_WriteFileError=Kann %s nicht speichern\r\n");
    std::string skin = SkinFile("[Sundrel]\r\n");
    ASSERT_TRUE(LoadToolLanguage());
    {
        TLockedFile lock(skin);
        ASSERT_TRUE(lock.Locked());
        EXPECT_FALSE(LoadToolSkin());
    }
    ExpectOneErrorBox("Kann " + skin + " nicht speichern", "Write File Error!");
    EXPECT_EQ(ToolSkin.Pos, "0, 0, 183, 391");

    // A translation whose placeholder does not take a file name gives the
    // built-in message rather than an error.
    ToolTexts.WriteFileError = "Fehler %d";
    EXPECT_EQ(WriteFailureText("C:\\x.ini"), "Save file C:\\x.ini failed!");
}

// The one text the tool fills takes the file name as the built-in text does,
// or the built-in message is shown: never an error, never a message without
// the name.
TEST_F(ToolSections, AWriteFailureFormatThatDoesNotTakeOneFileNameGivesTheBuiltInMessage) {
    const std::string builtIn = "Save file C:\\x.ini failed!";
    struct TCase {
        const char* Stored;
        std::string Shown;
    } cases[] = {
        {"Kann %s nicht speichern", "Kann C:\\x.ini nicht speichern"},
        {"%-12s: 100%% verloren", "C:\\x.ini    : 100% verloren"},
        {"%0:s fehlt", "C:\\x.ini fehlt"},
        {"Fehler %d", builtIn},
        {"Speichern fehlgeschlagen", builtIn},
        {"%s und %s", builtIn},
        {"%s%n", builtIn},
        {"%s zu 100% verloren", builtIn},
        {"%1:s", builtIn},
        {"%*s", builtIn},
    };
    for (const TCase& c : cases) {
        ToolTexts.WriteFileError = c.Stored;
        EXPECT_EQ(WriteFailureText("C:\\x.ini"), c.Shown) << c.Stored;
    }
}

TEST_F(ToolSections, SkinSectionIsWrittenWhenMissingOrUnmarkedAndReadWhenMarked) {
    ASSERT_TRUE(LoadToolSkin());
    EXPECT_EQ(FileLines(ToolPaths.SkinFilePath), BuiltInSkinSection);

    const std::string marked =
        "[FORMMAIN]\r\nSplash=Splash.bmp\r\n[Sundrel]\r\nFlag=1\r\n"
        "SK_PROGRESS_Pos=10, 20, 300, 150, 0\r\nSK_PROGRESS_PicBackGround=None\r\n";
    SkinFile(marked);
    ASSERT_TRUE(LoadToolSkin());
    EXPECT_EQ(ToolSkin.Pos, "10, 20, 300, 150, 0");
    EXPECT_EQ(ToolSkin.PicBackGround, "None");
    EXPECT_EQ(ReadFileText(ToolPaths.SkinFilePath), marked);

    // Unmarked: the values in use are written over what the section held.
    ToolSkin = TToolSkin{};
    SkinFile("[Sundrel]\r\nFlag=0\r\nSK_PROGRESS_Pos=1, 2, 3, 4\r\n");
    ASSERT_TRUE(LoadToolSkin());
    EXPECT_EQ(ToolSkin.Pos, "0, 0, 183, 391");
    EXPECT_EQ(FileLines(ToolPaths.SkinFilePath), BuiltInSkinSection);
    EXPECT_TRUE(Boxes.empty());
}
