// The language texts against real language files: the file written with the
// built-in texts when missing, keys that a file lacks, a switch of language,
// and the message when the file cannot be written.
#include <app/TBLanguager.h>
#include <app/globals.h>
#include <classlib/SysUtils.h>
#include <gtest/gtest.h>

#include "AppFixture.h"

namespace {

class LanguageTest : public AppStateTest {
protected:
    std::string UseLanguageFile(const std::string& name, const std::string& content) {
        AppSettings.LanguageFilePath = Folder.File(name, content);
        return AppSettings.LanguageFilePath;
    }
};

const std::string InvalidEntriesLoaded =
    "A total of %d invalid Registry entries were found on your system.  \r\n Click on \"Repair "
    "Registry\" to fix all entries.";

}  // namespace

TEST_F(LanguageTest, MissingFileIsWrittenWithTheBuiltInTextsThenRead) {
    AppSettings.LanguageFilePath = Folder.Folder("Langs") + "\\English.ini";
    ASSERT_TRUE(LoadLanguage());
    EXPECT_TRUE(Boxes.empty());

    std::vector<std::string> lines = FileLines(AppSettings.LanguageFilePath);
    ASSERT_EQ(lines.size(), 1u + 79u + 1u + 35u);
    EXPECT_EQ(lines[0], "[FORMMAIN]");
    EXPECT_EQ(lines[1], "IDS_MAINWND_BUTTON_TopOverview=Overview");
    EXPECT_EQ(lines[56],
              "IDS_MAINWND_CHECKBOX_chkSettingsStartScanWhenStarts=Start Scan when %s Starts");
    EXPECT_EQ(lines[79], "IDS_MAINWND_BUTTON_HINT_StartScanNow=Scan Now");
    EXPECT_EQ(lines[80], "[Message]");
    // Encoding trims: the splash notice loses its leading blank, the backup
    // question its closing one.
    EXPECT_TRUE(lines[81].starts_with("IDS_SPLASH_LABEL_Copyright=All rights reserved.#13#13"));
    EXPECT_EQ(lines[86],
              "InvalidRegistryEntries=A total of %d invalid Registry entries were found on your "
              "system.  #13 Click on \"Repair Registry\" to fix all entries.");
    EXPECT_EQ(lines[94], "ScanItemCaption=");
    EXPECT_TRUE(lines[101].ends_with("#13 Do you want to take a backup?"));
    EXPECT_EQ(lines[115], "CreateBackUpTitle=Holvane");

    // Read back and decoded.
    EXPECT_EQ(LanguageTexts["IDS_MAINWND_BUTTON_TopOverview"], "Overview");
    EXPECT_EQ(LanguageTexts["InvalidRegistryEntries"], InvalidEntriesLoaded);
    EXPECT_EQ(LanguageTexts["ScanItemCaption"], "");
    EXPECT_TRUE(
        LanguageTexts["IDS_SPLASH_LABEL_Copyright"].starts_with("All rights reserved.\r\n\r\n"));
    EXPECT_EQ(LanguageTexts["IDS_MAINWND_LABEL_labTabSheetRestoreRegistryDetail"].substr(0, 40),
              "%s provides complete undo support. Whene");
}

TEST_F(LanguageTest, KeysTheFileLacksKeepTheTextLoadedBefore) {
    const std::string german =
        "[FORMMAIN]\r\nIDS_MAINWND_BUTTON_TopOverview=  Uebersicht  \r\n"
        "[Message]\r\nStopScan=Wirklich #13 anhalten?\r\n";
    std::string path = UseLanguageFile("Deutsch.ini", german);
    ASSERT_TRUE(LoadLanguage());
    EXPECT_EQ(LanguageTexts["IDS_MAINWND_BUTTON_TopOverview"], "Uebersicht");
    EXPECT_EQ(LanguageTexts["StopScan"], "Wirklich \r\n anhalten?");
    EXPECT_EQ(LanguageTexts["IDS_MAINWND_BUTTON_TopRegistryScan"], "Scan");
    EXPECT_EQ(LanguageTexts["InvalidRegistryEntries"], InvalidEntriesLoaded);
    EXPECT_EQ(ReadFileText(path), german);  // an existing file is only read

    // Switching: what the second file lacks keeps the first file's text. Keys
    // match without regard to case, but only in their own section.
    UseLanguageFile("Mixed.ini",
                    "[formmain]\r\nids_mainwnd_button_topregistryscan=Suche\r\n"
                    "[Message]\r\nIDS_MAINWND_BUTTON_TopSettings=misplaced\r\n");
    ASSERT_TRUE(LoadLanguage());
    EXPECT_EQ(LanguageTexts["IDS_MAINWND_BUTTON_TopOverview"], "Uebersicht");
    EXPECT_EQ(LanguageTexts["IDS_MAINWND_BUTTON_TopRegistryScan"], "Suche");
    EXPECT_EQ(LanguageTexts["StopScan"], "Wirklich \r\n anhalten?");
    EXPECT_EQ(LanguageTexts["IDS_MAINWND_BUTTON_TopSettings"], "Settings");
}

// A translation of a text the program fills is taken only when it takes the
// same arguments as the built-in text; else that key alone is English again.
// Texts the program does not fill are taken as they stand.
TEST_F(LanguageTest, ATranslationWhosePlaceholdersDoNotFitKeepsTheBuiltInText) {
    struct TCase {
        const char* Section;
        const char* Key;
        const char* Stored;
        const char* Loaded;  // nullptr: the built-in text, decoded
    } cases[] = {
        {"Message", "ScanItemPath", "Ruta: %s", "Ruta: %s"},
        {"Message", "ScanItemTitle", "Titulo: %s %s", nullptr},                    // one too many
        {"Message", "ParseErrorPathNotFound", "En %s falta un archivo", nullptr},  // too few
        {"Message", "ParseErrorEmptyKey", "Clave vacia", nullptr},                 // none at all
        {"Message", "AttentionErrorFound", "Achtung: %s Fehler", nullptr},         // another kind
        {"Message", "ScanResultsErrorFound", "Ergebnis (%d Fehler)%n", nullptr},
        {"Message", "ShowBalloonsText", "%s ist zu 100% minimiert.", nullptr},  // a lone %
        {"Message", "OptionErrorFixed", "Behoben: %d (100%%)", "Behoben: %d (100%%)"},
        {"Message", "OptionFoundDetail", "%u gefunden, %d repariert", "%u gefunden, %d repariert"},
        {"Message", "ConfirmBackup", "%5d gefunden, %-3d gewaehlt.#13Sichern?",
         "%5d gefunden, %-3d gewaehlt.\r\nSichern?"},
        {"Message", "ScanItemTarget", "Ziel: %.40s", "Ziel: %.40s"},
        {"Message", "ScanItemEntryName", "Name: %*s", nullptr},
        {"Message", "RescueItem", "%0:s - %1:d Eintraege", "%0:s - %1:d Eintraege"},
        {"Message", "OptionInvalidEntries", "Gefunden: %99999d", nullptr},
        {"Message", "OptionScanResult", "Ergebnis (%1:d Fehler)", nullptr},  // another argument
        // The same arguments in another order are refused as well.
        {"Message", "ParseErrorTitle", "Pfad: %1:s Titel: %0:s Name: %2:s Ziel: %3:s", nullptr},
        {"Message", "InvalidRegistryEntries", "%s Eintraege gefunden.#13Reparieren?", nullptr},
        // A text added after the file's layout was fixed gets the same check.
        {"Message", "BackupFailed", "Sicherung fehlgeschlagen (%d)",
         "Sicherung fehlgeschlagen (%d)"},
        {"Message", "RepairFailed", "Reparatur fehlgeschlagen (%s)", nullptr},
        {"FORMMAIN", "IDS_MAINWND_CHECKBOX_chkSettingsStartScanWhenStarts",
         "Analizar al iniciar %d", nullptr},
        {"FORMMAIN", "IDS_MAINWND_LABEL_labTabSheetRestoreRegistryDetail",
         "%s deshace todo; %s guarda %s.", nullptr},
        // Texts the program does not fill are shown as they stand.
        {"Message", "StopScan", "Wirklich zu 100% %s %n anhalten?",
         "Wirklich zu 100% %s %n anhalten?"},
        {"Message", "NoIncalidEntries", "50%", "50%"},
        {"FORMMAIN", "IDS_MAINWND_BUTTON_TopOverview", "Resumen %d", "Resumen %d"},
    };
    std::string file;
    for (const char* section : {"FORMMAIN", "Message"}) {
        file += std::string("[") + section + "]\r\n";
        for (const TCase& c : cases)
            if (std::string(c.Section) == section)
                file += c.Key + std::string("=") + c.Stored + "\r\n";
    }
    const std::string path = UseLanguageFile("Damaged.ini", file);
    ASSERT_TRUE(LoadLanguage());
    const TLanguageTexts builtIn;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Key);
        const std::string* loaded = LanguageTexts.Find(c.Key);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(*loaded, c.Loaded ? c.Loaded : ConvertLineBreaks(*builtIn.Find(c.Key), true));
    }
    EXPECT_EQ(LanguageTexts["InvalidRegistryEntries"], InvalidEntriesLoaded);
    // Silently, and the translator's file stays as it was.
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(ReadFileText(path), file);

    // After another language, a text that does not fit is English, not that
    // language's; a key the file lacks still keeps that language's text.
    UseLanguageFile("Espanol.ini",
                    "[Message]\r\nScanItemPath=Ruta: %s\r\nScanItemTitle=Titulo: %s\r\n");
    ASSERT_TRUE(LoadLanguage());
    UseLanguageFile("Deutsch.ini", "[Message]\r\nScanItemPath=Pfad: %d\r\n");
    ASSERT_TRUE(LoadLanguage());
    EXPECT_EQ(LanguageTexts["ScanItemPath"], "Path: %s");
    EXPECT_EQ(LanguageTexts["ScanItemTitle"], "Titulo: %s");
}

TEST_F(LanguageTest, AFileThatIsNoIniFileLeavesEveryText) {
    UseLanguageFile("Broken.ini", std::string("\x00\x01\xff garbage =\r\n[", 16));
    ASSERT_TRUE(LoadLanguage());
    EXPECT_EQ(LanguageTexts["IDS_MAINWND_BUTTON_TopOverview"], "Overview");
    EXPECT_EQ(LanguageTexts["InvalidRegistryEntries"], InvalidEntriesLoaded);
}

TEST_F(LanguageTest, UnwritableLanguageFolderShowsTheMessageAndKeepsTheBuiltInTexts) {
    const TLanguageTexts builtIn;
    const std::string paths[] = {Folder.Path() + "Langs\\English.ini", ""};
    for (const std::string& path : paths) {
        Boxes.clear();
        AppSettings.LanguageFilePath = path;
        EXPECT_FALSE(LoadLanguage());
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "Cann't save language file " + path);
        EXPECT_EQ(Boxes[0].Caption, "Write File Error!");
        EXPECT_EQ(Boxes[0].Flags, static_cast<UINT>(MB_ICONERROR));
        for (size_t i = 0; i < LanguageTextCount; ++i)
            EXPECT_EQ(LanguageTexts.At(i), builtIn.At(i)) << LanguageDefaults[i].Key;
    }
    EXPECT_FALSE(DirectoryExists(Folder.Path() + "Langs"));
    // Undecoded: the break marks show as they are.
    EXPECT_NE(LanguageTexts["InvalidRegistryEntries"].find("#13"), std::string::npos);
}

TEST(LanguageTexts, KeysMadeAtRunTimeAreFoundByTheirExactName) {
    TLanguageTexts texts;
    ASSERT_NE(texts.Find("IDS_MAINWND_LABEL_LableFonts"), nullptr);
    EXPECT_EQ(*texts.Find("IDS_MAINWND_LABEL_LableFonts"), "Fonts");
    EXPECT_EQ(texts.Find("StopScanTitle"), &texts["StopScanTitle"]);
    EXPECT_EQ(texts.Find("IDS_MAINWND_LABEL_LabelFonts"), nullptr);
    EXPECT_EQ(texts.Find("stopscan"), nullptr);
    EXPECT_EQ(texts.Find(""), nullptr);
}
