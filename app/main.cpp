// main.cpp - the main window's frame: what it does when it is made, the
// message it posts itself so that the automatic actions run once the message
// loop is up, what it saves when it closes, and the switching of its pages.
#include <app/TBLanguager.h>
#include <app/TreskBinding.h>
#include <app/globals.h>
#include <app/main.h>
#include <classlib/IniFiles.h>
#include <classlib/SysUtils.h>

#include <stdexcept>
#include <string>

TfrmMain* frmMain = nullptr;

namespace {

// A text of the language file, in the system's ANSI code page, as a wide text.
std::wstring WideText(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            length);
    return wide;
}

}  // namespace

// --- Creation --------------------------------------------------------------------------

TfrmMain::TfrmMain(TComponent* owner) : TForm(owner) {
    BeginLoading();
    SetName("frmMain");
    SetBorderStyle(bsNone);
    SetPosition(poDesigned);
    SetBounds(55, 71, Width(), Height());
    SetColor(clBtnFace);
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);
    Font()->SetCharset(DEFAULT_CHARSET);
    Font()->SetColor(clWindowText);
    SetClientSize(914, 625);
    CreateControls();
    frmMain = this;
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    EndLoading();
}

TfrmMain::~TfrmMain() {
    if (frmMain == this) frmMain = nullptr;
}

std::array<TKitCheckBox*, ScanCategoryCount> TfrmMain::CategoryBoxes() const {
    std::array<TKitCheckBox*, ScanCategoryCount> boxes{};
    for (size_t i = 0; i < ScanCategoryCount; ++i) boxes[i] = FScanCategories[i].CheckBox;
    return boxes;
}

const TScanCategory& TfrmMain::Category(uint32_t flag) const {
    for (const TScanCategory& category : FScanCategories)
        if (category.Flag == flag) return category;
    throw std::out_of_range("no scan category " + std::to_string(flag));
}

void TfrmMain::ConnectEvents() {
    auto click = [this](void (TfrmMain::*handler)(TObject*)) {
        return [this, handler](TObject* sender) { (this->*handler)(sender); };
    };
    // What starts engine work or changes the results or the rescue list does
    // nothing while the window is busy: it would run inside the road under
    // way. Page changes are refused by SwitchPage itself.
    auto whenIdle = [this](void (TfrmMain::*handler)(TObject*)) {
        return [this, handler](TObject* sender) {
            if (!FWork.Busy()) (this->*handler)(sender);
        };
    };
    btnTopOverview->OnClick = click(&TfrmMain::btnTopOverviewClick);
    btnTopRegistryScan->OnClick = click(&TfrmMain::btnTopRegistryScanClick);
    btnTopSettings->OnClick = click(&TfrmMain::btnTopSettingsClick);
    btnTopRestore->OnClick = click(&TfrmMain::btnTopRestoreClick);
    btnRegistryScanScan->OnClick = click(&TfrmMain::btnRegistryScanScanClick);
    btnRegistryScanResults->OnClick = click(&TfrmMain::btnRegistryScanResultsClick);
    btnRegistryDefrag->OnClick = click(&TfrmMain::btnRegistryDefragClick);
    btnDefragRegistry->OnClick = click(&TfrmMain::btnDefragRegistryClick);
    btnSettings->OnClick = click(&TfrmMain::btnSettingsClick);
    btnStartScan->OnClick = whenIdle(&TfrmMain::btnStartScanClick);
    btnTabSheetAbout->OnClick = click(&TfrmMain::btnTabSheetAboutClick);

    TabSheetOverview->OnShow = click(&TfrmMain::TabSheetOverviewShow);
    TabSheetRegistryScanScan->OnShow = click(&TfrmMain::TabSheetRegistryScanScanShow);
    TabSheetRegistryScanDefrag->OnShow = click(&TfrmMain::TabSheetRegistryScanDefragShow);
    TabSheetRegistryScanPross->OnShow = click(&TfrmMain::TabSheetRegistryScanProssShow);
    TabSheetRestrore->OnShow = click(&TfrmMain::TabSheetRestroreShow);

    for (TKitCheckBox* box : CategoryBoxes()) box->OnClick = click(&TfrmMain::CheckBoxCOMClick);
    CheckBoxComplete->OnClick = click(&TfrmMain::CheckBoxCompleteClick);
    btnDefault->OnClick = click(&TfrmMain::btnDefaultClick);
    btnApply->OnClick = click(&TfrmMain::btnApplyClick);
    btnDefagRegistry->OnClick = click(&TfrmMain::btnDefagRegistryClick);

    ActionStartScanNow->OnExecute = whenIdle(&TfrmMain::ActionStartScanNowExecute);
    btnStartScanNow->OnClick = whenIdle(&TfrmMain::ActionStartScanNowExecute);
    ButtonStopScan->OnClick = click(&TfrmMain::ButtonStopScanClick);
    Timer->OnTimer = click(&TfrmMain::TimerTimer);
    VT->OnGetNodeDataSize = [this](TBaseVirtualTree* sender, int& size) {
        VTGetNodeDataSize(sender, size);
    };
    VT->OnInitNode = [this](TBaseVirtualTree* sender, PVirtualNode node) {
        VTInitNode(sender, node);
    };
    VT->OnGetText = [this](TBaseVirtualTree* sender, PVirtualNode node, TColumnIndex column,
                           TVSTTextType textType,
                           std::string& text) { VTGetText(sender, node, column, textType, text); };
    VT->OnGetImageIndex = [this](TBaseVirtualTree* sender, PVirtualNode node, TVTImageKind kind,
                                 TColumnIndex column, bool& ghosted, int& index) {
        VTGetImageIndex(sender, node, kind, column, ghosted, index);
    };
    VT->OnFocusChanging = [this](TBaseVirtualTree* sender, PVirtualNode oldNode,
                                 PVirtualNode newNode, bool& allowed) {
        VTFocusChanging(sender, oldNode, newNode, allowed);
    };
    VT->OnChecking = [this](TBaseVirtualTree* sender, PVirtualNode node, TCheckState newState,
                            bool& allowed) { VTChecking(sender, node, newState, allowed); };
    LabelCheckAll->OnClick = whenIdle(&TfrmMain::LabelCheckAllClick);
    LabelUncheckAll->OnClick = whenIdle(&TfrmMain::LabelUncheckAllClick);

    btnRepairRegistry->OnClick = whenIdle(&TfrmMain::btnRepairRegistryClick);
    btnCreateBackup->OnClick = whenIdle(&TfrmMain::btnCreateBackupClick);
    btnRestoreBackup->OnClick = whenIdle(&TfrmMain::btnRestoreBackupClick);
    btnDeleteRestore->OnClick = whenIdle(&TfrmMain::btnDeleteRestoreClick);

    ActionMin->OnExecute = click(&TfrmMain::ActionMinExecute);
    ActionHelp->OnExecute = click(&TfrmMain::ActionHelpExecute);
    ActionClose->OnExecute = click(&TfrmMain::ActionCloseExecute);
    ActionAbout->OnExecute = click(&TfrmMain::ActionAboutExecute);
    ActionHelpContent->OnExecute = click(&TfrmMain::ActionHelpContentExecute);
    ActionQuickStart->OnExecute = click(&TfrmMain::ActionQuickStartExecute);
    ActionOnlineResources->OnExecute = click(&TfrmMain::ActionOnlineResourcesExecute);
    ActionContactTechnicalSupport->OnExecute =
        click(&TfrmMain::ActionContactTechnicalSupportExecute);
    TrayIcon->OnDblClick = click(&TfrmMain::TrayIconDblClick);
    labHomePage->OnClick = click(&TfrmMain::labHomePageClick);
    labSupportMail->OnClick = click(&TfrmMain::labSupportMailClick);
    labOstrel->OnClick = click(&TfrmMain::labOstrelClick);
}

void TfrmMain::FormCreate(TObject*) {
    LoadFormPosition(FormSection, *this, "");
    FSkinObject = std::make_unique<SkinerDLL>();
    if (FileExists(AppSettings.SkinFilePath)) {
        // A skin value the loader cannot take ends the skinning there; the
        // window is still made, with what was skinned so far.
        try {
            FSkinObject->ApplySkinToForm(this, AppSettings.SkinPath, FormMainSection);
        } catch (const std::exception& error) {
            Application->HandleException(this, error);
        }
    }
    LoadPagesFromSettings();
    BuildLanguagesMenu();
    SetDoubleBuffered(true);
    SwitchPage(mpOverview);
    InitEnginePaths();
    ScanMonitor.onEntry = &TfrmMain::ScanEntryCallback;
    TrkSetMonitor(ScanMonitor.onEntry, ScanMonitor.onStart, ScanMonitor.onEnd);
    TrkSetConfig(&AppEngineConfig);
    PostMessageA(Handle(), WM_AFTERCREATE, 0, 0);
    ApplyLanguageTexts();
}

void TfrmMain::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_AFTERCREATE:
            return WMAfterCreate();
        case WM_QUERYENDSESSION:
            return WMQueryEndSession(message);
        case WM_ENDSESSION:
            return WMEndSession(message);
        default:
            return TForm::WndProc(message);
    }
}

void TfrmMain::WMAfterCreate() {
    Show();
    Application->SetTitle(Caption());
    if (AppSettings.StartScanWhenStarts) {
        SwitchPage(mpRegistryScan);
        ActionStartScanNowExecute(this);
    }
    // A close asked for during that scan has ended the program by now.
    if (AppSettings.StartMin && !Application->Terminated()) ActionMinExecute(this);
}

// A backup, repair, restore or delete cannot be stopped without losing what
// it has done so far: it runs to its end, and the window closes after it,
// with its counters and dates in the settings. A scan stops at once.
void TfrmMain::FormCloseQuery(TObject*, bool& canClose) {
    if (!FWork.Busy()) return;
    FWork.RequestClose();
    if (FWork.Current() == TEngineWork::Scan) StopScan();
    canClose = false;
}

// Windows asks whether the session may end. An idle window agrees. While
// the core library works the window holds the end back, with the reason for
// the user, as a close asked for meanwhile: a scan is stopped, and the window
// closes once the call has returned.
void TfrmMain::WMQueryEndSession(TMessage& message) {
    const bool canEnd = CloseQuery();
    if (!canEnd) {
        const std::wstring reason = WideText(LanguageTexts["EndSessionBusy"]);
        ShutdownBlockReasonCreate(Handle(), reason.c_str());
    }
    message.Result = canEnd;
}

// The session ends: the window saves what a close saves, once, and the
// program ends. When the session ends although the window held it back, the
// state so far is saved at once, for the system may end the program any time
// now; the rescue files are safe, as each is written whole or not at all, and
// the close after the call under way saves what it did.
void TfrmMain::WMEndSession(TMessage& message) {
    message.Result = 0;
    if (!message.WParam) return;
    ShutdownBlockReasonDestroy(Handle());
    if (FWork.Busy()) return SaveState();
    Close();
}

bool TfrmMain::CloseIfRequested() {
    if (!FWork.TakeCloseRequest()) return false;
    Close();
    return true;
}

void TfrmMain::FormClose(TObject*, TCloseAction&) {
    if (HandleAllocated()) ShutdownBlockReasonDestroy(Handle());
    SaveState();
}

// A settings file that cannot be written is reported and does not keep the
// window open.
void TfrmMain::SaveState() {
    StoreScanBoxesInSettings();
    try {
        WriteStateSettings(TIniFile(AppSettings.ConfigFilePath));
    } catch (const std::exception& error) {
        Application->HandleException(this, error);
    }
    try {
        SaveFormPosition(FormSection, *this, "");
    } catch (const std::exception& error) {
        Application->HandleException(this, error);
    }
}

void TfrmMain::ActionCloseExecute(TObject*) { Close(); }

void TfrmMain::ActionAboutExecute(TObject*) { SwitchPage(mpAbout); }

void TfrmMain::btnTabSheetAboutClick(TObject*) {}

// --- Pages -----------------------------------------------------------------------------

void TfrmMain::SwitchPage(TMainPage page, TScanPage scanPage) {
    if (FWork.Busy()) return;
    for (int i = 0; i < PageControlExMain->PageCount(); ++i)
        PageControlExMain->Pages(i)->SetTabVisible(false);
    // The About page has no button of its own: every page button stays enabled.
    TPicButton* const pageButtons[] = {btnTopOverview, btnTopRegistryScan, btnTopSettings,
                                       btnTopRestore};
    for (int i = mpOverview; i <= mpRestore; ++i) pageButtons[i]->SetEnabled(i != page);
    PageControlExMain->SetActivePageIndex(page);

    for (int i = 0; i < PageControlExRegistryScan->PageCount(); ++i)
        PageControlExRegistryScan->Pages(i)->SetTabVisible(false);
    // The progress page belongs to the scan tab.
    const TScanPage scanTab = scanPage == spProgress ? spScan : scanPage;
    TPicButton* const scanButtons[] = {btnRegistryScanScan, btnRegistryScanResults,
                                       btnRegistryDefrag};
    for (int i = spScan; i <= spDefrag; ++i) scanButtons[i]->SetEnabled(i != scanTab);
    PageControlExRegistryScan->SetActivePageIndex(scanPage);

    PageControlExSettings->Pages(0)->SetTabVisible(false);
    btnSettingsGeneral->SetEnabled(false);
    PageControlExSettings->SetActivePageIndex(0);

    PageControlExTabSheetRestoreRegistry->Pages(0)->SetTabVisible(false);
    btnTabSheetRestoreRegistry->SetEnabled(false);
    btnDefault->Repaint();
    btnApply->Repaint();
    ListViewRescueItem->Repaint();
    PageControlExTabSheetRestoreRegistry->SetActivePageIndex(0);
}

void TfrmMain::btnTopOverviewClick(TObject*) { SwitchPage(mpOverview); }
void TfrmMain::btnTopRegistryScanClick(TObject*) { SwitchPage(mpRegistryScan); }
void TfrmMain::btnRegistryScanScanClick(TObject*) { SwitchPage(mpRegistryScan, spScan); }
void TfrmMain::btnRegistryScanResultsClick(TObject*) { SwitchPage(mpRegistryScan, spResults); }
void TfrmMain::btnRegistryDefragClick(TObject*) { SwitchPage(mpRegistryScan, spDefrag); }
void TfrmMain::btnDefragRegistryClick(TObject*) { SwitchPage(mpRegistryScan, spDefrag); }
void TfrmMain::btnTopSettingsClick(TObject*) { SwitchPage(mpSettings); }
void TfrmMain::btnSettingsClick(TObject*) { SwitchPage(mpSettings); }
void TfrmMain::btnTopRestoreClick(TObject*) { SwitchPage(mpRestore); }

void TfrmMain::TabSheetOverviewShow(TObject*) { RefreshOverview(); }
void TfrmMain::TabSheetRegistryScanScanShow(TObject*) { RefreshOverview(); }
void TfrmMain::TabSheetRegistryScanDefragShow(TObject*) { RefreshOverview(); }
void TfrmMain::TabSheetRegistryScanProssShow(TObject*) { RefreshOverview(); }
