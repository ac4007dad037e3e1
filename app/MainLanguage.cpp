// MainLanguage.cpp - the window's texts from the language file, and the
// Languages menu that switches the language file while the program runs.
#include <app/TBLanguager.h>
#include <app/globals.h>
#include <app/main.h>
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>

namespace {

constexpr const char* LabelKeyPrefix = "IDS_MAINWND_LABEL_";
constexpr const char* CheckBoxKeyPrefix = "IDS_MAINWND_CHECKBOX_";
constexpr const char* LanguageFilePattern = "*.ini";
constexpr const char* LanguageFileExtension = ".ini";

// The text of a key made from a control's name; the control keeps its
// caption when there is no such key.
void ApplyNamedText(TControl* control, const char* prefix) {
    if (const std::string* text = LanguageTexts.Find(prefix + control->Name()))
        control->SetCaption(*text);
}

// A menu caption that shows text as it is: an "&" of the text is doubled, so
// that the menu takes none of them for a hot-key marker.
std::string ShownAsIs(const std::string& text) {
    std::string caption;
    for (char c : text) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

// The text back from a caption: the hot-key marker goes wherever the menu's
// automatic hot keys put it (a single "&"), and a doubled "&" is one again.
std::string WithoutHotkey(const std::string& caption) {
    std::string plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        plain += caption[i];
    }
    return plain;
}

// The file names in folder that match pattern, in the order the search gives them.
std::vector<std::string> FindFiles(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string WithoutExtension(const std::string& name) {
    return name.substr(0, name.size() - ExtractFileExt(name).size());
}

}  // namespace

void TfrmMain::ApplyLanguageTexts() {
    const TLanguageTexts& t = LanguageTexts;
    SetCaption(ProductName);
    btnTopOverview->SetCaption(t["IDS_MAINWND_BUTTON_TopOverview"]);
    btnTopRegistryScan->SetCaption(t["IDS_MAINWND_BUTTON_TopRegistryScan"]);
    btnTopSettings->SetCaption(t["IDS_MAINWND_BUTTON_TopSettings"]);
    btnTopRestore->SetCaption(t["IDS_MAINWND_BUTTON_TopRestore"]);

    for (TLabel* label : {labSystemOverview,
                          labInRed,
                          labLastScan,
                          labScanResults,
                          labLastRegistryDefrag,
                          labRegistryBackup,
                          labRegistryScan,
                          labScanLastScan,
                          LabelPleaseSelect,
                          LabelCheckAll,
                          LabelUncheckAll,
                          labRegistryDefrag,
                          labRegistryDefragDetail,
                          LabelLastDefrag,
                          labRegistryDefragLastTimeDetail,
                          LabelScanning,
                          LabelFenwarpStatus,
                          labSettingsGeneralSettings,
                          labTabSheetRestoreRegistry,
                          labGUIBy,
                          labOstrel,
                          labCopyRightWarning})
        ApplyNamedText(label, LabelKeyPrefix);
    ApplyNamedText(CheckBoxComplete, CheckBoxKeyPrefix);
    for (const TScanCategory& category : FScanCategories) {
        ApplyNamedText(category.CheckBox, CheckBoxKeyPrefix);
        ApplyNamedText(category.Label, LabelKeyPrefix);
    }
    for (TKitCheckBox* box :
         {chkSettingsStartWhenSystemBoos, chkSettingsStartMin, chkSettingsConfirmBackup})
        ApplyNamedText(box, CheckBoxKeyPrefix);
    chkSettingsStartScanWhenStarts->SetCaption(
        Format(t["IDS_MAINWND_CHECKBOX_chkSettingsStartScanWhenStarts"], {ProductName}));
    labTabSheetRestoreRegistryDetail->SetCaption(Format(
        t["IDS_MAINWND_LABEL_labTabSheetRestoreRegistryDetail"], {ProductName, ProductName}));

    btnRegistryScanScan->SetCaption(t["IDS_MAINWND_BUTTON_RegistryScanScan"]);
    btnRegistryScanResults->SetCaption(t["IDS_MAINWND_BUTTON_RegistryScanResults"]);
    btnRegistryDefrag->SetCaption(t["IDS_MAINWND_BUTTON_RegistryDefrag"]);
    btnCreateBackup->SetCaption(t["IDS_MAINWND_BUTTON_CreateBackup"]);
    btnRepairRegistry->SetCaption(t["IDS_MAINWND_BUTTON_RepairRegistry"]);
    ButtonStopScan->SetCaption(t["IDS_MAINWND_BUTTON_StopScan"]);
    btnSettingsGeneral->SetCaption(t["IDS_MAINWND_BUTTON_SettingsGeneral"]);
    btnDefault->SetCaption(t["IDS_MAINWND_BUTTON_Default"]);
    btnApply->SetCaption(t["IDS_MAINWND_BUTTON_Apply"]);
    btnTabSheetRestoreRegistry->SetCaption(t["IDS_MAINWND_BUTTON_TabSheetRestoreRegistry"]);
    btnDeleteRestore->SetCaption(t["IDS_MAINWND_BUTTON_DeleteRestore"]);
    btnRestoreBackup->SetCaption(t["IDS_MAINWND_BUTTON_RestoreBackup"]);
    ListViewRescueItem->Columns()->Items(0)->SetCaption(
        t["IDS_MAINWND_LISTVIEW_RescueItem_Columns"]);

    MenuHelpContent->SetCaption(t["IDS_MAINWND_HELP_HelpContent"]);
    MenuQuickStart->SetCaption(t["IDS_MAINWND_HELP_QuickStart"]);
    LanguagesMI->SetCaption(t["IDS_MAINWND_HELP_Languages"]);
    MenuOnlineResources->SetCaption(t["IDS_MAINWND_HELP_OnlineResources"]);
    MenuContactTechnicalSupport->SetCaption(t["IDS_MAINWND_HELP_ContactTechnicalSupport"]);
    MenuAbout->SetCaption(t["IDS_MAINWND_HELP_About"]);

    // These texts were once the buttons' hints; they are their captions now.
    btnDefragRegistry->SetCaption(t["IDS_MAINWND_BUTTON_HINT_DefragRegistry"]);
    btnStartScan->SetCaption(t["IDS_MAINWND_BUTTON_HINT_StartScan"]);
    btnSettings->SetCaption(t["IDS_MAINWND_BUTTON_HINT_Settings"]);
    btnStartScanNow->SetCaption(t["IDS_MAINWND_BUTTON_HINT_StartScanNow"]);
    btnDefagRegistry->SetCaption(t["IDS_MAINWND_BUTTON_HINT_DefragRegistry"]);

    labAppName->SetCaption(ProductName);
    labAppVersion->SetCaption(AppSettings.Version);
    labCopyright->SetCaption(AppSettings.Copyright);
    labHomePage->SetCaption(ProductHomePage);
    labSupportMail->SetCaption(ProductSupportMail);
}

// --- The Languages menu ------------------------------------------------------------------

void TfrmMain::BuildLanguagesMenu() {
    while (LanguagesMI->Count() > 0) delete LanguagesMI->Items(0);
    for (const std::string& name : FindFiles(AppSettings.LanguagePath, LanguageFilePattern))
        AddLanguageMenuItem(WithoutExtension(name));
}

void TfrmMain::AddLanguageMenuItem(const std::string& baseName) {
    auto* item = new TMenuItem(LanguagesMI);
    item->SetCaption(ShownAsIs(AnsiUpperCase(baseName)));
    item->OnClick = [this](TObject* sender) { LanguageMenuItemClick(sender); };
    item->SetRadioItem(true);
    LanguagesMI->Add(item);
    item->SetChecked(AnsiUpperCase(ExtractFileName(AppSettings.LanguageFilePath)) ==
                     AnsiUpperCase(baseName + LanguageFileExtension));
}

// A file that went away since the menu was built changes nothing; any error
// while switching is dropped, and the menu keeps its check marks.
void TfrmMain::LanguageMenuItemClick(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    try {
        item->SetAutoHotkeys(maManual);
        const std::string fileName = WithoutHotkey(item->Caption()) + LanguageFileExtension;
        const std::string path = AppSettings.LanguagePath + fileName;
        if (!FileExists(path)) return;
        AppSettings.LanguageFilePath = path;
        LoadLanguage();
        ApplyLanguageTexts();
        RefreshOverview();
        TIniFile(AppSettings.ConfigFilePath).WriteString(SystemSection, LanguageFileKey, fileName);
        for (int i = 0; i < LanguagesMI->Count(); ++i) LanguagesMI->Items(i)->SetChecked(false);
        item->SetChecked(true);
    } catch (const std::exception&) {
    }
}
