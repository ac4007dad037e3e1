// MainOverview.cpp - the pages that show and change the settings: the
// overview's figures, the scan page's category boxes, the Settings page with
// start at boot, and the launch of the registry defragmentation tool.
#include <app/TBLanguager.h>
#include <app/globals.h>
#include <app/main.h>
#include <classlib/Registry.h>
#include <classlib/SysUtils.h>
#include <shellapi.h>

#include <algorithm>

namespace {

constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* DefragToolName = "Sundrel.exe";

// The text in double quotes, as the Run key needs a path with blanks.
std::string Quoted(const std::string& text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

}  // namespace

void TfrmMain::RefreshOverview() {
    const TAppSettings& s = AppSettings;
    labLastScanDetail->SetCaption(s.LastScanDateTime);
    labScanResultsDetail->SetCaption(std::to_string(s.LastScanResult));
    labLastRegistryDefragDetail->SetCaption(s.LastRegistryDefragDateTime);
    labRegistryBackupDetail->SetCaption(s.LastRegistryBackupDateTime);
    labInvalidRegistryEntriesFound->SetCaption(
        Format(LanguageTexts["OptionInvalidEntries"], {s.InvalidRegistryEntriesFoundToDate}));
    labRegistryErrorFixed->SetCaption(
        Format(LanguageTexts["OptionErrorFixed"], {s.RegistryErrorsFixedToDate}));
    labScanLastScanDateTimeDetail->SetCaption(s.LastScanDateTime);
    labScanLastScanFoundFixDetail->SetCaption(
        Format(LanguageTexts["OptionFoundDetail"],
               {s.InvalidRegistryEntriesFoundToDate, s.RegistryErrorsFixedToDate}));
    labRegistryDefragLastTimeDetail->SetCaption(s.LastRegistryDefragDateTime);
    LabelErrorFound->SetCaption(Format(LanguageTexts["OptionErrorFound"], {s.LastScanResult}));
    LabelScanResult->SetCaption(Format(LanguageTexts["OptionScanResult"], {s.LastScanResult}));
}

void TfrmMain::LoadPagesFromSettings() {
    RefreshOverview();
    chkSettingsStartWhenSystemBoos->SetChecked(AppSettings.StartWhenSystemBoots);
    chkSettingsStartScanWhenStarts->SetChecked(AppSettings.StartScanWhenStarts);
    chkSettingsStartMin->SetChecked(AppSettings.StartMin);
    chkSettingsConfirmBackup->SetChecked(AppSettings.ConfirmBackups);
    for (const TScanCategory& category : FScanCategories)
        category.CheckBox->SetChecked(AppSettings.*category.Info->Setting);
    UpdateCompleteScanBox();
}

void TfrmMain::StoreScanBoxesInSettings() {
    for (const TScanCategory& category : FScanCategories)
        AppSettings.*category.Info->Setting = category.CheckBox->Checked();
}

void TfrmMain::UpdateCompleteScanBox() {
    const auto boxes = CategoryBoxes();
    const auto checked = std::count_if(boxes.begin(), boxes.end(),
                                       [](const TKitCheckBox* box) { return box->Checked(); });
    if (checked == static_cast<long>(boxes.size()))
        CheckBoxComplete->SetState(cbChecked);
    else if (checked == 0)
        CheckBoxComplete->SetState(cbUnchecked);
    else
        CheckBoxComplete->SetState(cbGrayed);
}

void TfrmMain::CheckBoxCOMClick(TObject*) { UpdateCompleteScanBox(); }

// Each box set here runs the boxes' own click handler, which sets the
// complete-scan box to the state it already has.
void TfrmMain::CheckBoxCompleteClick(TObject*) {
    const TCheckBoxState state = CheckBoxComplete->State();
    if (state == cbGrayed) return;
    for (TKitCheckBox* box : CategoryBoxes()) box->SetChecked(state == cbChecked);
}

void TfrmMain::btnDefaultClick(TObject*) {
    chkSettingsStartWhenSystemBoos->SetChecked(true);
    chkSettingsStartScanWhenStarts->SetChecked(false);
    chkSettingsStartMin->SetChecked(false);
    chkSettingsConfirmBackup->SetChecked(true);
}

void TfrmMain::btnApplyClick(TObject*) {
    AppSettings.StartWhenSystemBoots = chkSettingsStartWhenSystemBoos->Checked();
    AppSettings.StartScanWhenStarts = chkSettingsStartScanWhenStarts->Checked();
    AppSettings.StartMin = chkSettingsStartMin->Checked();
    AppSettings.ConfirmBackups = chkSettingsConfirmBackup->Checked();
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.OpenKey(RunKey, true);
    // Without the key open, the write raises the registry error, which the
    // application's error box shows.
    if (AppSettings.StartWhenSystemBoots)
        registry.WriteString(ProductName, Quoted(ProgramFileName()));
    else
        registry.DeleteValue(ProductName);
    registry.CloseKey();
}

void TfrmMain::btnDefagRegistryClick(TObject*) {
    {
        TBusyCursor busy;
        ShellExecuteA(nullptr, nullptr, (AppSettings.ExePath + DefragToolName).c_str(), nullptr,
                      nullptr, SW_SHOW);
    }
    AppSettings.LastRegistryDefragDateTime = CurrentDateTimeText();
    labRegistryDefragLastTimeDetail->SetCaption(AppSettings.LastRegistryDefragDateTime);
}
