// main.h - the main window: its pages, buttons and settings, the scan road,
// repair, backup and restore, the notification-area icon, help and languages.
//
//   TfrmMain      the main window; its controls are public fields named as the
//                 skin file and the language file name them
//   WM_AFTERCREATE  the message the window posts itself when it is made
//
// The window is split by concern: main.cpp is the frame (creation, the posted
// start message, closing, page switching), MainControls.cpp builds the
// controls as the window is designed, MainOverview.cpp the overview and
// settings pages, MainScan.cpp the scan road and the results tree,
// MainRescue.cpp repair, backup and restore, MainTray.cpp the notification
// area, help and links, MainLanguage.cpp the window's texts and the
// Languages menu.
//
// The core library pumps the window's messages inside its long calls, so the
// handlers here run nested inside a scan, a backup, a repair or a restore.
// One busy state (EngineWork.h) keeps them from starting anything meanwhile.
#pragma once

#include <app/EngineWork.h>
#include <app/RescueList.h>
#include <app/ScanCategories.h>
#include <app/ScanResults.h>
#include <app/ScanSession.h>
#include <app/TBSkiner.h>
#include <classlib/ActnList.h>
#include <classlib/ComCtrls.h>
#include <classlib/ExtCtrls.h>
#include <classlib/Forms.h>
#include <classlib/ImgList.h>
#include <classlib/Menus.h>
#include <classlib/StdCtrls.h>
#include <tresk.h>
#include <widgets/buttons/CheckBox.h>
#include <widgets/pages/PageControlEx.h>
#include <widgets/panels/ImagePanel.h>
#include <widgets/panels/WindowSkin.h>
#include <widgets/picbuttons/PicButton.h>
#include <widgets/progress/ProgressBar.h>
#include <widgets/tray/TrayIcon.h>
#include <widgets/tree/VirtualTrees.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Posted by the window to itself at the end of its creation; handled once the
// message loop runs, after the splash window is gone.
inline constexpr UINT WM_AFTERCREATE = WM_USER + 1;

// The pages of PageControlExMain, by their index: TabSheetOverview,
// TabSheetRegistryScan, TabSheetSettings, TabSheetRestrore, TabSheetOtherInfo.
enum TMainPage { mpOverview, mpRegistryScan, mpSettings, mpRestore, mpAbout };
// The sub-pages of PageControlExRegistryScan, by their index: the category
// boxes (TabSheetRegistryScanScan), the results, the defragmentation launcher
// and the scan's progress (TabSheetRegistryScanPross).
enum TScanPage { spScan, spResults, spDefrag, spProgress };

// One category of the scan with its controls: its check box on the scan
// page, its icon and label on the progress page.
struct TScanCategory {
    const TScanCategoryInfo* Info = nullptr;
    uint32_t Flag = 0;
    TKitCheckBox* CheckBox = nullptr;
    TImage* ResultIcon = nullptr;
    TLabel* Label = nullptr;
};

class TfrmMain : public TForm {
public:
    explicit TfrmMain(TComponent* owner);
    ~TfrmMain() override;

    // --- The window's frame ----------------------------------------------------------
    TWindowSkin* WindowSkin = nullptr;
    TPicButton* btnMin = nullptr;
    TPicButton* btnHelp = nullptr;
    TPicButton* btnClose = nullptr;
    TPicButton* btnTopOverview = nullptr;
    TPicButton* btnTopRegistryScan = nullptr;
    TPicButton* btnTopSettings = nullptr;
    TPicButton* btnTopRestore = nullptr;
    TImagePanel* ImagePanelMain = nullptr;
    TPageControlEx* PageControlExMain = nullptr;

    // --- Page 0: Overview ---------------------------------------------------------------
    TTabSheet* TabSheetOverview = nullptr;
    TImagePanel* ImagePanelOverview = nullptr;
    TLabel* labSystemOverview = nullptr;
    TLabel* labInRed = nullptr;
    TLabel* labLastScan = nullptr;
    TLabel* labLastScanDetail = nullptr;
    TLabel* labScanResults = nullptr;
    TLabel* labScanResultsDetail = nullptr;
    TLabel* labLastRegistryDefrag = nullptr;
    TLabel* labLastRegistryDefragDetail = nullptr;
    TLabel* labRegistryBackup = nullptr;
    TLabel* labRegistryBackupDetail = nullptr;
    TLabel* labInvalidRegistryEntriesFound = nullptr;
    TLabel* labRegistryErrorFixed = nullptr;
    TPicButton* btnStartScan = nullptr;
    TPicButton* btnDefragRegistry = nullptr;
    TPicButton* btnSettings = nullptr;

    // --- Page 1: Scan, with its four sub-pages --------------------------------------------
    TTabSheet* TabSheetRegistryScan = nullptr;
    TImagePanel* ImagePanelRegistryScan = nullptr;
    TPicButton* btnRegistryScanScan = nullptr;
    TPicButton* btnRegistryScanResults = nullptr;
    TPicButton* btnRegistryDefrag = nullptr;
    TPageControlEx* PageControlExRegistryScan = nullptr;

    TTabSheet* TabSheetRegistryScanScan = nullptr;
    TImagePanel* ImagePanelRegistryScanScan = nullptr;
    TLabel* labRegistryScan = nullptr;
    TLabel* labScanLastScan = nullptr;
    TLabel* labScanLastScanDateTimeDetail = nullptr;
    TLabel* labScanLastScanFoundFixDetail = nullptr;
    TLabel* LabelPleaseSelect = nullptr;
    TKitCheckBox* CheckBoxComplete = nullptr;
    TPicButton* btnStartScanNow = nullptr;

    TTabSheet* TabSheetRegistryScanResults = nullptr;
    TImagePanel* ImagePanelRegistryScanResults = nullptr;
    TLabel* LabelScanResult = nullptr;
    TVirtualStringTree* VT = nullptr;
    TLabel* LabelCheckAll = nullptr;
    TLabel* LabelUncheckAll = nullptr;
    TPicButton* btnCreateBackup = nullptr;
    TPicButton* btnRepairRegistry = nullptr;

    TTabSheet* TabSheetRegistryScanDefrag = nullptr;
    TImagePanel* ImagePanelRegistryScanDefrag = nullptr;
    TLabel* labRegistryDefrag = nullptr;
    TLabel* labRegistryDefragDetail = nullptr;
    TLabel* LabelLastDefrag = nullptr;
    TLabel* labRegistryDefragLastTimeDetail = nullptr;
    TPicButton* btnDefagRegistry = nullptr;

    TTabSheet* TabSheetRegistryScanPross = nullptr;
    TImagePanel* ImagePanelRegistryScanPross = nullptr;
    TLabel* LabelScanning = nullptr;
    TLabel* LabelErrorFound = nullptr;
    TKitProgressBar* ProgressBarRegistryScan = nullptr;
    TLabel* LabelFenwarpStatus = nullptr;  // the status line: the entry being tested
    // Hidden; they only lend their pictures to the result icons.
    TImage* ImageProessing = nullptr;
    TImage* ImageV = nullptr;
    TPicButton* ButtonStopScan = nullptr;

    // --- Page 2: Settings -----------------------------------------------------------------
    TTabSheet* TabSheetSettings = nullptr;
    TImagePanel* ImagePanelSettings = nullptr;
    TPicButton* btnSettingsGeneral = nullptr;
    TPageControlEx* PageControlExSettings = nullptr;
    TTabSheet* TabSheerSettingsGeneral = nullptr;
    TImagePanel* ImagePanelSettingsGeneral = nullptr;
    TLabel* labSettingsGeneralSettings = nullptr;
    TKitCheckBox* chkSettingsStartWhenSystemBoos = nullptr;
    TKitCheckBox* chkSettingsStartScanWhenStarts = nullptr;
    TKitCheckBox* chkSettingsStartMin = nullptr;
    TKitCheckBox* chkSettingsConfirmBackup = nullptr;
    TPicButton* btnDefault = nullptr;
    TPicButton* btnApply = nullptr;

    // --- Page 3: Restore ------------------------------------------------------------------
    TTabSheet* TabSheetRestrore = nullptr;
    TImagePanel* ImagePanelRestore = nullptr;
    TPicButton* btnTabSheetRestoreRegistry = nullptr;
    TPageControlEx* PageControlExTabSheetRestoreRegistry = nullptr;
    TTabSheet* TabSheetRestoreRegistry = nullptr;
    TImagePanel* ImagePanelRestoreRegistry = nullptr;
    TLabel* labTabSheetRestoreRegistry = nullptr;
    TLabel* labTabSheetRestoreRegistryDetail = nullptr;
    TListView* ListViewRescueItem = nullptr;
    TPicButton* btnRestoreBackup = nullptr;
    TPicButton* btnDeleteRestore = nullptr;

    // --- Page 4: About --------------------------------------------------------------------
    TTabSheet* TabSheetOtherInfo = nullptr;
    TImagePanel* ImagePanelOtherInfo = nullptr;
    TPicButton* btnTabSheetAbout = nullptr;
    TLabel* labAppName = nullptr;
    TLabel* labAppVersion = nullptr;
    TLabel* labCopyright = nullptr;
    TLabel* labHomePage = nullptr;
    TLabel* labSupportMail = nullptr;
    TLabel* labGUIBy = nullptr;
    TLabel* labOstrel = nullptr;
    TLabel* labCopyRightWarning = nullptr;

    // --- Without a place on the screen ----------------------------------------------------
    TTrayIcon* TrayIcon = nullptr;
    TTimer* Timer = nullptr;
    TImageList* ImageList = nullptr;
    TImageList* ImageListRescue = nullptr;
    TImageList* imgMaster = nullptr;
    TActionList* ActionList = nullptr;
    TAction* ActionMin = nullptr;
    TAction* ActionHelp = nullptr;
    TAction* ActionClose = nullptr;
    TAction* ActionAbout = nullptr;
    TAction* ActionStartScanNow = nullptr;
    TAction* ActionHelpContent = nullptr;
    TAction* ActionQuickStart = nullptr;
    TAction* ActionOnlineResources = nullptr;
    TAction* ActionContactTechnicalSupport = nullptr;
    TPopupMenu* PopupMenuHelp = nullptr;
    TMenuItem* MenuHelpContent = nullptr;
    TMenuItem* MenuQuickStart = nullptr;
    TMenuItem* LanguagesMI = nullptr;
    TMenuItem* MenuOnlineResources = nullptr;
    TMenuItem* MenuContactTechnicalSupport = nullptr;
    TMenuItem* MenuAbout = nullptr;

    // --- The frame (main.cpp) -------------------------------------------------------------
    void FormCreate(TObject* sender);
    // A close asked for while the core library works waits until the road
    // under way is over (a scan is stopped first), and then closes once.
    void FormCloseQuery(TObject* sender, bool& canClose);
    void FormClose(TObject* sender, TCloseAction& action);
    void WMAfterCreate();
    // The end of the Windows session: agreed to and saved as a close when the
    // window is idle, held back while the core library works.
    void WMQueryEndSession(TMessage& message);
    void WMEndSession(TMessage& message);
    // Shows page with the scan page's sub-page scanPage (the settings and
    // restore pages have one sub-page each); nothing while the window is busy.
    void SwitchPage(TMainPage page, TScanPage scanPage = spScan);
    void btnTopOverviewClick(TObject* sender);
    void btnTopRegistryScanClick(TObject* sender);
    void btnRegistryScanScanClick(TObject* sender);
    void btnRegistryScanResultsClick(TObject* sender);
    void btnRegistryDefragClick(TObject* sender);
    void btnDefragRegistryClick(TObject* sender);
    void btnTopSettingsClick(TObject* sender);
    void btnSettingsClick(TObject* sender);
    void btnTopRestoreClick(TObject* sender);
    void btnTabSheetAboutClick(TObject* sender);
    void ActionCloseExecute(TObject* sender);
    void ActionAboutExecute(TObject* sender);
    void TabSheetOverviewShow(TObject* sender);
    void TabSheetRegistryScanScanShow(TObject* sender);
    void TabSheetRegistryScanDefragShow(TObject* sender);
    void TabSheetRegistryScanProssShow(TObject* sender);
    // The twelve categories in scan order (Startup before Start Menu), which
    // is also the order of their settings keys, each with its controls: the
    // check box CheckBox<Name> of the scan page, the icon ResultIcon<Name> and
    // the label of the progress page (ScanCategories.h).
    const std::array<TScanCategory, ScanCategoryCount>& ScanCategories() const {
        return FScanCategories;
    }
    // The category of a ScanCategory flag.
    const TScanCategory& Category(uint32_t flag) const;
    std::array<TKitCheckBox*, ScanCategoryCount> CategoryBoxes() const;

    // --- Overview and settings (MainOverview.cpp) -----------------------------------------
    void RefreshOverview();
    void LoadPagesFromSettings();
    void StoreScanBoxesInSettings();
    void UpdateCompleteScanBox();
    void CheckBoxCOMClick(TObject* sender);
    void CheckBoxCompleteClick(TObject* sender);
    void btnDefaultClick(TObject* sender);
    void btnApplyClick(TObject* sender);
    // Starts the registry defragmentation tool.
    void btnDefagRegistryClick(TObject* sender);

    // --- The scan road and the results tree (MainScan.cpp) --------------------------------
    void ActionStartScanNowExecute(TObject* sender);
    void btnStartScanClick(TObject* sender);
    void ScanOneCategory(uint32_t flag, bool notSelected);
    void ButtonStopScanClick(TObject* sender);
    void TimerTimer(TObject* sender);
    // The OnScanEntry callback handed to the core library: every tested entry
    // of a scan, valid or not, for the window that is the application's
    // main window. 30 for an absent entry, else 0.
    static int WINAPI ScanEntryCallback(ScanEntry* entry, double percent);
    // Takes an invalid entry into the results with the row that shows it.
    void AddResult(const ScanEntry& reported);
    void VTGetNodeDataSize(TBaseVirtualTree* sender, int& nodeDataSize);
    void VTInitNode(TBaseVirtualTree* sender, PVirtualNode node);
    void VTGetText(TBaseVirtualTree* sender, PVirtualNode node, TColumnIndex column,
                   TVSTTextType textType, std::string& cellText);
    void VTGetImageIndex(TBaseVirtualTree* sender, PVirtualNode node, TVTImageKind kind,
                         TColumnIndex column, bool& ghosted, int& imageIndex);
    void VTFocusChanging(TBaseVirtualTree* sender, PVirtualNode oldNode, PVirtualNode newNode,
                         bool& allowed);
    // A row's check box is not changed while the window is busy.
    void VTChecking(TBaseVirtualTree* sender, PVirtualNode node, TCheckState newState,
                    bool& allowed);
    void LabelCheckAllClick(TObject* sender);
    void LabelUncheckAllClick(TObject* sender);

    // --- Repair, backup and restore (MainRescue.cpp) --------------------------------------
    void btnRepairRegistryClick(TObject* sender);
    void btnCreateBackupClick(TObject* sender);
    void ClearResultsTree();
    // The Restore page re-reads the rescue index each time it is shown.
    void TabSheetRestroreShow(TObject* sender);
    void FillRescueList();
    void btnRestoreBackupClick(TObject* sender);
    void btnDeleteRestoreClick(TObject* sender);
    // Selects row index (the last row when index is past it), shows and focuses it.
    void SelectListViewRow(TListView* listView, int index);

    // --- Notification area, help and links (MainTray.cpp) ---------------------------------
    void ActionMinExecute(TObject* sender);
    void TrayIconDblClick(TObject* sender);
    void ActionHelpExecute(TObject* sender);
    void ActionHelpContentExecute(TObject* sender);
    void ActionQuickStartExecute(TObject* sender);
    void ActionOnlineResourcesExecute(TObject* sender);
    void ActionContactTechnicalSupportExecute(TObject* sender);
    void labHomePageClick(TObject* sender);
    void labSupportMailClick(TObject* sender);
    void labOstrelClick(TObject* sender);

    // --- Texts and languages (MainLanguage.cpp) -------------------------------------------
    void ApplyLanguageTexts();
    void BuildLanguagesMenu();
    void AddLanguageMenuItem(const std::string& baseName);
    void LanguageMenuItemClick(TObject* sender);

    // --- The window's state, each part behind its own small interface ---------------------
    // What the window has the core library doing.
    const TEngineWorkState& Work() const { return FWork; }
    // The scan under way or the last one.
    const TScanSession& Scan() const { return FScan; }
    // The current scan's entries, each with its row of the results tree.
    const TScanResults& Results() const { return FResults; }
    // The rescue items of the Restore page's rows.
    const TRescueList& RescueItems() const { return FRescueItems; }

protected:
    void WndProc(TMessage& message) override;

private:
    enum class TRescueOutcome { NothingToDo, Done, Failed };
    // What a backup or a repair of the checked rows came to.
    struct TRescueResult {
        TRescueOutcome Outcome = TRescueOutcome::NothingToDo;
        uint32_t Error = 0;      // the core library's error, when it failed
        uint32_t Selected = 0;   // the entries handed over, when it did its work
        uint32_t Remaining = 0;  // of those, the ones the registry still holds
    };

    // main.cpp
    void ConnectEvents();
    // Writes what a close keeps: the category boxes, the state keys of the
    // settings file and the window's position.
    void SaveState();
    // Closes the window when a close was asked for during the road that just
    // ended; true then.
    bool CloseIfRequested();
    // MainScan.cpp
    void RunScan();
    void ShowScanSummary();
    void ShowScanOutcomePage();
    void StopScan();
    void EntryReported(const ScanEntry& entry, double percent);
    // MainRescue.cpp
    using TRescueCallFunction = uint32_t(WINAPI*)(SelectedEntry* first, uint32_t count);
    // Hands the checked rows to a core-library call.
    TRescueResult HandOverSelection(TRescueCallFunction call, bool countRemaining);
    TRescueResult CleanSelectedEntries();
    TRescueResult BackupSelectedEntries();
    // Backs the checked rows up and says how it went; false when it failed,
    // after the message failureText (with the error) said so.
    bool CreateBackup(const std::string& failureText);
    // The repair road inside its busy state; true when the results tree is
    // to be emptied and the overview shown.
    bool RepairCheckedRows();
    void RestoreSelectedRescue();
    void DeleteSelectedRescues();
    // Deletes the rescue items of the given rows, highest row first, and
    // selects the row that took the place of the lowest.
    void DeleteRescueRows(const std::vector<int>& rows);
    void DeleteRescueAt(int index);
    // MainControls.cpp
    void CreateControls();
    void CreateFrame();
    void CreateOverviewPage();
    void CreateScanPage();
    void CreateScanChoicePage(TTabSheet* sheet);
    void CreateResultsPage(TTabSheet* sheet);
    void CreateDefragPage(TTabSheet* sheet);
    void CreateProgressPage(TTabSheet* sheet);
    void CreateSettingsPage();
    void CreateRestorePage();
    void CreateAboutPage();
    void CreateComponents();

    std::array<TScanCategory, ScanCategoryCount> FScanCategories{};
    std::unique_ptr<SkinerDLL> FSkinObject;
    TEngineWorkState FWork;
    TScanSession FScan;
    TScanResults FResults;
    TRescueList FRescueItems;
};

// The main window while it exists (the core library's callback reaches it
// through this), else nullptr.
extern TfrmMain* frmMain;
