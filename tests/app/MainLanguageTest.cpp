// The window's texts from the language file, and the Languages menu: the
// files of the language folder listed by name, the choice written into the
// settings file and put on the window at once, and kept for the next start.
#include <app/LanguageDefaults.h>
#include <classlib/SysUtils.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "MainWindowFixture.h"
#include "MenuFixture.h"

namespace {

// A translation with a few texts of each kind; the others stay as they were.
constexpr const char* SpanishTexts =
    "[FORMMAIN]\r\n"
    "IDS_MAINWND_BUTTON_TopOverview=Resumen\r\n"
    "IDS_MAINWND_LABEL_labSystemOverview=Resumen del sistema\r\n"
    "IDS_MAINWND_CHECKBOX_CheckBoxCOM=ActiveX y COM\r\n"
    "IDS_MAINWND_CHECKBOX_chkSettingsStartScanWhenStarts=Analizar al iniciar %s\r\n"
    "IDS_MAINWND_HELP_About=Acerca de...\r\n"
    "IDS_MAINWND_LISTVIEW_RescueItem_Columns=Fecha y hora de los cambios\r\n"
    "[Message]\r\n"
    "OptionInvalidEntries=Entradas no validas hasta hoy: %d\r\n";

std::string ReadIni(const std::string& file, const char* section, const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, file.c_str());
    return value;
}

// A menu caption as the menu shows it: without its hot-key marker, and "&&"
// as one "&".
std::string ShownText(const std::string& caption) {
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

class MainLanguage : public MainWindowTest {
protected:
    // The language folder holds the default file (written at start) and a
    // translation whose name is in mixed case; the settings name the
    // program's version and copyright.
    void SetUp() override {
        Folder.Folder("Langs");
        Folder.File("Langs\\EsPanol.ini", SpanishTexts);
        Folder.File("Langs\\ReadMe.txt", "not a language");
        Folder.File("config.ini",
                    "[system]\r\nVersion=v7.0.1.2\r\nCopyright=Copyright (C) 2024 Tester\r\n");
        MainWindowTest::SetUp();
    }

    // The item that shows this text (its hot-key marker aside).
    TMenuItem* LanguageItem(const std::string& shown) const {
        for (int i = 0; i < Form->LanguagesMI->Count(); ++i) {
            TMenuItem* item = Form->LanguagesMI->Items(i);
            if (ShownText(item->Caption()) == shown) return item;
        }
        return nullptr;
    }
    // The texts of the checked items.
    std::vector<std::string> CheckedLanguages() const {
        std::vector<std::string> checked;
        for (int i = 0; i < Form->LanguagesMI->Count(); ++i)
            if (Form->LanguagesMI->Items(i)->Checked())
                checked.push_back(ShownText(Form->LanguagesMI->Items(i)->Caption()));
        return checked;
    }
    // The program started again over the same folder.
    void Restart() {
        delete Form;
        Form = nullptr;
        Pump(10);
        AppSettings = TAppSettings{};
        LanguageTexts = TLanguageTexts{};
        LoadSettingsFrom(Folder.Path());
        LoadLanguage();
        Form = Application->CreateForm<TfrmMain>();
        Pump(20);
    }
    std::string SettingsLanguage() const {
        return ReadIni(Folder.Path() + "config.ini", "system", "LanguageFile");
    }
    std::string LanguageFile(const std::string& name) const {
        return Folder.Path() + "Langs\\" + name;
    }
    void ExpectEnglishWindow() const {
        EXPECT_EQ(Form->btnTopOverview->Caption(), "Overview");
        EXPECT_EQ(Form->labSystemOverview->Caption(), "System Overview");
        EXPECT_EQ(Form->MenuAbout->Caption(), "About...");
    }

    TMenuWatch Menu;
};

}  // namespace

TEST_F(MainLanguage, TheMenuListsEveryLanguageFileUpperCasedWithTheCurrentOneChecked) {
    std::vector<std::string> captions;
    for (int i = 0; i < Form->LanguagesMI->Count(); ++i) {
        TMenuItem* item = Form->LanguagesMI->Items(i);
        captions.push_back(item->Caption());
        EXPECT_TRUE(item->RadioItem());
        EXPECT_EQ(item->Owner(), Form->LanguagesMI);
    }
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (std::vector<std::string>{"ENGLISH", "ESPANOL"}));
    EXPECT_EQ(CheckedLanguages(), std::vector<std::string>{"ENGLISH"});

    // Built again, the menu holds each file once; a name with an "&" shows it.
    Folder.File("Langs\\R&D.ini", "[FORMMAIN]\r\nIDS_MAINWND_BUTTON_TopOverview=Research\r\n");
    Form->BuildLanguagesMenu();
    ASSERT_EQ(Form->LanguagesMI->Count(), 3);
    ASSERT_NE(LanguageItem("R&D"), nullptr);
    EXPECT_EQ(LanguageItem("R&D")->Caption(), "R&&D");
    EXPECT_EQ(CheckedLanguages(), std::vector<std::string>{"ENGLISH"});
    Menu.PressWhenShown({VK_ESCAPE});
    Form->ActionHelp->Execute();
    std::vector<std::string> shown;
    for (const TMenuEntry& entry : Menu.ShownSubmenu) shown.push_back(entry.text);
    std::sort(shown.begin(), shown.end(), [](const std::string& a, const std::string& b) {
        return ShownText(a) < ShownText(b);
    });
    // Each gets a hot key of its own: the first one "E", the next free letter for the others.
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_TRUE(shown[0] == "&ENGLISH" || shown[0] == "E&NGLISH") << shown[0];
    EXPECT_TRUE(shown[1] == "&ESPANOL" || shown[1] == "E&SPANOL") << shown[1];
    EXPECT_EQ(shown[2], "&R&&D");
}

TEST_F(MainLanguage, ChoosingALanguageWritesItReCaptionsTheWindowAndTheNextStartKeepsIt) {
    // Chosen from the menu with its hot key, which the menu gave it when it
    // popped up: "E" when it comes first, else "S".
    TMenuItem* spanish = LanguageItem("ESPANOL");
    ASSERT_NE(spanish, nullptr);
    const WORD key = Form->LanguagesMI->IndexOf(spanish) == 0 ? 'E' : 'S';
    Menu.PressWhenShown({'L', key});
    ClickAt(ScreenPoint(Form->btnHelp, 8, 8));
    Pump(30);

    EXPECT_EQ(SettingsLanguage(), "ESPANOL.ini");
    EXPECT_EQ(AppSettings.LanguageFilePath, LanguageFile("ESPANOL.ini"));
    EXPECT_EQ(CheckedLanguages(), std::vector<std::string>{"ESPANOL"});
    EXPECT_EQ(spanish->AutoHotkeys(), maManual);
    // A caption of each kind; a text the file lacks stays as it was.
    EXPECT_EQ(Form->btnTopOverview->Caption(), "Resumen");
    EXPECT_EQ(Form->btnTopRegistryScan->Caption(), "Scan");
    EXPECT_EQ(Form->labSystemOverview->Caption(), "Resumen del sistema");
    EXPECT_EQ(Form->Category(ScanCOM).CheckBox->Caption(), "ActiveX y COM");
    EXPECT_EQ(Form->chkSettingsStartScanWhenStarts->Caption(), "Analizar al iniciar Holvane");
    EXPECT_EQ(Form->MenuAbout->Caption(), "Acerca de...");
    EXPECT_EQ(ShownColumn(Form->ListViewRescueItem, 0), "Fecha y hora de los cambios");
    // The overview's figures are made again with the new texts.
    EXPECT_EQ(Form->labInvalidRegistryEntriesFound->Caption(), "Entradas no validas hasta hoy: 0");
    EXPECT_EQ(Form->Caption(), "Holvane");

    Restart();
    EXPECT_EQ(CheckedLanguages(), std::vector<std::string>{"ESPANOL"});
    EXPECT_EQ(Form->btnTopOverview->Caption(), "Resumen");
    EXPECT_EQ(Form->chkSettingsStartScanWhenStarts->Caption(), "Analizar al iniciar Holvane");

    // And back: the built-in file has every text.
    LanguageItem("ENGLISH")->Click();
    EXPECT_EQ(SettingsLanguage(), "ENGLISH.ini");
    ExpectEnglishWindow();
    EXPECT_EQ(CheckedLanguages(), std::vector<std::string>{"ENGLISH"});
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainLanguage, AHotKeyMarkerAnywhereInTheCaptionStillOpensTheFile) {
    Folder.File("Langs\\R&D.ini", "[FORMMAIN]\r\nIDS_MAINWND_BUTTON_TopOverview=Research\r\n");
    Form->BuildLanguagesMenu();
    struct TCase {
        const char* Shown;
        const char* Caption;  // as the menu's hot keys left it
        const char* Written;
        const char* Overview;
    };
    const TCase cases[] = {
        {"ESPANOL", "&ESPANOL", "ESPANOL.ini", "Resumen"},
        {"ESPANOL", "E&SPANOL", "ESPANOL.ini", "Resumen"},
        {"ESPANOL", "ESPANO&L", "ESPANOL.ini", "Resumen"},
        {"R&D", "&R&&D", "R&D.ini", "Research"},
        {"R&D", "R&&&D", "R&D.ini", "Research"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Caption);
        LanguageItem("ENGLISH")->Click();
        ASSERT_EQ(Form->btnTopOverview->Caption(), "Overview");
        TMenuItem* item = LanguageItem(c.Shown);
        ASSERT_NE(item, nullptr);
        item->SetCaption(c.Caption);
        item->Click();
        EXPECT_EQ(SettingsLanguage(), c.Written);
        EXPECT_EQ(AppSettings.LanguageFilePath, LanguageFile(c.Written));
        EXPECT_EQ(Form->btnTopOverview->Caption(), c.Overview);
        EXPECT_TRUE(item->Checked());
    }
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainLanguage, AVanishedFileChangesNothing) {
    const std::string written = SettingsLanguage();
    DeleteFileA(LanguageFile("EsPanol.ini").c_str());
    LanguageItem("ESPANOL")->Click();
    EXPECT_EQ(SettingsLanguage(), written);
    EXPECT_EQ(AppSettings.LanguageFilePath, LanguageFile("English.ini"));
    EXPECT_FALSE(FileExists(LanguageFile("EsPanol.ini")));  // not written either
    ExpectEnglishWindow();
    EXPECT_EQ(CheckedLanguages(), std::vector<std::string>{"ENGLISH"});
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainLanguage, AnErrorWhileSwitchingIsDroppedAndTheMenuKeepsItsChecks) {
    // The settings file cannot be written (its folder is gone): the switch
    // goes as far as it came, without a message, and the check marks stay.
    AppSettings.ConfigFilePath = Folder.Path() + "gone\\config.ini";
    LanguageItem("ESPANOL")->Click();
    EXPECT_FALSE(FileExists(AppSettings.ConfigFilePath));
    EXPECT_EQ(Form->btnTopOverview->Caption(), "Resumen");
    EXPECT_EQ(CheckedLanguages(), std::vector<std::string>{"ENGLISH"});
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(MainLanguage, EveryCaptionComesFromItsKeyAndTheAboutPageFromTheProductsValues) {
    // A language file whose every caption text is its own key.
    const std::string keyed = LanguageFile("Keys.ini");
    for (const TLanguageDefault& text : LanguageDefaults) {
        if (std::string(text.Section) != FormMainSection) continue;
        const std::string_view builtIn = text.Text;
        int placeholders = 0;
        for (size_t at = builtIn.find("%s"); at != builtIn.npos; at = builtIn.find("%s", at + 2))
            ++placeholders;
        const std::string value = text.Key + std::string(placeholders == 2   ? " %s/%s"
                                                         : placeholders == 1 ? " %s"
                                                                             : "");
        WritePrivateProfileStringA(FormMainSection, text.Key, value.c_str(), keyed.c_str());
    }
    AppSettings.LanguageFilePath = keyed;
    ASSERT_TRUE(LoadLanguage());
    Form->ApplyLanguageTexts();

    TfrmMain* f = Form;
    // The category controls have no field of their own: found by the name
    // the language file knows them by.
    auto Named = [f](const std::string& name) -> TControl* {
        for (int i = 0; i < f->ComponentCount(); ++i)
            if (f->Components(i)->Name() == name) return dynamic_cast<TControl*>(f->Components(i));
        return nullptr;
    };
    struct TRow {
        TControl* Control;
        std::string Key;
    };
    const std::string b = "IDS_MAINWND_BUTTON_", l = "IDS_MAINWND_LABEL_",
                      c = "IDS_MAINWND_CHECKBOX_", h = "IDS_MAINWND_BUTTON_HINT_";
    const TRow rows[] = {
        {f->btnTopOverview, b + "TopOverview"},
        {f->btnTopRegistryScan, b + "TopRegistryScan"},
        {f->btnTopSettings, b + "TopSettings"},
        {f->btnTopRestore, b + "TopRestore"},
        {f->labSystemOverview, l + "labSystemOverview"},
        {f->labInRed, l + "labInRed"},
        {f->labLastScan, l + "labLastScan"},
        {f->labScanResults, l + "labScanResults"},
        {f->labLastRegistryDefrag, l + "labLastRegistryDefrag"},
        {f->labRegistryBackup, l + "labRegistryBackup"},
        {f->btnRegistryScanScan, b + "RegistryScanScan"},
        {f->btnRegistryScanResults, b + "RegistryScanResults"},
        {f->btnRegistryDefrag, b + "RegistryDefrag"},
        {f->labRegistryScan, l + "labRegistryScan"},
        {f->labScanLastScan, l + "labScanLastScan"},
        {f->LabelPleaseSelect, l + "LabelPleaseSelect"},
        {f->CheckBoxComplete, c + "CheckBoxComplete"},
        {Named("CheckBoxCOM"), c + "CheckBoxCOM"},
        {Named("CheckBoxApplicationPaths"), c + "CheckBoxApplicationPaths"},
        {Named("CheckBoxFileTypes"), c + "CheckBoxFileTypes"},
        {Named("CheckBoxFonts"), c + "CheckBoxFonts"},
        {Named("CheckBoxHelpFiles"), c + "CheckBoxHelpFiles"},
        {Named("CheckBoxHistoryLists"), c + "CheckBoxHistoryLists"},
        {Named("CheckBoxSharedFiles"), c + "CheckBoxSharedFiles"},
        {Named("CheckBoxShortcuts"), c + "CheckBoxShortcuts"},
        {Named("CheckBoxSoftware"), c + "CheckBoxSoftware"},
        {Named("CheckBoxSounds"), c + "CheckBoxSounds"},
        {Named("CheckBoxStartup"), c + "CheckBoxStartup"},
        {Named("CheckBoxStartMenu"), c + "CheckBoxStartMenu"},
        {f->LabelCheckAll, l + "LabelCheckAll"},
        {f->LabelUncheckAll, l + "LabelUncheckAll"},
        {f->btnCreateBackup, b + "CreateBackup"},
        {f->btnRepairRegistry, b + "RepairRegistry"},
        {f->labRegistryDefrag, l + "labRegistryDefrag"},
        {f->labRegistryDefragDetail, l + "labRegistryDefragDetail"},
        {f->LabelLastDefrag, l + "LabelLastDefrag"},
        {f->labRegistryDefragLastTimeDetail, l + "labRegistryDefragLastTimeDetail"},
        {Named("LabelActiveX"), l + "LabelActiveX"},
        {Named("LabelAppPaths"), l + "LabelAppPaths"},
        {Named("LabelFileTypes"), l + "LabelFileTypes"},
        {Named("LableFonts"), l + "LableFonts"},
        {Named("LableHelpFiles"), l + "LableHelpFiles"},
        {Named("LabelHistoryLists"), l + "LabelHistoryLists"},
        {Named("LabelSharedFiles"), l + "LabelSharedFiles"},
        {Named("LabelShortcuts"), l + "LabelShortcuts"},
        {Named("LabelSoftware"), l + "LabelSoftware"},
        {Named("LabelSounds"), l + "LabelSounds"},
        {Named("LabelStartup"), l + "LabelStartup"},
        {Named("LabelStartMenu"), l + "LabelStartMenu"},
        {f->LabelScanning, l + "LabelScanning"},
        {f->LabelFenwarpStatus, l + "LabelFenwarpStatus"},
        {f->ButtonStopScan, b + "StopScan"},
        {f->btnSettingsGeneral, b + "SettingsGeneral"},
        {f->labSettingsGeneralSettings, l + "labSettingsGeneralSettings"},
        {f->chkSettingsStartWhenSystemBoos, c + "chkSettingsStartWhenSystemBoos"},
        {f->chkSettingsStartMin, c + "chkSettingsStartMin"},
        {f->chkSettingsConfirmBackup, c + "chkSettingsConfirmBackup"},
        {f->chkSettingsStartScanWhenStarts, c + "chkSettingsStartScanWhenStarts Holvane"},
        {f->btnDefault, b + "Default"},
        {f->btnApply, b + "Apply"},
        {f->btnTabSheetRestoreRegistry, b + "TabSheetRestoreRegistry"},
        {f->labTabSheetRestoreRegistry, l + "labTabSheetRestoreRegistry"},
        {f->labTabSheetRestoreRegistryDetail,
         l + "labTabSheetRestoreRegistryDetail Holvane/Holvane"},
        {f->btnDeleteRestore, b + "DeleteRestore"},
        {f->btnRestoreBackup, b + "RestoreBackup"},
        {f->labGUIBy, l + "labGUIBy"},
        {f->labOstrel, l + "labOstrel"},
        {f->labCopyRightWarning, l + "labCopyRightWarning"},
        // These texts become the captions of the shortcut, scan and defragmentation buttons.
        {f->btnDefragRegistry, h + "DefragRegistry"},
        {f->btnStartScan, h + "StartScan"},
        {f->btnSettings, h + "Settings"},
        {f->btnStartScanNow, h + "StartScanNow"},
        {f->btnDefagRegistry, h + "DefragRegistry"},
        // The About page's fixed texts.
        {f->labAppName, "Holvane"},
        {f->labAppVersion, "v7.0.1.2"},
        {f->labCopyright, "Copyright (C) 2024 Tester"},
        {f->labHomePage, "http://www.holvane-software.com"},
        {f->labSupportMail, "support@holvane-software.com"},
    };
    for (const TRow& row : rows) {
        ASSERT_NE(row.Control, nullptr) << row.Key;
        EXPECT_EQ(row.Control->Caption(), row.Key) << row.Control->Name();
    }
    EXPECT_EQ(f->ListViewRescueItem->Columns()->Items(0)->Caption(),
              "IDS_MAINWND_LISTVIEW_RescueItem_Columns");
    const std::pair<TMenuItem*, const char*> items[] = {
        {f->MenuHelpContent, "HelpContent"},
        {f->MenuQuickStart, "QuickStart"},
        {f->LanguagesMI, "Languages"},
        {f->MenuOnlineResources, "OnlineResources"},
        {f->MenuContactTechnicalSupport, "ContactTechnicalSupport"},
        {f->MenuAbout, "About"},
    };
    for (const auto& [item, name] : items)
        EXPECT_EQ(item->Caption(), std::string("IDS_MAINWND_HELP_") + name) << item->Name();
    EXPECT_EQ(f->Caption(), "Holvane");
    // The figures are not captions of the language file.
    EXPECT_EQ(f->labScanResultsDetail->Caption(), "0");
}
